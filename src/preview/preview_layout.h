// The geometry of the page preview, free of any window: which picture a record asks for,
// where the sheet and its pages go, the order pages are numbered in, and what the captions
// say. The drawing code turns these rectangles into pixels.
#pragma once

#include <cstdint>
#include <string>

#include "config/model_features.h"
#include "record/driver_dev_mode.h"

namespace qxge {

struct Box {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const Box& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

Box Shrunk(const Box& b, int32_t by);
// Width w and height h about the centre of b.
Box CentredIn(const Box& b, int32_t w, int32_t h);
// b turned by 90 degrees about its centre.
Box Turned(const Box& b);

// The first picture in this order that the record asks for wins.
enum class PreviewMode {
  RotatedSheet,   // the page turned on a paper that the printer turns itself
  FitToPage,      // the document page scaled onto another paper
  Booklet,        // a folded sheet
  ReduceEnlarge,  // the page scaled by a percentage
  Poster,         // one page across tiles
  OutputPaper,    // the page placed on a larger output paper
  Nup,            // pages per sheet
  Plain,
};
PreviewMode SelectPreviewMode(const DriverDevMode& record, const ModelFeatures& model);

bool BookletInForce(const DriverDevMode& record, const ModelFeatures& model);
// 0, 90 or 180: how the page's content is turned on the sheet.
int PageRotation(const DriverDevMode& record, const ModelFeatures& model);
bool SheetLandscape(const DriverDevMode& record, const ModelFeatures& model);

// The 0-based place of the page in row and column of a cols x rows sheet in the order
// iNupLayout names; 0 for every cell when it names none.
int32_t PageOrder(int32_t nupLayout, int32_t cols, int32_t rows, int32_t row, int32_t col);

struct NupGrid {
  int32_t cols, rows;
  bool turned;  // the sheet is drawn turned by 90 degrees
};
// Columns and rows as drawn on the sheet of the given orientation.
NupGrid GridFor(int32_t nup, bool landscape);

// The photos of a photo sheet: copies of one photo (clone 1..8, on the paper whose code with
// bit 0 set says which table column applies) or pages per sheet (nup 1..6), as columns and
// rows of a portrait sheet. 0 x 0 when nothing is drawn, 1 x 1 for one photo.
NupGrid PhotoCloneGrid(int32_t clone, int32_t paperSize);
NupGrid PhotoNupGrid(int32_t nup);
// The size of one cloned photo as it lies on a sheet of the given orientation, in the units
// the preview's cell size and the printed photo's proportions are taken from; 0 x 0 for a
// clone count outside the table.
struct PhotoSize {
  int32_t w, h;
};
PhotoSize ClonePhotoSize(int32_t clone, bool landscape);
// Where a printed page's decoration goes on the printable area: the whole area, or for copies
// of one photo the photo's shape made as large as fits and centred, so that the printer's
// file frames one photo and not the sheet.
Box PrintedPhotoBox(const Box& printable, int32_t clone, bool landscape);

// A frame picture cut in nine: each corner copied at the drawn corner size, each edge
// stretched between two corners; the middle is left for the photo.
struct FramePiece {
  Box from, to;  // in the picture, on the page
};
struct FramePieces {
  int32_t corner = 0;  // drawn corner size: how far the frame reaches into the page
  int count = 0;       // 8, or 0 when the picture or the page is too small to frame
  FramePiece pieces[8];
};
// The pieces of a picture of pictureW x pictureH with corners of corner pixels, drawn around
// page; the corners keep the proportion the picture has to the page.
FramePieces CutFrame(const Box& page, int32_t pictureW, int32_t pictureH, int32_t corner);

// Preview pixels per tenth of a millimetre: the largest paper fills the side, smaller ones are
// drawn larger than true proportion so that they stay legible.
double PaperScale(const Box& area, int32_t longestSide, int32_t maxPaperHeight);
// The sheet of paper size w x h (tenths of a millimetre), at scale, centred in area.
Box PaperBox(const Box& area, int32_t w, int32_t h, double scale);
// A page of w x h made as large as fits into cell keeping its proportions, centred.
Box FitInto(const Box& cell, int32_t w, int32_t h);
Box GridCell(const Box& sheet, const NupGrid& grid, int32_t row, int32_t col);

// Sheet and page image of a reduced or enlarged page, both fitted to area when the page
// outgrows it; the arrows point outwards (1) for a page larger than the sheet, inwards (-1)
// for a smaller one, and there are none (0) for a page of the sheet's size.
struct ScaledPage {
  Box sheet, page;
  int arrows = 0;
};
ScaledPage ReduceEnlarge(const Box& sheet, const Box& area, int32_t ratio);
// A document page of pageW x pageH fitted onto a target paper of targetW x targetH (tenths of
// a millimetre, as they lie on the sheet). ownScale is the preview's scale for the document's
// paper, targetScale the one the target paper gets.
ScaledPage FitToPage(const Box& area, int32_t pageW, int32_t pageH, int32_t targetW, int32_t targetH, double ownScale,
                     double targetScale);
// A page of w x h on sheet at one of the nine places of iVirtualLayout; turned over by 180.
Box PlaceOnSheet(const Box& sheet, int32_t w, int32_t h, int32_t virtualLayout, bool upsideDown);

struct PosterTiling {
  int32_t tiles;       // per side
  int32_t pageHundredths;  // extent of the enlarged page in hundredths of a tile
};
PosterTiling PosterTiles(int32_t poster, int32_t posterScale);

// The fingerprint of everything the layout picture depends on.
std::u16string PreviewSignature(const DriverDevMode& record, bool colour);

// The English name of the record's resolution, also the key of its translation.
const char16_t* ResolutionName(const DriverDevMode& record, const ModelFeatures& model);

// What of a record's watermark the preview shows.
struct WatermarkLook {
  std::u16string text, face;
  int32_t size = 0, angle = 0, weight = 0;
  uint32_t colour = 0;
  bool italic = false, firstPageOnly = false;

  static WatermarkLook FromRecord(const DriverDevMode& record);
  bool operator==(const WatermarkLook& o) const;
  bool operator!=(const WatermarkLook& o) const { return !(*this == o); }
};

// Where text of w x h pixels starts so that, turned by angle degrees, its centre is the
// centre of b.
void TurnedTextOrigin(const Box& b, int32_t w, int32_t h, int32_t angle, int32_t& x, int32_t& y);

// The grey a printer without colour gives a colour: 0x00BBGGRR in and out.
uint32_t GreyOf(uint32_t colour);
// A colour model printing in colour is shown in colour; everything else in greys.
bool ColourShown(const DriverDevMode& record, const ModelFeatures& model);
// The channel-wise mean of two colours.
uint32_t MeanColour(uint32_t a, uint32_t b);

}  // namespace qxge
