#include "preview/preview_painter.h"

#include <algorithm>

namespace qxge {

namespace {

// Selects created into dc; the first object it displaces is kept for the restore, and the one
// this painter created before is deleted once it is out of the context.
template <typename Handle>
void Replace(HDC dc, Handle& owned, HGDIOBJ& original, Handle created) {
  const HGDIOBJ previous = SelectObject(dc, created);
  if (original == nullptr) original = previous;
  if (owned != nullptr) DeleteObject(owned);
  owned = created;
}

template <typename Handle>
void Restore(HDC dc, Handle& owned, HGDIOBJ& original) {
  if (original != nullptr) SelectObject(dc, original);
  if (owned != nullptr) DeleteObject(owned);
  owned = nullptr;
  original = nullptr;
}

}  // namespace

void PreviewPainter::SetPen(COLORREF colour) { Replace(dc_, pen_, oldPen_, CreatePen(PS_SOLID, 1, colour)); }

void PreviewPainter::SetBrush(COLORREF colour) { Replace(dc_, brush_, oldBrush_, CreateSolidBrush(colour)); }

void PreviewPainter::SetFont(COLORREF colour, int height, int weight, int escapement, const wchar_t* face,
                             bool italic) {
  const HFONT font = CreateFontW(std::max(height, 3), 0, escapement, escapement, weight, italic ? TRUE : FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, face);
  Replace(dc_, font_, oldFont_, font);
  SetTextColor(dc_, colour);
  SetBkMode(dc_, TRANSPARENT);
}

void PreviewPainter::Release() {
  Restore(dc_, pen_, oldPen_);
  Restore(dc_, brush_, oldBrush_);
  Restore(dc_, font_, oldFont_);
}

void PreviewPainter::FrameRect(const RECT& r) {
  const POINT corners[] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1},
                           {r.left, r.top}};
  Polyline(dc_, corners, 5);
}

void PreviewPainter::FillRect(const RECT& r, COLORREF colour) {
  // ExtTextOut with an opaque rectangle fills without creating a brush.
  const COLORREF old = SetBkColor(dc_, colour);
  ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc_, old);
}

void PreviewPainter::StrokePath(COLORREF colour) {
  const HPEN outline = CreatePen(PS_SOLID, 1, colour);
  const HGDIOBJ previous = SelectObject(dc_, outline);
  ::StrokePath(dc_);
  SelectObject(dc_, previous);
  DeleteObject(outline);
}

void PreviewPainter::DrawArrow(POINT tip, Arrow direction) {
  // Rows of growing width away from the tip, drawn as lines so the head is exact at any pen.
  for (int i = 0; i < 5; ++i) {
    switch (direction) {
      case Arrow::Left:
        MoveToEx(dc_, tip.x + i, tip.y - i, nullptr);
        LineTo(dc_, tip.x + i, tip.y + i + 1);
        break;
      case Arrow::Right:
        MoveToEx(dc_, tip.x - i, tip.y - i, nullptr);
        LineTo(dc_, tip.x - i, tip.y + i + 1);
        break;
      case Arrow::Up:
        MoveToEx(dc_, tip.x - i, tip.y + i, nullptr);
        LineTo(dc_, tip.x + i + 1, tip.y + i);
        break;
      case Arrow::Down:
        MoveToEx(dc_, tip.x - i, tip.y - i, nullptr);
        LineTo(dc_, tip.x + i + 1, tip.y - i);
        break;
    }
  }
}

}  // namespace qxge
