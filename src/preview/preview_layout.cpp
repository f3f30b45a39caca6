#include "preview/preview_layout.h"

#include <algorithm>
#include <cmath>

#include "record/record_compare.h"
#include "record/resolutions.h"

namespace qxge {

namespace {

// Rounds the way the miniature has always been measured: add a half and cut.
int32_t Nearest(double v) { return static_cast<int32_t>(v + 0.5); }

bool TurnedByPrinter(const DriverDevMode& record, const ModelFeatures& model) {
  return model.LayoutRotate != 0 && ModelFeatures::ListContains(record.dmPublic.dmPaperSize, model.RotatePapers) &&
         record.dmPrivate.iRotate == 90;
}


}  // namespace

NupGrid PhotoCloneGrid(int32_t clone, int32_t paperSize) {
  if (clone < 1 || clone > 8) return {1, 1, false};
  // Columns by paper: 121 and 131, 123 and 133, 125, 135; rows by clone 1..8. 131 differs from
  // 121 only for clone 6.
  static const NupGrid kGrids[8][4] = {
      {{4, 4, false}, {4, 4, false}, {2, 2, false}, {2, 2, false}},
      {{3, 3, false}, {2, 3, false}, {2, 1, true}, {2, 1, true}},
      {{4, 2, true}, {2, 2, false}, {1, 1, false}, {2, 1, true}},
      {{2, 1, true}, {1, 1, false}, {1, 1, false}, {1, 1, false}},
      {{2, 2, false}, {2, 2, false}, {1, 1, false}, {1, 1, false}},
      {{2, 2, false}, {2, 1, true}, {1, 1, false}, {1, 1, false}},
      {{2, 1, true}, {2, 1, true}, {1, 1, false}, {1, 1, false}},
      {{2, 1, true}, {1, 1, false}, {0, 0, false}, {0, 0, false}},
  };
  const int32_t code = paperSize | 1;
  int column = -1;
  if (code == 121 || code == 131) column = 0;
  if (code == 123 || code == 133) column = 1;
  if (code == 125) column = 2;
  if (code == 135) column = 3;
  if (column < 0) return {1, 1, false};
  if (clone == 6 && code == 131) return {2, 1, true};
  return kGrids[clone - 1][column];
}

NupGrid PhotoNupGrid(int32_t nup) {
  static const NupGrid kGrids[6] = {{2, 1, true}, {2, 2, false}, {3, 2, true},
                                    {3, 3, false}, {4, 4, false}, {4, 2, true}};
  return nup >= 1 && nup <= 6 ? kGrids[nup - 1] : NupGrid{1, 1, false};
}

PhotoSize ClonePhotoSize(int32_t clone, bool landscape) {
  static const PhotoSize kSizes[8] = {{200, 300}, {300, 400}, {350, 450}, {500, 700},
                                      {400, 500}, {500, 500}, {510, 510}, {510, 700}};
  if (clone < 1 || clone > 8) return {0, 0};
  const PhotoSize size = kSizes[clone - 1];
  return landscape ? PhotoSize{size.h, size.w} : size;
}

Box PrintedPhotoBox(const Box& printable, int32_t clone, bool landscape) {
  const PhotoSize photo = ClonePhotoSize(clone, landscape);
  return FitInto(printable, photo.w, photo.h);  // no photo size: the whole area
}

FramePieces CutFrame(const Box& page, int32_t pictureW, int32_t pictureH, int32_t corner) {
  FramePieces cut;
  const int32_t w = page.Width(), h = page.Height();
  if (corner <= 0 || pictureW <= 2 * corner || pictureH <= 2 * corner || w <= 0 || h <= 0) return cut;
  const int32_t drawn = static_cast<int32_t>(
      std::lround(corner * (static_cast<double>(h) / pictureH + static_cast<double>(w) / pictureW) / 2));
  if (drawn <= 0 || 2 * drawn >= w || 2 * drawn >= h) return cut;
  // Start and extent of the three columns and rows, in the picture and on the page.
  const int32_t fromX[4] = {0, corner, pictureW - corner, pictureW};
  const int32_t fromY[4] = {0, corner, pictureH - corner, pictureH};
  const int32_t toX[4] = {page.left, page.left + drawn, page.right - drawn, page.right};
  const int32_t toY[4] = {page.top, page.top + drawn, page.bottom - drawn, page.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (row == 1 && col == 1) continue;
      cut.pieces[cut.count++] = {{fromX[col], fromY[row], fromX[col + 1], fromY[row + 1]},
                                 {toX[col], toY[row], toX[col + 1], toY[row + 1]}};
    }
  }
  cut.corner = drawn;
  return cut;
}

Box Shrunk(const Box& b, int32_t by) { return {b.left + by, b.top + by, b.right - by, b.bottom - by}; }

Box CentredIn(const Box& b, int32_t w, int32_t h) {
  const int32_t left = b.left + (b.Width() - w) / 2, top = b.top + (b.Height() - h) / 2;
  return {left, top, left + w, top + h};
}

Box Turned(const Box& b) { return CentredIn(b, b.Height(), b.Width()); }

bool BookletInForce(const DriverDevMode& record, const ModelFeatures& model) {
  return model.LayoutBooklet != 0 && !IsDuplexBlocked(record, model) && record.dmPrivate.iBooklet != 0;
}

PreviewMode SelectPreviewMode(const DriverDevMode& record, const ModelFeatures& model) {
  const PrivateDevMode& p = record.dmPrivate;
  const int16_t paper = record.dmPublic.dmPaperSize;
  if (TurnedByPrinter(record, model)) return PreviewMode::RotatedSheet;
  if (p.iFitPage != 0 && p.iFitPagePaper != paper) return PreviewMode::FitToPage;
  if (BookletInForce(record, model)) return PreviewMode::Booklet;
  if (p.iER != 0 && p.iERRatio != 100) return PreviewMode::ReduceEnlarge;
  if (p.iPoster != 0) return PreviewMode::Poster;
  if (p.iVirtualPrint != 0 && p.iVirtualPaper != paper) return PreviewMode::OutputPaper;
  if (p.iNup > 0) return PreviewMode::Nup;
  return PreviewMode::Plain;
}

int PageRotation(const DriverDevMode& record, const ModelFeatures& model) {
  if (TurnedByPrinter(record, model)) return 90;
  return record.dmPrivate.iRotate == 180 ? 180 : 0;
}

bool SheetLandscape(const DriverDevMode& record, const ModelFeatures& model) {
  return (record.dmPublic.dmOrientation == 2) != TurnedByPrinter(record, model);
}

int32_t PageOrder(int32_t nupLayout, int32_t cols, int32_t rows, int32_t row, int32_t col) {
  switch (nupLayout) {
    case 0: return row * cols + col;
    case 1: return col * rows + row;
    case 2: return row * cols + (cols - 1 - col);
    case 3: return (cols - 1 - col) * rows + row;
    case 4: return (rows - 1 - row) * cols + col;
    case 6: return col * rows + (rows - 1 - row);
    case 7: return (rows - row) * cols - col - 1;
    case 8: return (cols - col) * rows - row - 1;
    default: return 0;
  }
}

NupGrid GridFor(int32_t nup, bool landscape) {
  NupGrid grid;
  switch (nup) {
    case 1: grid = {2, 1, true}; break;
    case 2: grid = {2, 2, false}; break;
    case 3: grid = {3, 2, true}; break;
    case 4: grid = {3, 3, false}; break;
    default: grid = {4, 4, false}; break;
  }
  if (landscape) std::swap(grid.cols, grid.rows);
  return grid;
}

double PaperScale(const Box& area, int32_t longestSide, int32_t maxPaperHeight) {
  if (maxPaperHeight <= 0) return 0;
  const double base = static_cast<double>(std::min(area.Width(), area.Height())) / maxPaperHeight;
  return (2.0 - static_cast<double>(longestSide) / maxPaperHeight) * base;
}

Box PaperBox(const Box& area, int32_t w, int32_t h, double scale) {
  return CentredIn(area, static_cast<int32_t>(w * scale + 0.5), static_cast<int32_t>(h * scale + 0.5));
}

Box FitInto(const Box& cell, int32_t w, int32_t h) {
  if (w <= 0 || h <= 0 || cell.Width() <= 0 || cell.Height() <= 0) return cell;
  const double ratio = std::max(static_cast<double>(w) / cell.Width(), static_cast<double>(h) / cell.Height());
  return CentredIn(cell, Nearest(w / ratio), Nearest(h / ratio));
}

Box GridCell(const Box& sheet, const NupGrid& grid, int32_t row, int32_t col) {
  const int32_t w = sheet.Width(), h = sheet.Height();
  return {sheet.left + w * col / grid.cols, sheet.top + h * row / grid.rows, sheet.left + w * (col + 1) / grid.cols,
          sheet.top + h * (row + 1) / grid.rows};
}

ScaledPage ReduceEnlarge(const Box& sheet, const Box& area, int32_t ratio) {
  int32_t w = sheet.Width() * ratio / 100, h = sheet.Height() * ratio / 100;
  if (ratio <= 100) {
    // A page as large as the sheet would hide the sheet's outline.
    if (w == sheet.Width() && h == sheet.Height()) --w, --h;
    return {sheet, {sheet.left, sheet.top, sheet.left + w, sheet.top + h}, ratio < 100 ? -1 : 0};
  }
  double fit = 1.0;
  if (w > area.Width() || h > area.Height())
    fit = std::min(static_cast<double>(area.Width()) / w, static_cast<double>(area.Height()) / h);
  const Box page = CentredIn(area, Nearest(w * fit), Nearest(h * fit));
  return {{page.left, page.top, page.left + Nearest(sheet.Width() * fit), page.top + Nearest(sheet.Height() * fit)},
          page, 1};
}

ScaledPage FitToPage(const Box& area, int32_t pageW, int32_t pageH, int32_t targetW, int32_t targetH, double ownScale,
                     double targetScale) {
  if (ownScale > targetScale && pageW > 0 && pageH > 0) {
    // At its own, smaller scale a larger target paper comes out hardly larger than the
    // document's sheet, and the page fitted onto it fills it: nothing shows the change. The
    // sheet keeps the document paper's size instead, and the page grows past it as an
    // enlarged one does.
    const double fit = std::min(static_cast<double>(targetW) / pageW, static_cast<double>(targetH) / pageH);
    return ReduceEnlarge(PaperBox(area, pageW, pageH, ownScale), area, Nearest(std::clamp(fit * 100, 1.0, 1000.0)));
  }
  const Box sheet = PaperBox(area, targetW, targetH, targetScale);
  const int32_t own = std::max(pageW, pageH), target = std::max(targetW, targetH);
  return {sheet, FitInto(sheet, pageW, pageH), own > target ? -1 : own < target ? 1 : 0};
}

Box PlaceOnSheet(const Box& sheet, int32_t w, int32_t h, int32_t virtualLayout, bool upsideDown) {
  // Horizontal and vertical place: 0 start, 1 middle, 2 end.
  int x = 2, y = 2;
  switch (virtualLayout) {
    case 0: x = 0, y = 0; break;
    case 1: x = 2, y = 0; break;
    case 2: x = 1, y = 0; break;
    case 3: x = 0, y = 1; break;
    case 4: x = 2, y = 1; break;
    case 5: x = 1, y = 1; break;
    case 6: x = 0, y = 2; break;
    case 8: x = 1, y = 2; break;
    default: break;
  }
  if (upsideDown) x = 2 - x, y = 2 - y;
  const int32_t left = sheet.left + (sheet.Width() - w) * x / 2, top = sheet.top + (sheet.Height() - h) * y / 2;
  return {left, top, left + w, top + h};
}

PosterTiling PosterTiles(int32_t poster, int32_t posterScale) {
  int32_t tiles;
  switch (poster) {
    case 1: tiles = 2; break;
    case 2: tiles = 3; break;
    case 3: tiles = 4; break;
    case 5: tiles = 6; break;
    default: {
      const int32_t scale = std::clamp(posterScale, 100, 10000);  // a damaged record draws a sane poster
      return {(scale - 1) / 100 + 1, scale};
    }
  }
  return {tiles, tiles * 100};
}

std::u16string PreviewSignature(const DriverDevMode& record, bool colour) {
  const PrivateDevMode& p = record.dmPrivate;
  const int32_t values[] = {p.IsMMInch,    p.iPoster, p.iPoster_Scale, p.iNup,          p.iNupBorder,    p.iNupLayout,
                            p.iER,         p.iERRatio, p.iBooklet,     p.iFitPage,      p.iFitPagePaper, p.iRotate,
                            p.iVirtualPrint, p.iVirtualPaper, p.iVirtualLayout, record.dmPublic.dmPaperSize,
                            colour ? 1 : 0};
  std::u16string signature;
  for (int32_t v : values) {
    const std::string digits = std::to_string(v);
    signature.append(digits.begin(), digits.end());
    signature += u',';
  }
  return signature;
}

const char16_t* ResolutionName(const DriverDevMode& record, const ModelFeatures& model) {
  return kResolutionChoices[ResolutionIndex(record, model)].caption;
}

WatermarkLook WatermarkLook::FromRecord(const DriverDevMode& record) {
  const PrivateDevMode& p = record.dmPrivate;
  WatermarkLook look;
  look.text = p.cWaterText.Read();
  look.face = p.WaterStrFaceName.Read();
  look.size = p.iWaterSize;
  look.angle = p.iWaterAngle;
  look.weight = p.lfWeight;
  look.colour = p.WaterColor;
  look.italic = p.lfItalic != 0;
  look.firstPageOnly = p.WaterFirstPage != 0;
  return look;
}

bool WatermarkLook::operator==(const WatermarkLook& o) const {
  return text == o.text && face == o.face && size == o.size && angle == o.angle && weight == o.weight &&
         colour == o.colour && italic == o.italic && firstPageOnly == o.firstPageOnly;
}

void TurnedTextOrigin(const Box& b, int32_t w, int32_t h, int32_t angle, int32_t& x, int32_t& y) {
  const double a = angle * 0.017453292519444445;
  x = (b.right + b.left - Nearest(w * std::cos(a) + h * std::sin(a))) / 2;
  y = (b.bottom + b.top + Nearest(w * std::sin(a) - h * std::cos(a))) / 2;
}

uint32_t GreyOf(uint32_t colour) {
  const uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
  const uint32_t y = (77 * r + 150 * g + 29 * b + 128) / 256;
  return y | (y << 8) | (y << 16);
}

bool ColourShown(const DriverDevMode& record, const ModelFeatures& model) {
  return model.GraphicsColorMode != 0 && record.dmPrivate.iGrayMode > 0;
}

uint32_t MeanColour(uint32_t a, uint32_t b) {
  uint32_t mean = 0;
  for (int shift = 0; shift < 24; shift += 8) mean |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
  return mean;
}

}  // namespace qxge
