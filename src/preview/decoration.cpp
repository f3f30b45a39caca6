#include "preview/decoration.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/gdi.h"
#include "platform/win_text.h"
#include "preview/owner_drawn.h"

namespace qxge {
namespace {

// The photo scaled to cover r, keeping its proportions, centred and cut to r.
void DrawPhoto(HDC dc, const RECT& r, HBITMAP photo) {
  const SIZE size = BitmapSize(photo);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (size.cx <= 0 || size.cy <= 0 || w <= 0 || h <= 0) return;
  const double scale = std::max(static_cast<double>(w) / size.cx, static_cast<double>(h) / size.cy);
  const int dw = static_cast<int>(size.cx * scale + 0.5), dh = static_cast<int>(size.cy * scale + 0.5);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  platform::MemoryDc source(dc);
  source.Select(photo);
  SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, r.left + (w - dw) / 2, r.top + (h - dh) / 2, dw, dh, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
  RestoreDC(dc, saved);
}

// The frame picture in nine pieces: corners at the drawn corner size, edges stretched between
// them. Returns the drawn corner size.
int DrawFrame(HDC dc, const RECT& r, HBITMAP frame, int corner) {
  const SIZE size = BitmapSize(frame);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (size.cx <= 2 * corner || size.cy <= 2 * corner || w <= 0 || h <= 0) return 0;
  const int drawn = static_cast<int>(std::lround(corner * (static_cast<double>(h) / size.cy +
                                                           static_cast<double>(w) / size.cx) / 2));
  if (drawn <= 0 || 2 * drawn >= w || 2 * drawn >= h) return 0;
  platform::MemoryDc source(dc);
  source.Select(frame);
  SetStretchBltMode(dc, HALFTONE);
  const int sx[3] = {0, corner, static_cast<int>(size.cx) - corner};
  const int sw[3] = {corner, static_cast<int>(size.cx) - 2 * corner, corner};
  const int sy[3] = {0, corner, static_cast<int>(size.cy) - corner};
  const int sh[3] = {corner, static_cast<int>(size.cy) - 2 * corner, corner};
  const int dx[3] = {r.left, r.left + drawn, r.right - drawn};
  const int dwid[3] = {drawn, w - 2 * drawn, drawn};
  const int dy[3] = {r.top, r.top + drawn, r.bottom - drawn};
  const int dhei[3] = {drawn, h - 2 * drawn, drawn};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (row == 1 && col == 1) continue;  // the photo shows through the middle
      StretchBlt(dc, dx[col], dy[row], dwid[col], dhei[row], source.Get(), sx[col], sy[row], sw[col], sh[row], SRCCOPY);
    }
  }
  return drawn;
}

COLORREF Grey(COLORREF c) {
  const int y = (77 * GetRValue(c) + 150 * GetGValue(c) + 29 * GetBValue(c) + 128) / 256;
  return RGB(y, y, y);
}

}  // namespace

int FramePictureIndex(uint32_t style, bool colour, bool landscape) {
  if (style < kFirstFramePicture || style > kLastFrameStyle) return 0;
  const int variant = (colour ? 0 : 2) + (landscape ? 1 : 0);
  return static_cast<int>(style) + 8 * variant;
}

void DrawDecoration(const DriverDevMode& record, double pixelsPerInch, PreviewPainter& painter, RECT r, HBITMAP photo,
                    HBITMAP frame, int corner) {
  const HDC dc = painter.Dc();
  const PrivateDevMode& p = record.dmPrivate;
  if (photo != nullptr) {
    // One photo on the sheet keeps a margin: a hair when borderless, else a little more.
    if (p.iNup <= 0 && p.iClone == 0) InflateRect(&r, p.iBorderless > 0 ? -1 : -3, p.iBorderless > 0 ? -1 : -3);
    DrawPhoto(dc, r, photo);
  }
  const uint32_t style = p.FrameStyle;
  RECT inner = r;
  if (style >= kFirstFramePicture && frame != nullptr) {
    const int drawn = DrawFrame(dc, r, frame, corner);
    InflateRect(&inner, -drawn, -drawn);
  }

  std::u16string text = p.StrDate.Read();
  const std::u16string note = p.StrDecoNote.Read();
  if (!note.empty()) text += u"\r\n" + note;
  if (text.empty() || style < 1) return;
  const int height = static_cast<int>(pixelsPerInch / 6 + 0.5);
  if (height <= 0) return;
  const std::u16string face = p.DecoStrFaceName.Read();
  LOGFONTW font{};
  font.lfHeight = -height;
  font.lfWeight = p.lfDecoWeight;
  font.lfItalic = p.lfDecoItalic != 0 ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  platform::CopyTerminated(face, font.lfFaceName, LF_FACESIZE);
  const platform::Font created(CreateFontIndirectW(&font));
  const int saved = SaveDC(dc);
  SelectObject(dc, created.Get());
  RECT measured = {0, 0, inner.right - inner.left, 0};
  DrawTextW(dc, platform::W(text.c_str()), -1, &measured, DT_CALCRECT | DT_NOPREFIX | DT_CENTER);
  const int tw = std::min<int>(measured.right - measured.left, inner.right - inner.left);
  const int th = measured.bottom - measured.top;
  RECT place;
  place.left = inner.left + (inner.right - inner.left - tw) / 2;
  place.right = place.left + tw;
  place.bottom = inner.bottom - height / 2;
  place.top = place.bottom - th;
  if (p.iDecoNoteBorder > 0) {
    RECT box = place;
    InflateRect(&box, 1, 1);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
  }
  SetBkMode(dc, TRANSPARENT);
  const COLORREF colour = static_cast<COLORREF>(p.DecoFontColor);
  SetTextColor(dc, painter.Colour() ? colour : Grey(colour));
  DrawTextW(dc, platform::W(text.c_str()), -1, &place, DT_CENTER | DT_NOPREFIX);
  RestoreDC(dc, saved);
}

}  // namespace qxge
