#include "preview/layout_preview.h"

#include <algorithm>
#include <string>

#include "app/driver_ui_app.h"
#include "config/text_format.h"
#include "platform/win_text.h"
#include "preview/owner_drawn.h"
#include "printer/printer_lookup.h"

namespace qxge {

using platform::W;

namespace {

constexpr int kTextBand = 40;

Box Intersection(const Box& a, const Box& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

Box Moved(const Box& b, int32_t dx, int32_t dy) { return {b.left + dx, b.top + dy, b.right + dx, b.bottom + dy}; }

// White numbers vanish on a page fill nearly as light as the window (as the face colour is in
// current colour schemes); the shadow grey then keeps them legible.
COLORREF NumberInk(COLORREF fill) {
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const int contrast = std::abs(static_cast<int>(GreyOf(window) & 0xFF) - static_cast<int>(GreyOf(fill) & 0xFF));
  return contrast >= 32 ? window : GetSysColor(COLOR_BTNSHADOW);
}

// Text of the number font currently selected, centred on box and turned by rotation.
void DrawCentred(HDC dc, const Box& box, const std::u16string& text, int rotation) {
  SIZE size{};
  GetTextExtentPoint32W(dc, W(text.c_str()), static_cast<int>(text.size()), &size);
  int32_t x = 0, y = 0;
  TurnedTextOrigin(box, size.cx, size.cy, rotation, x, y);
  TextOutW(dc, x, y, W(text.c_str()), static_cast<int>(text.size()));
}

}  // namespace

RECT LayoutPreview::GetPreviewArea() const {
  RECT r = PreviewWnd::GetPreviewArea();
  r.bottom -= kTextBand;
  return r;
}

void LayoutPreview::Update(DriverDevMode& record) {
  const ModelFeatures& model = App().Features();
  // Every change comes through here, and every read of the text file checks the file first.
  if (copiesLabel_.empty()) {
    copiesLabel_ = Text(u"Copies:") + u" ";
    resolutionLabel_ = Text(u"Resolution:") + u" ";
  }
  SetCaption(copiesLabel_ + DecimalText(record.dmPublic.dmCopies), 1);
  const char16_t* key = ResolutionName(record, model);
  if (key != resolutionKey_) {
    resolutionKey_ = key;
    resolutionText_ = Text(key);
  }
  SetCaption(resolutionLabel_ + resolutionText_, 0);

  record_ = &record;
  SetWatermark(WatermarkLook::FromRecord(record));
  std::u16string signature = PreviewSignature(record, ShowsColour());
  if (signature != signature_) {
    signature_ = std::move(signature);
    InvalidateArea();
  } else if (record.dmPublic.dmPaperSize >= 257) {
    // A user-defined paper keeps its number when the user renames it.
    const std::u16string name = Paper(record.dmPublic.dmPaperSize, true).name;
    if (name != customName_) {
      customName_ = name;
      InvalidateArea();
    }
  }
  PreviewWnd::Update(record);
}

COLORREF LayoutPreview::PageFill(const PreviewPainter& painter) const {
  return painter.Colour() ? RGB(209, 220, 230) : GetSysColor(COLOR_BTNFACE);
}

COLORREF LayoutPreview::AccentInk(const PreviewPainter& painter) const {
  return painter.Colour() ? RGB(0, 12, 255) : GetSysColor(COLOR_BTNSHADOW);
}

void LayoutPreview::Draw(PreviewPainter& painter) {
  PreviewWnd::Draw(painter);
  if (record_ == nullptr) return;
  const PreviewMode mode = SelectPreviewMode(*record_, App().Features());
  DrawTextBand(painter, mode);
  const RECT area = GetPreviewArea();
  if (!RectVisible(painter.Dc(), &area)) return;
  switch (mode) {
    case PreviewMode::FitToPage: DrawFitToPage(painter); break;
    case PreviewMode::Booklet: DrawBooklet(painter); break;
    case PreviewMode::ReduceEnlarge: DrawReduceEnlarge(painter); break;
    case PreviewMode::Poster: DrawPoster(painter); break;
    case PreviewMode::OutputPaper: DrawOutputPaper(painter); break;
    case PreviewMode::Nup: DrawNup(painter); break;
    case PreviewMode::RotatedSheet:
    case PreviewMode::Plain: DrawPlainSheet(painter, paper_, true); break;
  }
}

void LayoutPreview::DrawTextBand(PreviewPainter& painter, PreviewMode mode) {
  RECT band = GetPreviewArea();
  band.top = band.bottom;
  band.bottom += kTextBand;
  if (!RectVisible(painter.Dc(), &band)) return;

  const PrivateDevMode& p = record_->dmPrivate;
  const PaperFacts paper = Paper(record_->dmPublic.dmPaperSize);
  std::u16string first = paper.name, second;
  if (mode == PreviewMode::ReduceEnlarge) {
    second = FormatText(Text(p.iERRatio >= 101 ? u"Enlarge %d%%" : u"Reduce %d%%"), {int32_t{p.iERRatio}}, 255);
  } else if (mode == PreviewMode::FitToPage) {
    first += u" " + Text(u"to");
    second = Paper(p.iFitPagePaper).name;
  } else if (CaptionCount() == 3 && paper.known) {
    second = PaperSizeText(paper.size.x, paper.size.y, p.IsMMInch > 0, false);
  }
  DrawBandText(painter, band, second.empty() ? first : first + u"\r\n" + second);
}

void LayoutPreview::DrawScaledPage(PreviewPainter& painter, const Box& sheet, const Box& page, int arrows) {
  painter.FillRect(ToRect(sheet), GetSysColor(COLOR_WINDOW));
  painter.FillRect(ToRect(page), PageFill(painter));
  painter.SetPen(GetSysColor(COLOR_BTNSHADOW));
  painter.FrameRect(ToRect(page));
  painter.SetPen(GetSysColor(COLOR_WINDOWFRAME));
  painter.FrameRect(ToRect(sheet));
  DrawWatermarkIn(painter, page);
  if (arrows == 0) return;

  painter.SetPen(AccentInk(painter));
  using Arrow = PreviewPainter::Arrow;
  const bool out = arrows > 0;
  const int32_t midX = (page.left + page.right) / 2, midY = (page.top + page.bottom) / 2;
  // Heads stand inside the page image, their base or point 2 pixels off its edge: the margin
  // to the sheet's edge is often too narrow to hold one.
  const int32_t tip = out ? 2 : 6;
  if (page.right != sheet.right)
    painter.DrawArrow({page.right - 1 - tip, midY}, out ? Arrow::Right : Arrow::Left);
  if (page.bottom != sheet.bottom)
    painter.DrawArrow({midX, page.bottom - 1 - tip}, out ? Arrow::Down : Arrow::Up);
  if (page.left != sheet.left) painter.DrawArrow({page.left + tip, midY}, out ? Arrow::Left : Arrow::Right);
  if (page.top != sheet.top) painter.DrawArrow({midX, page.top + tip}, out ? Arrow::Up : Arrow::Down);
}

void LayoutPreview::DrawReduceEnlarge(PreviewPainter& painter) {
  const int32_t ratio = std::clamp<int32_t>(record_->dmPrivate.iERRatio, 1, 1000);
  const ScaledPage scaled = ReduceEnlarge(paper_, Shrunk(ToBox(GetPreviewArea()), 1), ratio);
  DrawScaledPage(painter, scaled.sheet, scaled.page, scaled.arrows);
}

void LayoutPreview::DrawFitToPage(PreviewPainter& painter) {
  const ModelFeatures& model = App().Features();
  const PaperFacts target = Paper(record_->dmPrivate.iFitPagePaper);
  int32_t w = target.known ? target.size.x : model.MaxPaperW, h = target.known ? target.size.y : model.MaxPaperH;
  if ((w > h) != SheetLandscape(*record_, model)) std::swap(w, h);
  int32_t pageW = paperSize_.cx, pageH = paperSize_.cy;
  const int16_t nup = record_->dmPrivate.iNup;
  // Two or six pages per side and booklets print across the turned target paper.
  if (model.LayoutFitToPage != 0 && (BookletInForce(*record_, model) || nup == 1 || nup == 3)) {
    std::swap(w, h);
    std::swap(pageW, pageH);
  }
  const ScaledPage scaled =
      FitToPage(Shrunk(ToBox(GetPreviewArea()), 1), pageW, pageH, w, h, paperScale_, ScaleFor(std::max(w, h)));
  DrawScaledPage(painter, scaled.sheet, scaled.page, scaled.arrows);
}

void LayoutPreview::DrawOutputPaper(PreviewPainter& painter) {
  const ModelFeatures& model = App().Features();
  const PaperFacts output = Paper(record_->dmPrivate.iVirtualPaper);
  int32_t w = output.known ? output.size.x : model.MaxPaperW, h = output.known ? output.size.y : model.MaxPaperH;
  if ((w > h) != SheetLandscape(*record_, model)) std::swap(w, h);
  const Box area = Shrunk(ToBox(GetPreviewArea()), 1);
  double scale = ScaleFor(std::max(w, h));
  if (w * scale > paper_.Width() || h * scale > paper_.Height()) {
    // A larger output paper keeps the document page as large as on its own.
    scale = std::min({paperScale_, static_cast<double>(area.Width()) / w, static_cast<double>(area.Height()) / h});
  }
  // A document page larger than the output paper overhangs it; both stay in the area.
  scale = std::min({scale, static_cast<double>(area.Width()) / std::max<int32_t>(w, paperSize_.cx),
                    static_cast<double>(area.Height()) / std::max<int32_t>(h, paperSize_.cy)});
  const Box sheet = PaperBox(area, w, h, scale);
  const Box page = PlaceOnSheet(sheet, static_cast<int32_t>(paperSize_.cx * scale + 0.5),
                                static_cast<int32_t>(paperSize_.cy * scale + 0.5), record_->dmPrivate.iVirtualLayout,
                                record_->dmPrivate.iRotate == 180);
  const int32_t dx = (area.left + area.right - std::min(sheet.left, page.left) - std::max(sheet.right, page.right)) / 2;
  const int32_t dy = (area.top + area.bottom - std::min(sheet.top, page.top) - std::max(sheet.bottom, page.bottom)) / 2;
  DrawScaledPage(painter, Moved(sheet, dx, dy), Moved(page, dx, dy), 0);
}

void LayoutPreview::DrawNup(PreviewPainter& painter) {
  const HDC dc = painter.Dc();
  const ModelFeatures& model = App().Features();
  const PrivateDevMode& p = record_->dmPrivate;
  const NupGrid grid = GridFor(p.iNup, SheetLandscape(*record_, model));
  const Box sheet = grid.turned ? Turned(paper_) : paper_;
  painter.FillRect(ToRect(sheet), GetSysColor(COLOR_WINDOW));
  painter.SetPen(GetSysColor(COLOR_WINDOWFRAME));
  painter.FrameRect(ToRect(sheet));

  const int rotation = PageRotation(*record_, model);
  const int32_t count = grid.cols * grid.rows;
  const bool bordered = p.iNupBorder > 0;
  const COLORREF fill = PageFill(painter);
  painter.SetBrush(fill);
  // One font for every cell: the cells are alike.
  const Box first = FitInto(Shrunk(GridCell(sheet, grid, 0, 0), 2), paper_.Width(), paper_.Height());
  const int numberHeight = std::min(first.Width(), first.Height()) * 3 / 5;
  for (int32_t row = 0; row < grid.rows; ++row) {
    for (int32_t col = 0; col < grid.cols; ++col) {
      const Box page = FitInto(Shrunk(GridCell(sheet, grid, row, col), 2), paper_.Width(), paper_.Height());
      if (bordered)
        Rectangle(dc, page.left, page.top, page.right, page.bottom);
      else
        painter.FillRect(ToRect(page), fill);
      int32_t order = PageOrder(grid.cols, grid.rows, row, col);
      if (p.iRotate == 180) order = count - 1 - order;
      if (p.WaterFirstPage == 0 || order == 0) DrawWatermarkIn(painter, page);
      painter.SetFont(NumberInk(fill), numberHeight, FW_NORMAL, rotation * 10, L"Arial", false);
      DrawCentred(dc, page, DecimalText(order + 1), rotation);
    }
  }
}

void LayoutPreview::DrawBooklet(PreviewPainter& painter) {
  const HDC dc = painter.Dc();
  const ModelFeatures& model = App().Features();
  const bool landscape = SheetLandscape(*record_, model);
  // Two pages of the document share one turned sheet.
  const Box sheet = Turned(paper_);
  painter.FillRect(ToRect(sheet), GetSysColor(COLOR_WINDOW));
  painter.SetPen(GetSysColor(COLOR_WINDOWFRAME));
  painter.FrameRect(ToRect(sheet));
  Box halves[2] = {sheet, sheet};
  if (landscape) {
    halves[0].bottom = halves[1].top = (sheet.top + sheet.bottom) / 2;
    MoveToEx(dc, sheet.left, halves[0].bottom, nullptr);
    LineTo(dc, sheet.right, halves[0].bottom);
  } else {
    halves[0].right = halves[1].left = (sheet.left + sheet.right) / 2;
    MoveToEx(dc, halves[0].right, sheet.top, nullptr);
    LineTo(dc, halves[0].right, sheet.bottom);
  }
  const int rotation = PageRotation(*record_, model);
  const bool upsideDown = record_->dmPrivate.iRotate == 180;
  // The back cover lies first on the outside of the folded sheet, the front cover second.
  const char16_t* outside[2] = {upsideDown ? u"1" : u"4", upsideDown ? u"4" : u"1"};
  const char16_t* inside[2] = {u"2", u"3"};
  const COLORREF fill = PageFill(painter);
  for (int i = 0; i < 2; ++i) {
    const Box& half = halves[i];
    const Box page = CentredIn(half, half.Width() * 4 / 5, half.Height() * 4 / 5);
    painter.FillRect(ToRect(page), fill);
    if (record_->dmPrivate.WaterFirstPage == 0) DrawWatermarkIn(painter, page);
    const int32_t side = std::min(page.Width(), page.Height());
    painter.SetFont(NumberInk(fill), side * 3 / 5, FW_BOLD, rotation * 10, L"Arial", false);
    DrawCentred(dc, page, outside[i], rotation);
    const int32_t small = std::max(side / 5, 8);
    const Box corner = {page.right - small - 2, page.bottom - small - 2, page.right - 2, page.bottom - 2};
    painter.SetFont(NumberInk(fill), small, FW_NORMAL, rotation * 10, L"Arial", false);
    DrawCentred(dc, corner, inside[i], rotation);
  }
}

void LayoutPreview::DrawPoster(PreviewPainter& painter) {
  const HDC dc = painter.Dc();
  const PrivateDevMode& p = record_->dmPrivate;
  const PosterTiling tiling = PosterTiles(p.iPoster, p.iPoster_Scale);
  const Box& sheet = paper_;
  const int32_t n = tiling.tiles;
  const int32_t pageW = sheet.Width() * tiling.pageHundredths / (100 * n);
  const int32_t pageH = sheet.Height() * tiling.pageHundredths / (100 * n);
  const Box page = p.iRotate == 180 ? Box{sheet.right - pageW, sheet.bottom - pageH, sheet.right, sheet.bottom}
                                    : Box{sheet.left, sheet.top, sheet.left + pageW, sheet.top + pageH};
  const COLORREF fill = PageFill(painter);
  painter.SetPen(GetSysColor(COLOR_WINDOWFRAME));
  auto tileAt = [&](int32_t row, int32_t col) {
    const Box pitch = GridCell(sheet, {n, n, false}, row, col);
    // Tiles at 19/20 of their pitch, so that each printed sheet shows on its own.
    return Box{pitch.left, pitch.top, pitch.left + pitch.Width() * 19 / 20, pitch.top + pitch.Height() * 19 / 20};
  };
  for (int32_t row = 0; row < n; ++row) {
    for (int32_t col = 0; col < n; ++col) {
      const Box tile = tileAt(row, col);
      painter.FillRect(ToRect(tile), GetSysColor(COLOR_WINDOW));
      const Box printed = Intersection(tile, page);
      if (printed.Width() > 0 && printed.Height() > 0) painter.FillRect(ToRect(printed), fill);
      painter.FrameRect(ToRect(tile));
    }
  }
  DrawWatermarkIn(painter, page);
  // The enlarged page's outline, just outside it so that the tiles keep their frames.
  painter.SetPen(AccentInk(painter));
  painter.FrameRect(ToRect(Shrunk(page, -1)));

  // Tile numbers sit on the page fill and on blank paper alike: the shadow grey reads on both.
  const Box first = tileAt(0, 0);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  SetBkMode(dc, TRANSPARENT);
  LOGFONTW font{};
  font.lfHeight = first.Height() * 3 / 5;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  wcscpy(font.lfFaceName, L"Arial");
  const HGDIOBJ painterFont = GetCurrentObject(dc, OBJ_FONT);
  platform::Font fitted;
  const std::u16string widest = DecimalText(n * n);
  // Numbers squeezed below 4 pixels are smudges, not numbers.
  if (FitFontHeight(dc, W(widest.c_str()), first.Width() - 4, font, fitted) >= 4) {
    for (int32_t row = 0; row < n; ++row)
      for (int32_t col = 0; col < n; ++col) DrawCentred(dc, tileAt(row, col), DecimalText(row * n + col + 1), 0);
  }
  SelectObject(dc, painterFont);
}

}  // namespace qxge
