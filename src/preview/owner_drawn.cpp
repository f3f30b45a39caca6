#include "preview/owner_drawn.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win_text.h"
#include "resources/resource.h"

namespace qxge {
namespace {

using platform::U;
using platform::W;

// A mirrored page shows its pictures as they were drawn: a logo never reads backwards.
class UnmirroredPictures {
 public:
  explicit UnmirroredPictures(HDC dc) : dc_(dc), layout_(GetLayout(dc)) {
    if (Mirrored()) SetLayout(dc_, layout_ | LAYOUT_BITMAPORIENTATIONPRESERVED);
  }
  ~UnmirroredPictures() {
    if (Mirrored()) SetLayout(dc_, layout_);
  }
  UnmirroredPictures(const UnmirroredPictures&) = delete;
  UnmirroredPictures& operator=(const UnmirroredPictures&) = delete;

 private:
  bool Mirrored() const { return layout_ != GDI_ERROR && (layout_ & LAYOUT_RTL) != 0; }
  HDC dc_;
  DWORD layout_;
};

// Part of a bitmap, with the colour of the part's top-left pixel left out unless opaque.
void DrawPart(HDC dc, HBITMAP bitmap, int x, int y, int sourceX, int width, int height, bool opaque,
              DriverUiApp::TransparentBltFn transparentBlt) {
  const UnmirroredPictures unmirrored(dc);
  platform::MemoryDc source(dc);
  source.Select(bitmap);
  if (opaque) {
    BitBlt(dc, x, y, width, height, source.Get(), sourceX, 0, SRCCOPY);
    return;
  }
  const COLORREF key = GetPixel(source.Get(), sourceX, 0);
  if (transparentBlt != nullptr) {
    transparentBlt(dc, x, y, width, height, source.Get(), sourceX, 0, width, height, key);
    return;
  }
  // One bits where the key is: they keep the target and, XORed into the picture, make its
  // key pixels black, so that OR adds nothing there. A second XOR gives the picture its key
  // back: black pixels of its own must not turn into holes at the next draw.
  platform::Bitmap maskBitmap(CreateBitmap(width, height, 1, 1, nullptr));
  platform::MemoryDc mask(dc);
  mask.Select(maskBitmap.Get());
  SetBkColor(source.Get(), key);
  BitBlt(mask.Get(), 0, 0, width, height, source.Get(), sourceX, 0, SRCCOPY);
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, width, height, mask.Get(), 0, 0, SRCAND);
  SetTextColor(source.Get(), RGB(0, 0, 0));
  BitBlt(source.Get(), sourceX, 0, width, height, mask.Get(), 0, 0, SRCINVERT);
  BitBlt(dc, x, y, width, height, source.Get(), sourceX, 0, SRCPAINT);
  BitBlt(source.Get(), sourceX, 0, width, height, mask.Get(), 0, 0, SRCINVERT);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
}

// What a static control fills its background with: the parent's answer to WM_CTLCOLORSTATIC.
void FillBackground(HWND hwnd, HDC dc) {
  RECT client;
  GetClientRect(hwnd, &client);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
  FillRect(dc, &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

void SendCommand(HWND control) {
  const int id = GetDlgCtrlID(control);
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

POINT MousePoint(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// WM_PAINT and WM_PRINTCLIENT draw alike.
template <class PaintFn>
bool HandlePaint(HWND hwnd, UINT message, WPARAM wParam, LRESULT& result, PaintFn paint) {
  if (message == WM_PRINTCLIENT) {
    paint(reinterpret_cast<HDC>(wParam));
  } else {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    paint(dc);
    EndPaint(hwnd, &ps);
  }
  result = 0;
  return true;
}

}  // namespace

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

bool LoadModelPicture(platform::Bitmap& bitmap, const wchar_t* suffix) {
  const DriverUiApp& app = App();
  const std::u16string path = app.ModuleDir() + app.ModuleName() + U(suffix);
  bitmap.Reset(static_cast<HBITMAP>(
      LoadImageW(nullptr, W(path), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  return static_cast<bool>(bitmap);
}

bool ScreenHasHighColour() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  const int colours = GetDeviceCaps(screen, NUMCOLORS);
  ReleaseDC(nullptr, screen);
  return colours < 0;
}

bool LoadPicturePair(platform::Bitmap& bitmap, const wchar_t* normalSuffix, const wchar_t* highColourSuffix,
                     bool highColourScreen) {
  if (highColourSuffix != nullptr && highColourScreen && LoadModelPicture(bitmap, highColourSuffix)) return true;
  return LoadModelPicture(bitmap, normalSuffix);
}

void DrawPicture(HDC dc, HBITMAP bitmap, int x, int y, bool opaque, DriverUiApp::TransparentBltFn transparentBlt) {
  const SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return;
  DrawPart(dc, bitmap, x, y, 0, size.cx, size.cy, opaque, transparentBlt);
}

int FitFontHeight(HDC dc, const std::wstring& text, int maxWidth, LOGFONTW font, platform::Font& selected) {
  int height = font.lfHeight;
  for (;;) {
    font.lfHeight = height;
    platform::Font next(CreateFontIndirectW(&font));
    SelectObject(dc, next.Get());
    selected = std::move(next);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    if (extent.cx < maxWidth) return height;
    if (height - 1 < 4) return height - 1;
    --height;
  }
}

HCURSOR ModuleHandCursor() {
  return static_cast<HCURSOR>(LoadImageW(AppModule(), MAKEINTRESOURCEW(IDC_HAND_CURSOR), IMAGE_CURSOR, 0, 0,
                                         LR_DEFAULTSIZE | LR_SHARED));
}

HCURSOR HandCursor() {
  HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  return hand != nullptr ? hand : ModuleHandCursor();
}

// --- LinkLabel --------------------------------------------------------------------------

bool LinkLabel::Active() const { return IsRectEmpty(&hot_) == FALSE && IsWindowVisible(Handle()) && IsWindowEnabled(Handle()); }

RECT LinkLabel::Setup(COLORREF colour, bool rightAligned) {
  colour_ = colour == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_BTNTEXT) : colour;
  hot_ = {};
  // The page may not be on screen yet: the link's own flag is what counts.
  if (Handle() == nullptr || (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) == 0) return hot_;
  RECT client;
  GetClientRect(Handle(), &client);
  LOGFONTW lf{};
  lf.lfHeight = client.bottom * 2 / 3;
  lf.lfWeight = FW_BOLD;
  lf.lfUnderline = TRUE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
  font_.Reset(CreateFontIndirectW(&lf));

  wchar_t text[256];
  const int length = GetWindowTextW(Handle(), text, 256);
  HDC dc = GetDC(Handle());
  HGDIOBJ old = SelectObject(dc, font_.Get());
  SIZE extent{};
  GetTextExtentPoint32W(dc, text, length, &extent);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);

  const int left = rightAligned ? client.right - extent.cx : (client.right - extent.cx) / 2;
  const int top = (client.bottom - extent.cy) / 2;
  hot_ = {left, top, left + extent.cx, top + extent.cy};
  InvalidateRect(Handle(), nullptr, TRUE);
  return hot_;
}

void LinkLabel::Paint(HDC dc) {
  FillBackground(Handle(), dc);
  if (!font_) return;
  COLORREF colour = colour_;
  if (!IsWindowEnabled(Handle())) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    colour = RGB((GetRValue(colour_) + GetRValue(face)) / 2, (GetGValue(colour_) + GetGValue(face)) / 2,
                 (GetBValue(colour_) + GetBValue(face)) / 2);
  }
  wchar_t text[256];
  const int length = GetWindowTextW(Handle(), text, 256);
  const int saved = SaveDC(dc);
  SelectObject(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  TextOutW(dc, hot_.left, hot_.top, text, length);
  RestoreDC(dc, saved);
}

bool LinkLabel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return HandlePaint(Handle(), message, wParam, result, [this](HDC dc) { Paint(dc); });
    case WM_NCHITTEST:
      // A plain static lets the mouse through to the page.
      result = HTCLIENT;
      return true;
    case WM_MOUSEMOVE: {
      result = 0;
      if (!Active()) return true;
      const POINT p = MousePoint(lParam);
      const bool inside = PtInRect(&hot_, p) != FALSE;
      if (inside && !hover_ && (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
        hover_ = true;
        SetCapture(Handle());
      } else if (!inside && hover_) {
        ReleaseCapture();
      }
      if (hover_) SetCursor(HandCursor());
      return true;
    }
    case WM_LBUTTONDOWN:
      result = 0;
      return true;
    case WM_LBUTTONUP:
      if (hover_ && Active()) SendCommand(Handle());
      result = 0;
      return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) hover_ = false;
      result = 0;
      return true;
    case WM_SETCURSOR:
      if (!hover_) return false;
      SetCursor(HandCursor());
      result = TRUE;
      return true;
    default:
      return false;
  }
}

// --- ImageButton ------------------------------------------------------------------------

RECT ImageButton::LoadStrip(int bitmapId, HMODULE library) {
  strip_.Reset(library != nullptr ? static_cast<HBITMAP>(LoadImageW(library, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP,
                                                                    0, 0, LR_CREATEDIBSECTION))
                                  : nullptr);
  const SIZE size = BitmapSize(strip_.Get());
  state_ = {size.cx / 3, size.cy};
  RECT r{};
  if (Handle() == nullptr) return r;
  SetWindowPos(Handle(), nullptr, 0, 0, state_.cx, state_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(Handle(), &r);
  MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ImageButton::Paint(HDC dc) {
  FillBackground(Handle(), dc);
  if (!strip_ || state_.cx <= 0) return;
  const int state = !hover_ ? 0 : pressed_ ? 2 : 1;
  DrawPart(dc, strip_.Get(), 0, 0, state * state_.cx, state_.cx, state_.cy, false, App().TransparentBlt());
  if (GetFocus() == Handle()) {
    RECT client;
    GetClientRect(Handle(), &client);
    DrawFocusRect(dc, &client);
  }
}

void ImageButton::Repaint() { RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

void ImageButton::TrackMouse(POINT p) {
  RECT client;
  GetClientRect(Handle(), &client);
  const bool over = PtInRect(&client, p) != FALSE;
  if (over == hover_) return;
  hover_ = over;
  // While pressed the capture stays, so that the release is seen wherever it happens.
  if (!pressed_) {
    if (over)
      SetCapture(Handle());
    else
      ReleaseCapture();
  }
  Repaint();
}

bool ImageButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return HandlePaint(Handle(), message, wParam, result, [this](HDC dc) { Paint(dc); });
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_NCHITTEST:
      result = HTCLIENT;
      return true;
    case WM_MOUSEMOVE:
      TrackMouse(MousePoint(lParam));
      return true;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      hover_ = true;
      if (GetCapture() != Handle()) SetCapture(Handle());
      Repaint();
      return true;
    case WM_LBUTTONUP: {
      if (!pressed_) return true;
      pressed_ = false;
      Repaint();
      RECT client;
      GetClientRect(Handle(), &client);
      const POINT p = MousePoint(lParam);
      if (PtInRect(&client, p)) {
        SendCommand(Handle());
      } else {
        hover_ = true;  // the move logic then sees the mouse leave
        TrackMouse(p);
      }
      return true;
    }
    // The keyboard presses it as a button's space bar does; the button's own procedure would
    // paint over the picture.
    case WM_GETDLGCODE:
      result = DLGC_BUTTON;
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (message == WM_KILLFOCUS && keyPressed_) keyPressed_ = pressed_ = hover_ = false;
      Repaint();
      return true;
    case WM_KEYDOWN:
      if (wParam != VK_SPACE || pressed_) return wParam == VK_SPACE;
      keyPressed_ = pressed_ = hover_ = true;
      Repaint();
      return true;
    case WM_KEYUP:
      if (wParam != VK_SPACE || !keyPressed_) return wParam == VK_SPACE;
      keyPressed_ = pressed_ = hover_ = false;
      Repaint();
      SendCommand(Handle());
      return true;
    case WM_CAPTURECHANGED:
      // Taking the capture again announces a change to the same window.
      if (reinterpret_cast<HWND>(lParam) != Handle() && hover_) {
        hover_ = false;
        Repaint();
      }
      return true;
    default:
      return false;
  }
}

// --- PictureLabel -----------------------------------------------------------------------

SIZE PictureLabel::SetPicture(const wchar_t* normalSuffix, const wchar_t* highColourSuffix) {
  LoadPicturePair(picture_, normalSuffix, highColourSuffix);
  const SIZE size = BitmapSize(picture_.Get());
  if (Handle() != nullptr) {
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  return size;
}

bool PictureLabel::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND:
      if (picture_) DrawPicture(reinterpret_cast<HDC>(wParam), picture_.Get(), 0, 0, false);
      result = 1;
      return true;
    case WM_PAINT: {
      // A paint that was not asked to erase still shows the picture: the page under it has
      // been drawn, and the key-coloured parts let it through.
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(Handle(), &ps);
      if (picture_) DrawPicture(dc, picture_.Get(), 0, 0, false);
      EndPaint(Handle(), &ps);
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

// --- BoldLabel --------------------------------------------------------------------------

void BoldLabel::Paint(HDC dc) {
  FillBackground(Handle(), dc);
  if (!font_) {
    LOGFONTW lf{};
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(GetParent(Handle()), WM_GETFONT, 0, 0));
    GetObjectW(dialogFont != nullptr ? static_cast<HGDIOBJ>(dialogFont) : GetStockObject(DEFAULT_GUI_FONT), sizeof lf,
               &lf);
    lf.lfWeight = FW_BOLD;
    font_.Reset(CreateFontIndirectW(&lf));
  }
  wchar_t text[256];
  const int length = GetWindowTextW(Handle(), text, 256);
  const int saved = SaveDC(dc);
  SelectObject(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  TextOutW(dc, 0, 0, text, length);
  RestoreDC(dc, saved);
}

bool BoldLabel::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_PAINT && message != WM_PRINTCLIENT) return false;
  return HandlePaint(Handle(), message, wParam, result, [this](HDC dc) { Paint(dc); });
}

// --- LargeIcon --------------------------------------------------------------------------

LargeIcon::~LargeIcon() {
  if (shown_ != nullptr && hwnd_ != nullptr && IsWindow(hwnd_)) SendMessageW(hwnd_, STM_SETICON, 0, 0);
  for (const Loaded& l : loaded_) DestroyIcon(l.icon);
}

void LargeIcon::SetIcon(int iconId, HMODULE library) {
  if (library == nullptr || hwnd_ == nullptr) return;
  auto known = std::find_if(loaded_.begin(), loaded_.end(),
                            [&](const Loaded& l) { return l.library == library && l.id == iconId; });
  if (known == loaded_.end()) {
    auto icon = static_cast<HICON>(LoadImageW(library, MAKEINTRESOURCEW(iconId), IMAGE_ICON, 48, 48, 0));
    if (icon == nullptr) return;
    known = loaded_.insert(loaded_.end(), {library, iconId, icon});
  }
  // The static repaints on every STM_SETICON, the same icon or not.
  if (known->icon == shown_) return;
  shown_ = known->icon;
  SendMessageW(hwnd_, STM_SETICON, reinterpret_cast<WPARAM>(shown_), 0);
}

}  // namespace qxge
