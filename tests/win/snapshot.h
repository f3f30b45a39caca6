// A control's picture as drawn right now, read back pixel by pixel: how the previews are
// judged, as a user judges them, by what they show.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qxtest {

class Snapshot {
 public:
  explicit Snapshot(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    width_ = r.right;
    height_ = r.bottom;
    pixels_.resize(static_cast<size_t>(width_) * height_);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    pixels_.assign(source, source + pixels_.size());
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<uint32_t>& Pixels() const { return pixels_; }
  // As a COLORREF.
  COLORREF At(int x, int y) const {
    const uint32_t p = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // The smallest rectangle holding every pixel of colour within a region, or above a row.
  RECT Bounds(COLORREF colour, const RECT& within) const {
    RECT r{width_, height_, -1, -1};
    for (int y = std::max<int>(within.top, 0); y < std::min<int>(within.bottom, height_); ++y)
      for (int x = std::max<int>(within.left, 0); x < std::min<int>(within.right, width_); ++x)
        if (At(x, y) == colour) {
          r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
  }
  RECT Bounds(COLORREF colour, int bottom) const { return Bounds(colour, RECT{0, 0, width_, bottom}); }
  // How many pixels of colour a region holds.
  int Count(COLORREF colour, const RECT& within) const {
    int n = 0;
    for (int y = std::max<int>(within.top, 0); y < std::min<int>(within.bottom, height_); ++y)
      for (int x = std::max<int>(within.left, 0); x < std::min<int>(within.right, width_); ++x) n += At(x, y) == colour;
    return n;
  }
  // How many separate runs of colour a line crosses, across (row y) or down (column x).
  int RunsAcross(int y, COLORREF colour) const {
    int runs = 0;
    for (int x = 0; x < width_; ++x) runs += At(x, y) == colour && (x == 0 || At(x - 1, y) != colour);
    return runs;
  }
  int RunsDown(int x, COLORREF colour, int bottom) const {
    int runs = 0;
    for (int y = 0; y < bottom; ++y) runs += At(x, y) == colour && (y == 0 || At(x, y - 1) != colour);
    return runs;
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

inline SIZE SizeOf(HBITMAP bitmap) {
  BITMAP b{};
  GetObjectW(bitmap, sizeof b, &b);
  return {b.bmWidth, b.bmHeight};
}

// A bitmap's pixels, top row first.
inline std::vector<COLORREF> PixelsOf(HBITMAP bitmap) {
  const SIZE size = SizeOf(bitmap);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteDC(dc);
  return pixels;
}

}  // namespace qxtest
