#include "preview/decoration.h"

#include <algorithm>
#include <string>

#include "app/driver_ui_app.h"
#include "platform/gdi.h"
#include "platform/picture.h"
#include "platform/win_text.h"
#include "preview/owner_drawn.h"
#include "preview/preview_wnd.h"

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

// The frame picture in nine pieces around r. Returns the drawn corner size.
int DrawFrame(HDC dc, const RECT& r, const FramePicture& frame) {
  const SIZE size = BitmapSize(frame.bitmap.Get());
  const FramePieces cut = CutFrame(ToBox(r), size.cx, size.cy, frame.corner);
  if (cut.count == 0) return 0;
  platform::MemoryDc source(dc);
  source.Select(frame.bitmap.Get());
  SetStretchBltMode(dc, HALFTONE);
  for (int i = 0; i < cut.count; ++i) {
    const Box& from = cut.pieces[i].from;
    const Box& to = cut.pieces[i].to;
    StretchBlt(dc, to.left, to.top, to.Width(), to.Height(), source.Get(), from.left, from.top, from.Width(),
               from.Height(), SRCCOPY);
  }
  return cut.corner;
}

}  // namespace

FramePicture LoadFramePicture(int index, FrameDevice device) {
  // Numbered in the resource library as reslib/PICTURES.md lists them.
  constexpr int kScreenFrames = 4200, kPrinterFrames = 4300;
  FramePicture frame;
  const HMODULE library = App().ResourceLibrary();
  if (index == 0 || library == nullptr) return frame;
  if (device == FrameDevice::Printer) {
    frame.bitmap = platform::LoadPictureResource(library, kPrinterFrames + index);
    frame.corner = 30;
  } else {
    frame.bitmap.Reset(static_cast<HBITMAP>(
        LoadImageW(library, MAKEINTRESOURCEW(kScreenFrames + index), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    frame.corner = 8;
  }
  return frame;
}

int FramePictureIndex(uint32_t style, bool colour, bool landscape) {
  if (style < kFirstFramePicture || style > kLastFrameStyle) return 0;
  const int variant = (colour ? 0 : 2) + (landscape ? 1 : 0);
  return static_cast<int>(style) + 8 * variant;
}

void DrawDecoration(const DriverDevMode& record, double pixelsPerInch, PreviewPainter& painter, RECT r, HBITMAP photo,
                    const FramePicture& frame) {
  const HDC dc = painter.Dc();
  const PrivateDevMode& p = record.dmPrivate;
  if (photo != nullptr) {
    // One photo on the sheet keeps a margin: a hair when borderless, else a little more.
    if (p.iNup <= 0 && p.iClone == 0) InflateRect(&r, p.iBorderless > 0 ? -1 : -3, p.iBorderless > 0 ? -1 : -3);
    DrawPhoto(dc, r, photo);
  }
  const uint32_t style = p.FrameStyle;
  RECT inner = r;
  if (style >= kFirstFramePicture && frame.bitmap) {
    const int drawn = DrawFrame(dc, r, frame);
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
  SetTextColor(dc, painter.Colour() ? colour : GreyOf(colour));
  DrawTextW(dc, platform::W(text.c_str()), -1, &place, DT_CENTER | DT_NOPREFIX);
  RestoreDC(dc, saved);
}

void DrawWatermarkLook(PreviewPainter& painter, const WatermarkLook& look, const DriverDevMode& record, const RECT& r,
                       double pixelsPerInch, bool washedOut) {
  if (look.text.empty() || pixelsPerInch <= 0) return;
  const HDC dc = painter.Dc();
  const ModelFeatures& model = App().Features();

  const HRGN saved = CreateRectRgn(0, 0, 0, 0);
  const bool hadClip = GetClipRgn(dc, saved) == 1;
  IntersectClipRect(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);

  const int angle = look.angle + PageRotation(record, model);
  const int height = static_cast<int>(look.size * pixelsPerInch * 0.013888889 + 0.5);
  COLORREF colour = look.colour & 0xFFFFFF;
  if (washedOut) colour = MeanColour(colour, GetSysColor(COLOR_WINDOW));
  if (model.GraphicsColorMode != 0 && record.dmPrivate.iGrayMode == 0) colour = GreyOf(colour);
  painter.SetFont(colour, height, look.weight, angle * 10, platform::W(look.face.c_str()), look.italic);

  const wchar_t* text = platform::W(look.text.c_str());
  const int length = static_cast<int>(look.text.size());
  SIZE size{};
  GetTextExtentPoint32W(dc, text, length, &size);
  int32_t x = 0, y = 0;
  TurnedTextOrigin(ToBox(r), size.cx, size.cy, angle, x, y);
  if (height < 4) {
    // Glyphs this small vanish when filled; their outline stays visible.
    BeginPath(dc);
    TextOutW(dc, x, y, text, length);
    EndPath(dc);
    painter.StrokePath(colour);
  } else {
    TextOutW(dc, x, y, text, length);
  }

  SelectClipRgn(dc, hadClip ? saved : nullptr);
  DeleteObject(saved);
}

}  // namespace qxge
