#include "preview/preview_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace qxge {
namespace {

constexpr int16_t kA4 = 9, kA3 = 8;

class PreviewLayout : public ::testing::Test {
 protected:
  PreviewLayout() {
    record.dmPublic.dmPaperSize = kA4;
    record.dmPublic.dmOrientation = 1;
    record.dmPrivate.iERRatio = 100;
    model.LayoutBooklet = 1;
    model.DoubleSidedPapers = {kA4};
  }
  PreviewMode Mode() const { return SelectPreviewMode(record, model); }

  DriverDevMode record{};
  ModelFeatures model;
};

TEST_F(PreviewLayout, EachRecordShowsTheFirstPictureItAsksFor) {
  EXPECT_EQ(Mode(), PreviewMode::Plain);
  record.dmPrivate.iNup = 2;
  EXPECT_EQ(Mode(), PreviewMode::Nup);
  record.dmPrivate.iVirtualPrint = 1;
  record.dmPrivate.iVirtualPaper = kA4;  // the same paper: nothing to place
  EXPECT_EQ(Mode(), PreviewMode::Nup);
  record.dmPrivate.iVirtualPaper = kA3;
  EXPECT_EQ(Mode(), PreviewMode::OutputPaper);
  record.dmPrivate.iPoster = 1;
  EXPECT_EQ(Mode(), PreviewMode::Poster);
  record.dmPrivate.iER = 1;  // at 100 % there is nothing to picture
  EXPECT_EQ(Mode(), PreviewMode::Poster);
  record.dmPrivate.iERRatio = 150;
  EXPECT_EQ(Mode(), PreviewMode::ReduceEnlarge);
  record.dmPrivate.iBooklet = 1;
  EXPECT_EQ(Mode(), PreviewMode::Booklet);
  record.dmPrivate.iFitPage = 1;
  record.dmPrivate.iFitPagePaper = kA3;
  EXPECT_EQ(Mode(), PreviewMode::FitToPage);
  model.LayoutRotate = 1;
  model.RotatePapers = {kA4};
  record.dmPrivate.iRotate = 90;
  EXPECT_EQ(Mode(), PreviewMode::RotatedSheet);
  EXPECT_EQ(PageRotation(record, model), 90);
  EXPECT_TRUE(SheetLandscape(record, model));
}

TEST_F(PreviewLayout, BookletOnlyWhereBothSidesCanPrint) {
  record.dmPrivate.iBooklet = 1;
  EXPECT_EQ(Mode(), PreviewMode::Booklet);
  model.DoubleSidedPapers = {kA3};
  EXPECT_EQ(Mode(), PreviewMode::Plain);
  model.DoubleSidedPapers = {kA4};
  model.LayoutBooklet = 0;
  EXPECT_EQ(Mode(), PreviewMode::Plain);
  // A fit to the paper the record already has is no fit at all.
  model.LayoutBooklet = 1;
  record.dmPrivate.iFitPage = 1;
  record.dmPrivate.iFitPagePaper = kA4;
  EXPECT_EQ(Mode(), PreviewMode::Booklet);
}

// The labels of a 3 x 2 sheet, row by row.
std::vector<int> Labels(int32_t layout) {
  std::vector<int> labels;
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) labels.push_back(PageOrder(layout, 3, 2, r, c) + 1);
  return labels;
}

TEST(PreviewPageOrder, EachOrderNumbersTheCellsItsOwnWay) {
  EXPECT_EQ(Labels(0), (std::vector<int>{1, 2, 3, 4, 5, 6}));  // right, then down
  EXPECT_EQ(Labels(1), (std::vector<int>{1, 3, 5, 2, 4, 6}));  // down, then right
  EXPECT_EQ(Labels(2), (std::vector<int>{3, 2, 1, 6, 5, 4}));  // left, then down
  EXPECT_EQ(Labels(3), (std::vector<int>{5, 3, 1, 6, 4, 2}));  // down, then left
  EXPECT_EQ(Labels(4), (std::vector<int>{4, 5, 6, 1, 2, 3}));  // right, then up
  EXPECT_EQ(Labels(6), (std::vector<int>{2, 4, 6, 1, 3, 5}));  // up, then right
  EXPECT_EQ(Labels(7), (std::vector<int>{6, 5, 4, 3, 2, 1}));  // left, then up
  EXPECT_EQ(Labels(8), (std::vector<int>{6, 4, 2, 5, 3, 1}));  // up, then left
  // No order, or a value no order has: every page is the first.
  for (int none : {5, 9, -1}) EXPECT_EQ(Labels(none), (std::vector<int>{1, 1, 1, 1, 1, 1})) << none;
}

TEST(PreviewGrid, NineUpAndDamagedCounts) {
  std::vector<int> pages;
  for (int nup : {4, 99}) pages.push_back(GridFor(nup, false).cols * GridFor(nup, false).rows);
  EXPECT_EQ(pages, (std::vector<int>{9, 16}));
}

TEST(PreviewGeometry, LargestPaperFillsTheAreaAndSmallerOnesStayLegible) {
  const Box area{0, 0, 146, 150};
  const double largest = PaperScale(area, 4830, 4830);
  EXPECT_EQ(PaperBox(area, 3120, 4830, largest).Height(), 146);
  const double half = PaperScale(area, 2415, 4830);
  EXPECT_EQ(PaperBox(area, 1000, 2415, half).Height(), 110);  // 75 % rather than 50 %
  const Box a4 = PaperBox(area, 2100, 2970, PaperScale(area, 2970, 4830));
  EXPECT_EQ(a4.left + a4.right, 146 + (146 - a4.Width()) % 2);
  EXPECT_EQ(PaperScale(area, 2970, 0), 0);  // a damaged model file draws nothing
}

TEST(PreviewGeometry, ExactPlacesAndCustomPosterScales) {
  // A page that would cover the sheet exactly stays one pixel inside it.
  const Box sheet{20, 20, 120, 160};
  EXPECT_EQ(ReduceEnlarge(sheet, {0, 0, 140, 180}, 100).page, (Box{20, 20, 119, 159}));

  const Box output{0, 0, 100, 200};
  EXPECT_EQ(PlaceOnSheet(output, 40, 60, 5, false), (Box{30, 70, 70, 130}));
  EXPECT_EQ(PlaceOnSheet(output, 40, 60, 8, false), (Box{30, 140, 70, 200}));
  EXPECT_EQ(PlaceOnSheet(output, 40, 60, 42, false), (Box{60, 140, 100, 200}));

  // A custom poster scale rounds up to whole tiles; a damaged one still draws a poster.
  EXPECT_EQ(PosterTiles(4, 300).tiles, 3);
  EXPECT_EQ(PosterTiles(4, 301).tiles, 4);
  EXPECT_EQ(PosterTiles(4, 250).pageHundredths, 250);
  EXPECT_EQ(PosterTiles(4, -5).tiles, 1);
}

TEST(PreviewSignature, ChangesWithWhatThePictureShowsOnly) {
  const DriverDevMode plain{};
  const std::u16string base = PreviewSignature(plain, false);
  EXPECT_NE(PreviewSignature(plain, true), base);
  // Every field the sheet is drawn from repaints it; the copies are a caption's.
  for (const FieldInfo& f : {field::IsMMInch, field::iPoster, field::iPoster_Scale, field::iNup, field::iNupBorder,
                             field::iNupLayout, field::iER, field::iERRatio, field::iBooklet, field::iFitPage,
                             field::iFitPagePaper, field::iRotate, field::iVirtualPrint, field::iVirtualPaper,
                             field::iVirtualLayout, field::dmPaperSize, field::dmCopies}) {
    DriverDevMode changed = plain;
    reinterpret_cast<uint8_t*>(&changed)[f.offset] = 1;
    EXPECT_EQ(PreviewSignature(changed, false) != base, f.offset != field::dmCopies.offset) << f.name;
  }
  // Neighbouring values never run together into the same text.
  DriverDevMode c{}, d{};
  c.dmPrivate.iPoster = 1;
  c.dmPrivate.iPoster_Scale = 23;
  d.dmPrivate.iPoster = 12;
  d.dmPrivate.iPoster_Scale = 3;
  EXPECT_NE(PreviewSignature(c, false), PreviewSignature(d, false));
}

TEST(PreviewWatermark, TurnedTextIsCentredAndColoursTurnGrey) {
  int32_t x = 0, y = 0;
  TurnedTextOrigin({0, 0, 100, 50}, 40, 10, 0, x, y);
  EXPECT_EQ(x, 30);
  EXPECT_EQ(y, 20);
  TurnedTextOrigin({0, 0, 100, 100}, 40, 10, 90, x, y);
  EXPECT_EQ(x, 45);
  EXPECT_EQ(y, 70);
  EXPECT_EQ(GreyOf(0x0000FF), 0x4D4D4Du);  // pure red
  EXPECT_EQ(GreyOf(0xFFFFFF), 0xFFFFFFu);
  EXPECT_EQ(MeanColour(0x0000FF, 0xFFFFFF), 0x7F7FFFu);

  DriverDevMode r{};
  r.dmPrivate.cWaterText.Write(u"DRAFT");
  r.dmPrivate.iWaterSize = 72;
  const WatermarkLook look = WatermarkLook::FromRecord(r);
  EXPECT_EQ(look.text, u"DRAFT");
  DriverDevMode s = r;
  s.dmPrivate.WaterColor = 0xFF;
  EXPECT_NE(WatermarkLook::FromRecord(s), look);
}

TEST(PhotoGrids, ClonesByPaperAndPagesPerSheet) {
  const auto same = [](NupGrid a, NupGrid b) { return a.cols == b.cols && a.rows == b.rows && a.turned == b.turned; };
  EXPECT_TRUE(same(PhotoCloneGrid(1, 120), {4, 4, false}));  // the code counts with bit 0 set
  EXPECT_TRUE(same(PhotoCloneGrid(6, 121), {2, 2, false}));
  EXPECT_TRUE(same(PhotoCloneGrid(6, 131), {2, 1, true}));
  EXPECT_TRUE(same(PhotoCloneGrid(2, 133), {2, 3, false}));
  EXPECT_TRUE(same(PhotoCloneGrid(8, 135), {0, 0, false}));  // nothing fits
  EXPECT_TRUE(same(PhotoCloneGrid(3, 9), {1, 1, false}));    // any other paper: one photo
  EXPECT_TRUE(same(PhotoCloneGrid(9, 121), {1, 1, false}));
  EXPECT_TRUE(same(PhotoNupGrid(6), {4, 2, true}));
  EXPECT_TRUE(same(PhotoNupGrid(7), {1, 1, false}));
  EXPECT_EQ(ClonePhotoSize(8, false).h, 700);
  EXPECT_EQ(ClonePhotoSize(8, true).h, 510);
  EXPECT_EQ(ClonePhotoSize(-1, false).w, 0);
}

// The printer's file frames one photo: its shape fitted to the printable area and turned with
// the sheet; anything else frames the whole area.
TEST(PrintedDecoration, FramesOnePhotoOrTheWholeArea) {
  const Box area{0, 0, 2400, 3400};
  EXPECT_TRUE(PrintedPhotoBox(area, 1, false) == (Box{66, 0, 2333, 3400}));
  EXPECT_TRUE(PrintedPhotoBox({0, 0, 3400, 2400}, 1, true) == (Box{0, 66, 3400, 2333}));
  EXPECT_TRUE(PrintedPhotoBox(area, 0, false) == area);
  EXPECT_TRUE(PrintedPhotoBox(area, 12, true) == area);

  // Corners keep the picture's proportion to the page; edges are what lies between them.
  const FramePieces cut = CutFrame({10, 20, 490, 660}, 240, 320, 30);
  ASSERT_EQ(cut.count, 8);
  EXPECT_EQ(cut.corner, 60);
  EXPECT_TRUE(cut.pieces[0].from == (Box{0, 0, 30, 30}));
  EXPECT_TRUE(cut.pieces[0].to == (Box{10, 20, 70, 80}));
  EXPECT_TRUE(cut.pieces[1].from == (Box{30, 0, 210, 30}));
  EXPECT_TRUE(cut.pieces[1].to == (Box{70, 20, 430, 80}));
  EXPECT_TRUE(cut.pieces[7].to == (Box{430, 600, 490, 660}));
  EXPECT_EQ(CutFrame({0, 0, 100, 100}, 60, 60, 30).count, 0);  // no edge left in the picture
  EXPECT_EQ(CutFrame({0, 0, 6, 600}, 240, 320, 30).count, 0);   // corners would meet on the page
}

}  // namespace
}  // namespace qxge
