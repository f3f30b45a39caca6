#include "preview/color_sample_preview.h"

#include <algorithm>

#include "preview/color_sample.h"
#include "preview/owner_drawn.h"

namespace qxge {
namespace {

// A picture's bits as the adjustment reads them; none for depths other than 8 and 24 bits.
struct PictureBits {
  uint8_t* bits = nullptr;
  int width = 0, height = 0, stride = 0, depth = 0;
  size_t size = 0;
};
PictureBits BitsOf(HBITMAP bitmap) {
  DIBSECTION section{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof section, &section) != sizeof section) return {};
  const BITMAP& b = section.dsBm;
  if (b.bmBits == nullptr || (b.bmBitsPixel != 8 && b.bmBitsPixel != 24) || b.bmWidth <= 0 || b.bmHeight == 0)
    return {};
  const int height = std::abs(b.bmHeight);
  return {static_cast<uint8_t*>(b.bmBits), b.bmWidth, height, b.bmWidthBytes, b.bmBitsPixel,
          static_cast<size_t>(b.bmWidthBytes) * static_cast<size_t>(height)};
}

}  // namespace

bool ColorSamplePreview::Load(const wchar_t* suffix) {
  shown_.Reset();
  if (!LoadModelPicture(original_, suffix) || BitsOf(original_.Get()).bits == nullptr) {
    original_.Reset();
    return false;
  }
  // The shown picture is made anew from the original each time, never from the last result.
  shown_.Reset(static_cast<HBITMAP>(CopyImage(original_.Get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (BitsOf(shown_.Get()).size != BitsOf(original_.Get()).size) shown_.Reset();
  return static_cast<bool>(shown_);
}

void ColorSamplePreview::Update(DriverDevMode& record) {
  record_ = &record;
  const PrivateDevMode& p = record.dmPrivate;
  const bool colour = p.iGrayMode > 0;
  const bool landscape = record.dmPublic.dmOrientation == DMORIENT_LANDSCAPE;
  const wchar_t* suffix = colour ? (landscape ? L"C2.Bmp" : L"C.Bmp") : (landscape ? L"G2.Bmp" : L"G.Bmp");
  if (suffix != suffix_) {
    suffix_ = suffix;
    // Without a turned picture the upright one serves.
    if (!Load(suffix) && landscape) Load(colour ? L"C.Bmp" : L"G.Bmp");
    applied_.clear();
    InvalidateArea();
  }
  const std::vector<int32_t> levels = {p.iBrightness, p.iContrast, p.iSaturation, p.iRed,    p.iGreen,
                                       p.iBlue,       p.iCyan,     p.iMagenta,    p.iYellow, p.iEqualizer != 0};
  if (levels == applied_ || !shown_) return;
  applied_ = levels;
  const PictureBits from = BitsOf(original_.Get()), to = BitsOf(shown_.Get());
  GdiFlush();
  AdjustSample(from.bits, to.bits, std::min(from.size, to.size), from.width, from.height, from.stride, from.depth,
               MakeToneTable(p), MakeColorBalance(p));
  // Every pixel is drawn again: nothing to erase first.
  const RECT area = GetPreviewArea();
  if (Handle() != nullptr) InvalidateRect(Handle(), &area, FALSE);
}

void ColorSamplePreview::Draw(PreviewPainter& painter) {
  PreviewWnd::Draw(painter);
  const SIZE size = BitmapSize(shown_.Get());
  if (size.cx <= 0 || size.cy <= 0) return;
  const RECT area = GetPreviewArea();
  const int areaW = area.right - area.left, areaH = area.bottom - area.top;
  // Shown at its own size, centred; scaled down only when it would not fit.
  const double scale = std::min({1.0, static_cast<double>(areaW) / size.cx, static_cast<double>(areaH) / size.cy});
  const int w = static_cast<int>(size.cx * scale), h = static_cast<int>(size.cy * scale);
  const int x = area.left + (areaW - w) / 2, y = area.top + (areaH - h) / 2;
  platform::MemoryDc source(painter.Dc());
  source.Select(shown_.Get());
  SetStretchBltMode(painter.Dc(), HALFTONE);
  StretchBlt(painter.Dc(), x, y, w, h, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
}

}  // namespace qxge
