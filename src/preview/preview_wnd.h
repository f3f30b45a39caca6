// The base of every preview control: a static control of a page template that draws a
// miniature sheet and up to four caption lines under it. The page hands over its whole record
// on every change; the control decides what must be repainted.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/subclassed_window.h"
#include "preview/preview_layout.h"
#include "preview/preview_painter.h"
#include "record/driver_dev_mode.h"

namespace qxge {

inline RECT ToRect(const Box& b) { return {b.left, b.top, b.right, b.bottom}; }
inline Box ToBox(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
// A number as the captions write it.
std::u16string DecimalText(int32_t n);

class PreviewWnd : public platform::SubclassedWindow {
 public:
  static constexpr int kCaptionHeight = 20;  // pixels per caption line
  explicit PreviewWnd(int captionCount) : captionCount_(captionCount) {}
  PreviewWnd(const PreviewWnd&) = delete;
  PreviewWnd& operator=(const PreviewWnd&) = delete;

  // Takes over the painting of control, a static of the page's template.
  void Attach(HWND control);
  // The user's sizes were renumbered or changed: every paper is asked for again.
  void ForgetPapers() { papers_.clear(); }
  // The top line carries the units choice; a model without it has no such line.
  void DropTopCaptionLine();
  int CaptionCount() const { return captionCount_; }

  // index 0 is the bottom line.
  void SetCaption(const std::u16string& text, int index);
  void SetWatermark(const WatermarkLook& look);
  virtual void Update(DriverDevMode& record);

 protected:
  virtual void Draw(PreviewPainter& painter);
  virtual RECT GetPreviewArea() const;
  virtual void DrawWatermark(PreviewPainter& painter, const RECT& r, bool washedOut);

  int PageOrder(int cols, int rows, int row, int col) const;
  bool ShowsColour() const;
  // Paper name and size as the printer knows them; asked once per paper for the control's
  // life, since the spooler is slow and a sheet's printer does not change under it.
  struct PaperFacts {
    int32_t code;
    bool known;
    std::u16string name;
    POINT size;  // tenths of a millimetre, portrait
  };
  PaperFacts Paper(int32_t code, bool refresh = false);
  // The scale a paper whose longest side is longest gets in this preview.
  double ScaleFor(int32_t longest) const;
  void DrawPlainSheet(PreviewPainter& painter, const Box& sheet, bool watermark);
  // A watermark drawn into each page's own rectangle.
  void DrawWatermarkIn(PreviewPainter& painter, const Box& page) {
    const RECT r = {page.left, page.top, page.right, page.bottom};
    DrawWatermark(painter, r, false);
  }
  // A text of the text file's section "Preview"; the English text is key and default.
  static std::u16string Text(const char16_t* english);
  // Lines of text centred in band, in the page's font.
  void DrawBandText(PreviewPainter& painter, RECT band, const std::u16string& text) const;
  // The page's dialog font, null when it has none.
  HFONT PageFont() const;
  RECT ClientRect() const;
  void InvalidateArea();

  DriverDevMode* record_ = nullptr;
  Box paper_;
  SIZE paperSize_{};  // the record's paper as oriented on the sheet, tenths of a millimetre
  double paperScale_ = 0;
  std::u16string letter_ = u"S";

 private:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Paint();
  void Render(HDC dc);
  void EraseBackground(HDC dc);
  RECT CaptionRect(int index) const;
  void DrawCaptions(PreviewPainter& painter);

  int captionCount_;
  std::u16string captions_[4];
  WatermarkLook watermark_;
  std::vector<PaperFacts> papers_;
};

}  // namespace qxge
