#include "preview/photo_preview.h"

#include <algorithm>
#include <string>

#include "app/driver_ui_app.h"
#include "platform/win_text.h"
#include "preview/decoration.h"
#include "printer/printer_lookup.h"

namespace qxge {
namespace {

constexpr int kBandPerCaption = 20;  // the text band grows with the caption lines
constexpr double kPhotoCellFactor = 0.003543307086614173;

}  // namespace

RECT PhotoPreview::GetPreviewArea() const {
  RECT r = PreviewWnd::GetPreviewArea();
  r.bottom -= kBandPerCaption * (CaptionCount() + 1);
  return r;
}

void PhotoPreview::Update(DriverDevMode& record) {
  const PrivateDevMode& p = record.dmPrivate;
  const int top = CaptionCount() - 1;
  SetCaption(Text(u"Copies:") + u" " + DecimalText(record.dmPublic.dmCopies), top);
  if (top > 0) SetCaption(Text(u"Resolution:") + u" " + (p.iResolution == 600 ? u"600 dpi" : u"1200 dpi"), 0);

  const int index = FramePictureIndex(p.FrameStyle, ColourShown(record, App().Features()),
                                      record.dmPublic.dmOrientation == DMORIENT_LANDSCAPE);
  if (index != frameIndex_) {
    frameIndex_ = index;
    frame_ = LoadFramePicture(index, FrameDevice::Screen);
  }
  std::u16string signature;
  for (int32_t v : {int32_t{p.IsMMInch}, int32_t{p.iBorderless}, int32_t{p.iClone}, int32_t{p.iNup},
                    int32_t{p.iNupBorder}, int32_t{p.iNupLayout}, int32_t{p.iGrayMode}, static_cast<int32_t>(p.FrameStyle),
                    int32_t{p.iDecoNoteBorder}, int32_t{p.lfDecoWeight}, int32_t{p.lfDecoItalic},
                    static_cast<int32_t>(p.DecoFontColor)})
    signature += DecimalText(v) + u",";
  signature += p.DecoStrFaceName.Read() + u"|" + p.StrDate.Read() + u"|" + p.StrDecoNote.Read();
  if (signature != signature_) {
    signature_ = std::move(signature);
    InvalidateArea();
  }
  ColorSamplePreview::Update(record);
  PreviewWnd::Update(record);
}

void PhotoPreview::DrawTextBlock(PreviewPainter& painter) {
  RECT band = GetPreviewArea();
  band.top = band.bottom;
  band.bottom += kBandPerCaption * (CaptionCount() + 1);
  if (!RectVisible(painter.Dc(), &band)) return;
  const PrivateDevMode& p = record_->dmPrivate;
  const PaperFacts paper = Paper(record_->dmPublic.dmPaperSize);
  std::u16string text;
  if (CaptionCount() < 2) {
    text = paper.name + u"\r\n" + Text(p.iBorderless >= 1 ? u"Borderless" : u"Bordered");
  } else if (paper.known) {
    const bool inches = p.IsMMInch > 0;
    text = Text(u"Paper Size:") + u"\r\n " + PaperSizeText(paper.size.x, paper.size.y, inches, false);
    // A bordered photo leaves 2 mm all round.
    if (p.iBorderless < 1)
      text += u"\r\n" + Text(u"Print Area:") + u"\r\n " + PaperSizeText(paper.size.x - 20, paper.size.y - 20, inches, false);
  }
  DrawBandText(painter, band, text);
}

void PhotoPreview::DrawPage(PreviewPainter& painter, const RECT& page) {
  painter.FillRect(page, GetSysColor(COLOR_WINDOW));
  DrawDecoration(*record_, paperScale_ * 254, painter, page, Sample(), frame_);
}

void PhotoPreview::Draw(PreviewPainter& painter) {
  PreviewWnd::Draw(painter);
  if (record_ == nullptr) return;
  DrawTextBlock(painter);
  const RECT area = GetPreviewArea();
  const HDC dc = painter.Dc();
  if (!RectVisible(dc, &area) || paper_.Width() <= 0) return;
  if (App().Features().MirrorLayout != 0) SetLayout(dc, 0);

  const PrivateDevMode& p = record_->dmPrivate;
  const bool landscape = record_->dmPublic.dmOrientation == DMORIENT_LANDSCAPE;
  // A clone count outside the table shows one photo.
  const bool clone = p.iClone >= 1 && p.iClone <= 8;
  const bool nup = p.iClone == 0 && p.iNup >= 1 && p.iNup <= 6;
  if (!clone && !nup) {
    const RECT sheet = ToRect(paper_);
    DrawPage(painter, sheet);
    painter.SetPen(GetSysColor(COLOR_WINDOWFRAME));
    painter.FrameRect(sheet);
    return;
  }

  NupGrid grid = clone ? PhotoCloneGrid(p.iClone, record_->dmPublic.dmPaperSize) : PhotoNupGrid(p.iNup);
  Box sheet = paper_;
  if (grid.turned) sheet = Turned(sheet);
  if (landscape) std::swap(grid.cols, grid.rows);
  painter.FillRect(ToRect(sheet), painter.Colour() ? RGB(209, 220, 230) : GetSysColor(COLOR_BTNFACE));
  painter.SetPen(GetSysColor(COLOR_WINDOWFRAME));
  painter.FrameRect(ToRect(sheet));
  if (grid.cols <= 0 || grid.rows <= 0) return;

  int32_t cellW = sheet.Width() / grid.cols, cellH = sheet.Height() / grid.rows;
  if (clone) {
    const PhotoSize photo = ClonePhotoSize(p.iClone, landscape);
    const int32_t quality = record_->dmPublic.dmPrintQuality > 0 ? record_->dmPublic.dmPrintQuality : 600;
    cellW = static_cast<int32_t>(photo.w * quality * paperScale_ * kPhotoCellFactor);
    cellH = static_cast<int32_t>(photo.h * quality * paperScale_ * kPhotoCellFactor);
  } else if (grid.turned) {
    // A page of the paper's own proportions, as large as fits its cell.
    const Box fitted = FitInto(Box{0, 0, cellW, cellH}, paperSize_.cx, paperSize_.cy);
    cellW = fitted.Width();
    cellH = fitted.Height();
  }
  const int32_t pageW = cellW * 9 / 10, pageH = cellH * 9 / 10;
  const int32_t gapX = (sheet.Width() - pageW * grid.cols) / grid.cols;
  const int32_t gapY = (sheet.Height() - pageH * grid.rows) / grid.rows;
  const bool numbers = p.iNup >= 1 && p.iNupLayout != 5 && !clone;
  for (int32_t row = 0; row < grid.rows; ++row) {
    for (int32_t col = 0; col < grid.cols; ++col) {
      const int32_t x = sheet.left + gapX / 2 + col * (pageW + gapX), y = sheet.top + gapY / 2 + row * (pageH + gapY);
      const RECT page = {x, y, x + pageW, y + pageH};
      DrawPage(painter, page);
      if (p.iNupBorder > 0) {
        painter.SetPen(GetSysColor(COLOR_WINDOWFRAME));
        painter.FrameRect({page.left - 1, page.top - 1, page.right + 1, page.bottom + 1});
      }
      if (!numbers || pageH < 4) continue;
      painter.SetFont(painter.Colour() ? RGB(143, 163, 182) : GetSysColor(COLOR_BTNSHADOW), pageH / 2, 900, 0, L"Arial",
                      false);
      const std::u16string number = DecimalText(qxge::PageOrder(p.iNupLayout, grid.cols, grid.rows, row, col) + 1);
      RECT quarter = {page.left + pageW / 2, page.top + pageH / 2, page.right, page.bottom};
      SetBkMode(dc, TRANSPARENT);
      DrawTextW(dc, platform::W(number.c_str()), -1, &quarter, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
}

}  // namespace qxge
