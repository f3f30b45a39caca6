// The small custom controls of the pages, all made from static controls of the templates, and
// the picture services they share: pictures beside the module, drawn with a transparent key
// colour (the picture's top-left pixel).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/driver_ui_app.h"
#include "platform/gdi.h"
#include "platform/subclassed_window.h"

namespace qxge {

// Width and height of a bitmap; zero for none.
SIZE BitmapSize(HBITMAP bitmap);
// Loads the file ModuleDir + ModuleName + suffix as a section bitmap.
bool LoadModelPicture(platform::Bitmap& bitmap, const wchar_t* suffix);
// True when the screen shows more than 256 colours.
bool ScreenHasHighColour();
// The high-colour file first on a high-colour screen, else (or when it is missing) the normal one.
bool LoadPicturePair(platform::Bitmap& bitmap, const wchar_t* normalSuffix, const wchar_t* highColourSuffix,
                     bool highColourScreen = ScreenHasHighColour());

// Draws bitmap at (x, y), its own size; unless opaque, its top-left colour is left out. Without
// transparentBlt a mask does it, and the bitmap's key-coloured pixels turn black.
void DrawPicture(HDC dc, HBITMAP bitmap, int x, int y, bool opaque,
                 DriverUiApp::TransparentBltFn transparentBlt = App().TransparentBlt());

// Selects font at the largest height, from its own down, at which text is narrower than
// maxWidth, and returns that height; below 4 it stops, returns 3 and keeps height 4 selected.
// selected owns the font: restore the context's font before it goes.
int FitFontHeight(HDC dc, const std::wstring& text, int maxWidth, LOGFONTW font, platform::Font& selected);

// The system's hand, or the module's own when the system has none; shared, never destroyed.
HCURSOR HandCursor();
HCURSOR ModuleHandCursor();

class LinkLabel : public platform::SubclassedWindow {
 public:
  // colour -1 is COLOR_BTNTEXT; returns the text's rectangle, empty when the link is hidden.
  RECT Setup(COLORREF colour, bool rightAligned);
  bool Hovering() const { return hover_; }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Paint(HDC dc);
  bool Active() const;

  COLORREF colour_ = 0;
  platform::Font font_;
  RECT hot_{};
  bool hover_ = false;
};

// A button drawn from a strip of three equal pictures: normal, hover, pressed.
class ImageButton : public platform::SubclassedWindow {
 public:
  // Sizes the control to one state; returns its new rectangle in the parent (empty on failure).
  RECT LoadStrip(int bitmapId, HMODULE library = App().ResourceLibrary());

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Paint(HDC dc);
  void TrackMouse(POINT p);
  void Repaint();

  platform::Bitmap strip_;
  SIZE state_{};
  bool pressed_ = false;
  bool keyPressed_ = false;  // pressed by the space bar, not the mouse
  bool hover_ = false;
};

// A picture file beside the module, drawn transparently over the page.
class PictureLabel : public platform::SubclassedWindow {
 public:
  SIZE SetPicture(const wchar_t* normalSuffix, const wchar_t* highColourSuffix = nullptr);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  platform::Bitmap picture_;
};

// The window text in the dialog's font, bold.
class BoldLabel : public platform::SubclassedWindow {
 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Paint(HDC dc);
  platform::Font font_;
};

// A 48 x 48 picture icon of the resource library in an icon static. The icons it has shown
// stay loaded until it goes: a page flips between a few of them with every click, and loading
// one costs more than the rest of the click.
class LargeIcon {
 public:
  LargeIcon() = default;
  ~LargeIcon();
  LargeIcon(const LargeIcon&) = delete;
  LargeIcon& operator=(const LargeIcon&) = delete;

  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  // Nothing changes when the library or the icon is missing.
  void SetIcon(int iconId, HMODULE library = App().ResourceLibrary());

 private:
  struct Loaded {
    HMODULE library;
    int id;
    HICON icon;
  };
  HWND hwnd_ = nullptr;
  HICON shown_ = nullptr;
  std::vector<Loaded> loaded_;
};

}  // namespace qxge
