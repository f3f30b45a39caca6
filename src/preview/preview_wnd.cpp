#include "preview/preview_wnd.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "app/driver_ui_app.h"
#include "platform/win_text.h"
#include "preview/decoration.h"
#include "printer/printer_lookup.h"

namespace qxge {

using platform::W;

namespace {

// The imitation text of a page turned by 0, 90 or 180 degrees: u runs along a line from its
// head, v from the first line to the last.
class PageFrame {
 public:
  PageFrame(const Box& area, int rotation) : a_(area), rotation_(rotation) {}
  int32_t LineLength() const { return rotation_ == 90 ? a_.Height() : a_.Width(); }
  int32_t Depth() const { return rotation_ == 90 ? a_.Width() : a_.Height(); }
  POINT At(int32_t u, int32_t v) const {
    switch (rotation_) {
      case 90: return {a_.right - v, a_.top + u};
      case 180: return {a_.right - u, a_.bottom - v};
      default: return {a_.left + u, a_.top + v};
    }
  }
  RECT Map(int32_t u0, int32_t v0, int32_t u1, int32_t v1) const {
    const POINT p = At(u0, v0), q = At(u1, v1);
    return {std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)};
  }

 private:
  Box a_;
  int rotation_;
};

}  // namespace

void PreviewWnd::Attach(HWND control) {
  SubclassedWindow::Attach(control);
  ProfileFile& text = App().TextFile();
  const SectionScope preview(text, u"Preview");
  letter_ = text.ReadText(u"PreviewLetter", u"S");
}

void PreviewWnd::DropTopCaptionLine() {
  if (captionCount_ > 0) --captionCount_;
}

bool PreviewWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      Paint();
      result = 0;
      return true;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wParam));
      result = 1;
      return true;
    case WM_PRINTCLIENT:
      // Window snapshots ask for the picture in their own device context.
      if ((lParam & PRF_ERASEBKGND) != 0) EraseBackground(reinterpret_cast<HDC>(wParam));
      Render(reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    default:
      return false;
  }
}

bool PreviewWnd::ShowsColour() const { return record_ != nullptr && ColourShown(*record_, App().Features()); }

RECT PreviewWnd::ClientRect() const {
  RECT r{};
  GetClientRect(Handle(), &r);
  return r;
}

void PreviewWnd::Paint() {
  PAINTSTRUCT ps;
  Render(BeginPaint(Handle(), &ps));
  EndPaint(Handle(), &ps);
}

void PreviewWnd::Render(HDC dc) {
  // On a mirrored page the sheet still shows the printed result, which is never mirrored.
  if (App().Features().MirrorLayout != 0) SetLayout(dc, 0);
  PreviewPainter painter(dc, ShowsColour());
  Draw(painter);
}

void PreviewWnd::EraseBackground(HDC dc) {
  const RECT c = ClientRect();
  PreviewPainter painter(dc, false);
  painter.SetPen(GetSysColor(COLOR_BTNSHADOW));
  painter.SetBrush(MeanColour(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT)));
  RoundRect(dc, c.left, c.top, c.right, c.bottom, 6, 6);
}

RECT PreviewWnd::CaptionRect(int index) const {
  const RECT c = ClientRect();
  const LONG bottom = c.bottom - 1 - kCaptionHeight * index;
  return {c.left + 1, bottom - kCaptionHeight, c.right - 1, bottom};
}

HFONT PreviewWnd::PageFont() const {
  return reinterpret_cast<HFONT>(SendMessageW(GetParent(Handle()), WM_GETFONT, 0, 0));
}

void PreviewWnd::SetCaption(const std::u16string& text, int index) {
  if (index < 0 || index >= captionCount_ || captions_[index] == text) return;
  captions_[index] = text;
  if (Handle() == nullptr) return;
  const RECT r = CaptionRect(index);
  InvalidateRect(Handle(), &r, TRUE);
}

void PreviewWnd::SetWatermark(const WatermarkLook& look) {
  if (look == watermark_) return;
  watermark_ = look;
  InvalidateArea();
}

void PreviewWnd::InvalidateArea() {
  if (Handle() == nullptr) return;
  // Everything above the caption lines: the sheet and whatever a variant writes under it.
  RECT r = ClientRect();
  r.bottom -= kCaptionHeight * captionCount_;
  InvalidateRect(Handle(), &r, TRUE);
}

RECT PreviewWnd::GetPreviewArea() const {
  RECT r = ClientRect();
  r.bottom -= kCaptionHeight * captionCount_;
  InflateRect(&r, -5, -5);
  return r;
}

PreviewWnd::PaperFacts PreviewWnd::Paper(int32_t code, bool refresh) {
  auto known = std::find_if(papers_.begin(), papers_.end(), [code](const PaperFacts& p) { return p.code == code; });
  if (known != papers_.end() && !refresh) return *known;
  PaperFacts facts{code, false, {}, {}};
  if (record_ != nullptr) facts.known = PaperNameAndSize(*record_, &facts.name, &facts.size, code);
  if (known != papers_.end())
    *known = facts;
  else
    papers_.push_back(facts);
  return facts;
}

double PreviewWnd::ScaleFor(int32_t longest) const {
  return PaperScale(Shrunk(ToBox(GetPreviewArea()), 1), longest, App().Features().MaxPaperH);
}

void PreviewWnd::Update(DriverDevMode& record) {
  record_ = &record;
  const ModelFeatures& model = App().Features();
  const PaperFacts paper = Paper(record.dmPublic.dmPaperSize);
  int32_t w = paper.known ? paper.size.x : model.MaxPaperW, h = paper.known ? paper.size.y : model.MaxPaperH;
  paperScale_ = ScaleFor(std::max(w, h));
  if ((w > h) != SheetLandscape(record, model)) std::swap(w, h);
  paperSize_ = {w, h};
  const Box sheet = PaperBox(Shrunk(ToBox(GetPreviewArea()), 1), w, h, paperScale_);
  if (!(sheet == paper_)) {
    paper_ = sheet;
    InvalidateArea();
  }
}

int PreviewWnd::PageOrder(int cols, int rows, int row, int col) const {
  return record_ != nullptr ? qxge::PageOrder(record_->dmPrivate.iNupLayout, cols, rows, row, col) : 0;
}

void PreviewWnd::Draw(PreviewPainter& painter) { DrawCaptions(painter); }

std::u16string DecimalText(int32_t n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string PreviewWnd::Text(const char16_t* english) {
  ProfileFile& text = App().TextFile();
  const SectionScope preview(text, u"Preview");
  return text.ReadText(english, english);
}

void PreviewWnd::DrawBandText(PreviewPainter& painter, RECT band, const std::u16string& text) const {
  const HDC dc = painter.Dc();
  const HFONT font = PageFont();
  if (font == nullptr) return;
  const HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkMode(dc, TRANSPARENT);
  RECT measured = band;
  DrawTextW(dc, W(text.c_str()), -1, &measured, DT_CALCRECT | DT_NOPREFIX);
  const int height = measured.bottom - measured.top;
  band.top += (band.bottom - band.top - height) / 2;
  band.bottom = band.top + height;
  DrawTextW(dc, W(text.c_str()), -1, &band, DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
}

void PreviewWnd::DrawCaptions(PreviewPainter& painter) {
  const HDC dc = painter.Dc();
  const HFONT font = PageFont();
  // The context runs left to right for the sheet's sake; the words on a mirrored page still
  // start at its right, as every other text there does.
  const UINT align = App().Features().MirrorLayout != 0 ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
  for (int i = 0; i < captionCount_; ++i) {
    RECT r = CaptionRect(i);
    if (!RectVisible(dc, &r)) continue;
    painter.FillRect(r, GetSysColor(COLOR_BTNFACE));
    if (i + 1 < captionCount_) {
      painter.SetPen(GetSysColor(COLOR_BTNHIGHLIGHT));
      MoveToEx(dc, r.left, r.top, nullptr);
      LineTo(dc, r.right, r.top);
    }
    if (font == nullptr || captions_[i].empty()) continue;
    const HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkMode(dc, TRANSPARENT);
    InflateRect(&r, -5, 0);
    DrawTextW(dc, W(captions_[i].c_str()), -1, &r, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
  }
}

void PreviewWnd::DrawPlainSheet(PreviewPainter& painter, const Box& sheet, bool watermark) {
  const HDC dc = painter.Dc();
  const RECT r = ToRect(sheet);
  painter.FillRect(r, GetSysColor(COLOR_WINDOW));
  painter.SetPen(GetSysColor(COLOR_WINDOWFRAME));
  painter.FrameRect(r);
  if (watermark) DrawWatermark(painter, r, false);

  const Box area = Shrunk(sheet, 7);
  const int rotation = record_ != nullptr ? PageRotation(*record_, App().Features()) : 0;
  const PageFrame page(area, rotation);
  constexpr int kHead = 21;
  // Too small a sheet for a headline reads better blank.
  if (page.LineLength() < 3 * kHead || page.Depth() < 2 * kHead) return;
  const bool colour = painter.Colour();
  const COLORREF ink = colour ? RGB(143, 163, 182) : GetSysColor(COLOR_BTNSHADOW);
  painter.FillRect(page.Map(0, 0, kHead, kHead), ink);
  if (colour) {
    painter.FillRect(page.Map(4, 11, 10, 18), RGB(255, 186, 0));
    painter.FillRect(page.Map(12, 5, 18, 18), RGB(255, 215, 51));
  }

  painter.SetFont(colour ? RGB(0, 12, 255) : GetSysColor(COLOR_BTNSHADOW), kHead, FW_NORMAL, rotation * 10, L"Arial",
                  false);
  SIZE letter{};
  GetTextExtentPoint32W(dc, W(letter_.c_str()), static_cast<int>(letter_.size()), &letter);
  // The text origin is the glyphs' top left as they are turned.
  const POINT at = rotation == 90 ? page.At(kHead + 3 + letter.cx, kHead) : page.At(kHead + 3, 0);
  TextOutW(dc, at.x, at.y, W(letter_.c_str()), static_cast<int>(letter_.size()));

  painter.SetPen(ink);
  const int32_t length = page.LineLength(), depth = page.Depth();
  for (int32_t v = 2; v < depth; v += 5) {
    const int32_t from = v < kHead ? kHead + 3 + letter.cx + 3 : 0;
    const int32_t to = v >= depth - kHead ? length - 24 : length;
    if (from >= to) continue;
    const POINT a = page.At(from, v), b = page.At(to, v);
    MoveToEx(dc, a.x, a.y, nullptr);
    LineTo(dc, b.x, b.y);
  }
}

void PreviewWnd::DrawWatermark(PreviewPainter& painter, const RECT& r, bool washedOut) {
  const int32_t paperSide = std::min(paper_.Width(), paper_.Height());
  if (paperScale_ == 0 || paperSide <= 0 || record_ == nullptr) return;
  // The miniature's pixels per inch of the page r stands for.
  const double perInch = std::min(r.right - r.left, r.bottom - r.top) * paperScale_ * 254 / paperSide;
  DrawWatermarkLook(painter, watermark_, *record_, r, perInch, washedOut);
}

}  // namespace qxge
