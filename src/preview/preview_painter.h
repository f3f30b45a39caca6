// The drawing tool of the previews and owner-drawn controls: whatever it selects into the
// device context it owns, and the context gets its previous objects back when it ends.
#pragma once

#include <windows.h>

namespace qxge {

class PreviewPainter {
 public:
  PreviewPainter(HDC dc, bool colour) : dc_(dc), colour_(colour) {}
  ~PreviewPainter() { Release(); }
  PreviewPainter(const PreviewPainter&) = delete;
  PreviewPainter& operator=(const PreviewPainter&) = delete;

  HDC Dc() const { return dc_; }
  // The preview shows colour (a colour model printing in colour); otherwise greys.
  bool Colour() const { return colour_; }

  void SetPen(COLORREF colour);
  void SetBrush(COLORREF colour);
  // Heights below 3 are drawn at 3; the escapement (tenths of a degree) also turns the glyphs.
  void SetFont(COLORREF colour, int height, int weight, int escapement, const wchar_t* face, bool italic);
  void Release();

  void FrameRect(const RECT& r);
  void FillRect(const RECT& r, COLORREF colour);
  enum class Arrow { Left, Right, Up, Down };
  // A 5-pixel triangle in the pen's colour whose point is tip.
  void DrawArrow(POINT tip, Arrow direction);
  // Outlines the context's path in colour; the pen set before stays in use for what follows.
  void StrokePath(COLORREF colour);

 private:
  HDC dc_;
  bool colour_;
  HPEN pen_ = nullptr;
  HBRUSH brush_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ oldPen_ = nullptr, oldBrush_ = nullptr, oldFont_ = nullptr;
};

}  // namespace qxge
