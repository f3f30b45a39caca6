// The page preview as a user sees it: a miniature sheet on the right of a page that follows
// the record, drawn into a bitmap of its own and read back pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "pagebase/settings_page.h"
#include "preview/photo_preview.h"
#include "preview/watermark_preview.h"
#include "resources/resource.h"
#include "sheet_harness.h"
#include "snapshot.h"

namespace {

using qxtest::Snapshot;

constexpr COLORREF kWatermarkColour = RGB(255, 0, 0);

class PreviewTest : public qxtest::SheetHarness {
 protected:
  // Model keys and text file sections a test needs beyond the preview's own.
  virtual std::string Features() const { return {}; }
  virtual std::string Texts() const { return {}; }
  void SetUp() override {
    Stage(L"QXPV", "[Common]\r\nUnitsOnPreview=1\r\n" + Features(), "[Preview]\r\nCopies:=Exemplare:\r\n" + Texts());
  }
  // A sheet of one page, the Layout page unless said otherwise, and its preview control.
  void OpenPreview(int32_t page = 0, int control = IDC_PREVIEW) {
    page_ = page;
    Open({page});
    preview_ = Control(control);
    ASSERT_NE(preview_, nullptr);
  }
  // Shows the record as it is now, in a fresh sheet.
  void Reopen() {
    Close();
    OpenPreview();
  }
  qxge::PrivateDevMode& Record() { return Live().dmPrivate; }
  void Watermark(int16_t points) {
    Record().cWaterText.Write(u"CONFIDENTIAL");
    Record().WaterStrFaceName.Write(u"Arial");
    Record().iWaterSize = points;
    Record().WaterColor = kWatermarkColour;
    Record().lfWeight = FW_NORMAL;
  }
  qxge::SettingsPage& Page() { return *static_cast<qxge::SettingsPage*>(sheet_->Table().slots[page_]); }
  // The sheet area lies above the three caption lines and the paper text.
  int SheetBottom() const {
    RECT r;
    GetClientRect(preview_, &r);
    return r.bottom - 60 - 40;
  }

  HWND preview_ = nullptr;
  int32_t page_ = 0;
};

TEST_F(PreviewTest, PlainSheetIsACentredPageWithItsCaptions) {
  Record().iNup = 0;
  OpenPreview();
  const Snapshot shot(preview_);
  const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOW), SheetBottom());
  ASSERT_GT(sheet.right - sheet.left, 40);
  EXPECT_GT(sheet.bottom - sheet.top, sheet.right - sheet.left);  // portrait
  EXPECT_LE(std::abs((sheet.left + sheet.right) - shot.Width()), 2);
  EXPECT_EQ(shot.At(sheet.left - 1, (sheet.top + sheet.bottom) / 2), GetSysColor(COLOR_WINDOWFRAME));
  // The imitation text: a grey head box in the sheet's top left.
  EXPECT_EQ(shot.At(sheet.left + 10, sheet.top + 10), GetSysColor(COLOR_BTNSHADOW));
  // The caption lines are filled in the face colour down to the bottom.
  EXPECT_EQ(shot.At(2, shot.Height() - 4), GetSysColor(COLOR_BTNFACE));
}

// The page cells a line crosses near the cells' top left edge, clear of the numbers.
void ExpectGrid(const Snapshot& shot, int bottom, int cols, int rows) {
  const COLORREF page = GetSysColor(COLOR_BTNFACE);
  const RECT cells = shot.Bounds(page, bottom);
  ASSERT_GT(cells.right, cells.left);
  EXPECT_EQ(shot.RunsAcross(cells.top + 1, page), cols);
  EXPECT_EQ(shot.RunsDown(cells.left + 1, page, bottom), rows);
}

TEST_F(PreviewTest, NupGridsKeepThePagesUpright) {
  Record().iNup = 5;
  Record().iNupBorder = 0;
  OpenPreview();
  ExpectGrid(Snapshot(preview_), SheetBottom(), 4, 4);
  // Six pages on a landscape sheet: the sheet is drawn turned, two across and three down.
  Live().dmPublic.dmOrientation = 2;
  Record().iNup = 3;
  Record().iNupBorder = 1;
  Reopen();
  const Snapshot shot(preview_);
  const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOW), SheetBottom());
  EXPECT_GT(sheet.bottom - sheet.top, sheet.right - sheet.left);
  ExpectGrid(shot, SheetBottom(), 2, 3);
}

// Where anything but ground is drawn within region; empty when nothing is.
RECT InkWithin(const Snapshot& shot, const RECT& region, COLORREF ground) {
  RECT ink{region.right, region.bottom, region.left, region.top};
  for (int y = region.top; y < region.bottom; ++y)
    for (int x = region.left; x < region.right; ++x)
      if (shot.At(x, y) != ground) {
        ink.left = std::min<LONG>(ink.left, x), ink.top = std::min<LONG>(ink.top, y);
        ink.right = std::max<LONG>(ink.right, x + 1), ink.bottom = std::max<LONG>(ink.bottom, y + 1);
      }
  return ink;
}

// What is drawn on a page image of fill within region, cut to its own bounds, a row a line:
// the same number drawn in two cells gives the same picture.
std::string InkOn(const Snapshot& shot, const RECT& region, COLORREF fill) {
  const RECT ink = InkWithin(shot, shot.Bounds(fill, region), fill);
  std::string picture;
  for (int y = ink.top; y < ink.bottom; ++y) {
    for (int x = ink.left; x < ink.right; ++x) picture += shot.At(x, y) != fill ? '#' : '.';
    picture += '\n';
  }
  return picture;
}

TEST_F(PreviewTest, NupCellsCarryTheNumbersOfTheirOrder) {
  const COLORREF fill = GetSysColor(COLOR_BTNFACE);
  Record().iNup = 2;
  Record().iNupBorder = 0;
  const auto inks = [&] {
    Reopen();
    const Snapshot shot(preview_);
    const RECT p = shot.Bounds(fill, SheetBottom());
    const LONG midX = (p.left + p.right) / 2, midY = (p.top + p.bottom) / 2;
    std::vector<std::string> cells;  // the four quarters, row by row
    for (const RECT& quarter : {RECT{p.left, p.top, midX, midY}, RECT{midX, p.top, p.right, midY},
                                RECT{p.left, midY, midX, p.bottom}, RECT{midX, midY, p.right, p.bottom}})
      cells.push_back(InkOn(shot, quarter, fill));
    return cells;
  };
  Record().iNupLayout = 0;  // right, then down
  const auto ordered = inks();
  const auto& one = ordered[0];
  ASSERT_FALSE(one.empty());
  EXPECT_NE(ordered[1], one);
  Record().iNupLayout = 8;  // up, then left: the first page is at the bottom right
  const auto upThenLeft = inks();
  EXPECT_EQ(upThenLeft[3], one);
  EXPECT_NE(upThenLeft[0], one);
  // No order, or a value no order has: every page is numbered as the first.
  for (int16_t none : {5, 9}) {
    Record().iNupLayout = none;
    for (const auto& cell : inks()) EXPECT_EQ(cell, one) << none;
  }
}

TEST_F(PreviewTest, NupSheetWithAWatermarkKeepsEveryFrameAndMarksTheFirstPageWhenAsked) {
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  Record().iNup = 5;
  Record().iNupBorder = 8;
  Watermark(72);  // in cells this small, an outline
  struct Case {
    uint16_t firstPageOnly;
    int16_t rotate;
    int marked;  // the one cell marked, row by row; -1 every cell
  };
  // Turned over, the pages run from the bottom right.
  for (const Case c : {Case{0, 0, -1}, Case{1, 0, 0}, Case{1, 180, 15}}) {
    SCOPED_TRACE(testing::Message() << c.firstPageOnly << " " << c.rotate);
    Record().WaterFirstPage = c.firstPageOnly;
    Record().iRotate = c.rotate;
    Reopen();
    const Snapshot shot(preview_);
    const RECT sheet = shot.Bounds(frame, SheetBottom());
    const int w = sheet.right - sheet.left, h = sheet.bottom - sheet.top;
    ASSERT_GT(w, 40);
    for (int i = 0; i < 4; ++i) {
      // The sheet's two edges and both edges of each of the four cells.
      EXPECT_EQ(shot.RunsAcross(sheet.top + h * (2 * i + 1) / 8, frame), 10) << "row " << i;
      EXPECT_EQ(shot.RunsDown(sheet.left + w * (2 * i + 1) / 8, frame, SheetBottom()), 10) << "column " << i;
    }
    for (int cell = 0; cell < 16; ++cell) {
      const int col = cell % 4, row = cell / 4;
      const RECT inside{sheet.left + w * col / 4 + 4, sheet.top + h * row / 4 + 4, sheet.left + w * (col + 1) / 4 - 4,
                        sheet.top + h * (row + 1) / 4 - 4};
      EXPECT_EQ(shot.Count(kWatermarkColour, inside) > 0, c.marked < 0 || c.marked == cell) << "cell " << cell;
    }
  }
}

TEST_F(PreviewTest, OnlyARealChangeRepaints) {
  OpenPreview();
  RECT dirty;
  qxge::DriverDevMode* working = Page().WorkingRecord();
  ValidateRect(preview_, nullptr);
  Page().OnSettingChanged();
  Page().OnSettingChanged();
  EXPECT_FALSE(GetUpdateRect(preview_, &dirty, FALSE));

  // More copies: only the copies line is drawn again.
  working->dmPublic.dmCopies = static_cast<int16_t>(working->dmPublic.dmCopies + 2);
  Page().OnSettingChanged();
  ASSERT_TRUE(GetUpdateRect(preview_, &dirty, FALSE));
  RECT client;
  GetClientRect(preview_, &client);
  EXPECT_GE(dirty.top, client.bottom - 41);
  EXPECT_LE(dirty.bottom, client.bottom - 20);
  ValidateRect(preview_, nullptr);

  working->dmPrivate.iNup = static_cast<int16_t>(working->dmPrivate.iNup == 2 ? 4 : 2);
  Page().OnSettingChanged();
  ASSERT_TRUE(GetUpdateRect(preview_, &dirty, FALSE));
  EXPECT_LT(dirty.top, SheetBottom() / 2);
}

// How much wider the arrow head at page's left or right edge is at the edge than 4 pixels in:
// above 0 it points into the page, below 0 out of it.
int Taper(const Snapshot& shot, const RECT& page, bool left) {
  const int y = (page.top + page.bottom) / 2, edge = left ? page.left + 1 : page.right - 2, in = left ? 4 : -4;
  int n = 0;
  for (int dy = -6; dy <= 6; ++dy)
    n += (shot.At(edge, y + dy) == GetSysColor(COLOR_BTNSHADOW)) - (shot.At(edge + in, y + dy) == GetSysColor(COLOR_BTNSHADOW));
  return n;
}

TEST_F(PreviewTest, ReducedAndEnlargedPagesPointTheirArrowsTheRightWay) {
  const COLORREF fill = GetSysColor(COLOR_BTNFACE);
  Record().iER = 1;
  Record().iERRatio = 50;
  OpenPreview();
  {
    const Snapshot shot(preview_);
    const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOW), SheetBottom());
    const RECT page = shot.Bounds(fill, SheetBottom());
    EXPECT_NEAR((page.right - page.left + 2) * 2, sheet.right - sheet.left + 2, 4);
    EXPECT_LE(page.left - sheet.left, 2);
    EXPECT_LE(page.top - sheet.top, 2);
    EXPECT_GT(Taper(shot, page, false), 0);
  }
  Record().iERRatio = 200;
  Reopen();
  const Snapshot shot(preview_);
  const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOWFRAME), SheetBottom());
  const RECT page = shot.Bounds(fill, SheetBottom());
  EXPECT_NEAR(page.right - page.left + 2, (sheet.right - sheet.left) * 2, 4);
  EXPECT_LE(page.bottom, SheetBottom());
  EXPECT_LT(Taper(shot, page, false), 0);
}

TEST_F(PreviewTest, FitToPageShowsTheDocumentPageOnTheTargetPaper) {
  Live().dmPublic.dmPaperSize = 9;  // A4 onto Letter: narrower and taller, so it shrinks
  Record().iFitPage = 1;
  Record().iFitPagePaper = 1;
  OpenPreview();
  const Snapshot shot(preview_);
  const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOWFRAME), SheetBottom());
  const RECT page = shot.Bounds(GetSysColor(COLOR_BTNFACE), SheetBottom());
  EXPECT_GE(page.bottom - page.top, sheet.bottom - sheet.top - 4);
  EXPECT_LT(page.right - page.left, sheet.right - sheet.left - 6);
  EXPECT_GT(Taper(shot, page, true), 0);

  // A5 onto A4 grows: the page stands out of a sheet of the document's size, its arrows
  // pointing outwards.
  Live().dmPublic.dmPaperSize = 11;
  Record().iFitPagePaper = 9;
  Reopen();
  const Snapshot grown(preview_);
  const RECT small = grown.Bounds(GetSysColor(COLOR_WINDOWFRAME), SheetBottom());
  const RECT large = grown.Bounds(GetSysColor(COLOR_BTNFACE), SheetBottom());
  EXPECT_GT(large.right - large.left, small.right - small.left + 10);
  EXPECT_GT(large.bottom - large.top, small.bottom - small.top + 10);
  EXPECT_LT(Taper(grown, large, false), 0);
}

TEST_F(PreviewTest, OutputPaperTakesThePageToTheChosenCorner) {
  Live().dmPublic.dmPaperSize = 11;  // A5 on A4
  Record().iVirtualPrint = 1;
  Record().iVirtualPaper = 9;
  struct Case {
    int16_t layout, rotate;
    bool right, bottom;
  };
  for (const Case c : {Case{0, 0, false, false}, Case{7, 0, true, true}, Case{1, 0, true, false},
                       Case{0, 180, true, true}}) {
    SCOPED_TRACE(testing::Message() << c.layout << " " << c.rotate);
    Record().iVirtualLayout = c.layout;
    Record().iRotate = c.rotate;
    Reopen();
    const Snapshot shot(preview_);
    const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOWFRAME), SheetBottom());
    const RECT page = shot.Bounds(GetSysColor(COLOR_BTNFACE), SheetBottom());
    ASSERT_LT(page.right - page.left, sheet.right - sheet.left - 10);
    EXPECT_LE(c.right ? sheet.right - page.right : page.left - sheet.left, 2);
    EXPECT_GT(c.right ? page.left - sheet.left : sheet.right - page.right, 10);
    EXPECT_LE(c.bottom ? sheet.bottom - page.bottom : page.top - sheet.top, 2);
    EXPECT_GT(c.bottom ? page.top - sheet.top : sheet.bottom - page.bottom, 10);
  }
}

// Some pixel within reach of (cx, cy) stands out from the fill, as a number drawn there must.
bool HasInk(const Snapshot& shot, int cx, int cy, int reach, COLORREF fill) {
  for (int y = cy - reach; y <= cy + reach; ++y)
    for (int x = cx - reach; x <= cx + reach; ++x)
      if (std::abs(GetGValue(shot.At(x, y)) - GetGValue(fill)) >= 32) return true;
  return false;
}

class PreviewBookletTest : public PreviewTest {
  std::string Features() const override { return "LayoutBooklet=1\r\nDoubleSidedPapers=1;9;11\r\n"; }
};

TEST_F(PreviewBookletTest, FoldsOneSheetIntoTwoNumberedPages) {
  const COLORREF fill = GetSysColor(COLOR_BTNFACE);
  Record().iBooklet = 1;
  OpenPreview();
  {
    const Snapshot shot(preview_);
    const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOW), SheetBottom());
    EXPECT_GT(sheet.right - sheet.left, sheet.bottom - sheet.top);  // portrait pages side by side
    EXPECT_EQ(shot.At((sheet.left + sheet.right) / 2, sheet.top + 3), GetSysColor(COLOR_WINDOWFRAME));  // the fold
    const RECT pages = shot.Bounds(fill, SheetBottom());
    EXPECT_EQ(shot.RunsAcross(pages.top + 1, fill), 2);
    const int half = (sheet.right - sheet.left) / 2;
    EXPECT_TRUE(HasInk(shot, sheet.left + half / 2, (sheet.top + sheet.bottom) / 2, half / 6, fill));
  }
  Live().dmPublic.dmOrientation = 2;
  Watermark(72);
  Reopen();
  {
    const Snapshot shot(preview_);
    const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOW), SheetBottom());
    EXPECT_LT(sheet.right - sheet.left, sheet.bottom - sheet.top);
    const RECT pages = shot.Bounds(fill, SheetBottom());
    EXPECT_EQ(shot.RunsDown(pages.left + 1, fill, SheetBottom()), 2);
    // A watermark on both pages of the folded sheet.
    const LONG fold = (sheet.top + sheet.bottom) / 2;
    EXPECT_GT(shot.Count(kWatermarkColour, {sheet.left, sheet.top, sheet.right, fold}), 0);
    EXPECT_GT(shot.Count(kWatermarkColour, {sheet.left, fold, sheet.right, sheet.bottom}), 0);
  }
  // With the watermark on the first page only, the folded sheet shows none.
  Record().WaterFirstPage = 1;
  Reopen();
  const Snapshot shot(preview_);
  EXPECT_EQ(shot.Count(kWatermarkColour, {0, 0, shot.Width(), SheetBottom()}), 0);
}

class MirroredPreviewTest : public PreviewTest {
  std::string Texts() const override { return "[Common]\r\nMirrorLayout=1\r\n"; }
};

TEST_F(MirroredPreviewTest, CaptionsStartAtTheRightAndTheSheetIsAsPrinted) {
  Record().iNup = 0;
  OpenPreview();
  const Snapshot shot(preview_);
  RECT copies{shot.Width(), 0, 0, 0};
  const int line = shot.Height() - 2 * qxge::PreviewWnd::kCaptionHeight + qxge::PreviewWnd::kCaptionHeight / 2;
  for (int x = 3; x < shot.Width() - 3; ++x)
    if (GetGValue(shot.At(x, line)) < 128 || GetGValue(shot.At(x, line + 2)) < 128)
      copies.left = std::min<LONG>(copies.left, x), copies.right = std::max<LONG>(copies.right, x);
  ASSERT_LT(copies.left, copies.right);
  EXPECT_GT(copies.left, shot.Width() - copies.right);
  EXPECT_LT(shot.Width() - copies.right, 10);
  // The head of the imitation text stays at the sheet's top left.
  const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOW), SheetBottom());
  EXPECT_EQ(shot.At(sheet.left + 10, sheet.top + 10), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(PreviewTest, PosterShowsEveryTileNumberedAndTheEnlargedPage) {
  const COLORREF fill = GetSysColor(COLOR_BTNFACE);
  Record().iPoster = 1;
  OpenPreview();
  {
    const Snapshot shot(preview_);
    ExpectGrid(shot, SheetBottom(), 2, 2);
    const RECT tiles = shot.Bounds(fill, SheetBottom());
    const int pitch = (tiles.right - tiles.left) / 2;
    EXPECT_TRUE(HasInk(shot, tiles.left + pitch / 2, tiles.top + (tiles.bottom - tiles.top) / 4, pitch / 6, fill));
  }
  Record().iPoster = 5;
  Reopen();
  ExpectGrid(Snapshot(preview_), SheetBottom(), 6, 6);
  // 250 %: three tiles a side, the page ending halfway across the last.
  Record().iPoster = 4;
  Record().iPoster_Scale = 250;
  Reopen();
  const Snapshot shot(preview_);
  ExpectGrid(shot, SheetBottom(), 3, 3);
  const RECT page = shot.Bounds(fill, SheetBottom());
  const RECT tiles = shot.Bounds(GetSysColor(COLOR_WINDOWFRAME), SheetBottom());
  const int tile = (tiles.right - tiles.left) / 3;
  EXPECT_NEAR(tiles.right - page.right, tile / 2, 4);
}

TEST_F(PreviewTest, PrinterPagesPictureThePrinterWithItsTrayOnceInstalled) {
  for (const auto& [drawn, suffix] : {std::pair{L"printer.bmp", L"U.Bmp"}, std::pair{L"printer1.bmp", L"U1.Bmp"}}) {
    const std::wstring from = qxtest::BinaryDir() + L"\\pictures\\office\\" + drawn;
    ASSERT_TRUE(CopyFileW(from.c_str(), (dir_ + L"\\" + base_ + suffix).c_str(), FALSE));
  }
  Record().iOptTray = 0;
  OpenPreview(4, IDC_PRINTER_PICTURE);
  // Inside the rounded border and above the caption line, off the preview's own ground.
  const auto drawn = [this] {
    const Snapshot shot(preview_);
    const int captionTop = shot.Height() - qxge::PreviewWnd::kCaptionHeight - 1;
    return InkWithin(shot, {3, 3, shot.Width() - 3, captionTop}, shot.At(shot.Width() / 2, 3));
  };
  const RECT bare = drawn();
  const Snapshot shot(preview_);
  ASSERT_GT(bare.right - bare.left, 100);  // the 132 x 100 picture, less its keyed margins
  EXPECT_NEAR(bare.left, shot.Width() - bare.right, 2);
  // The printer's name sits in the caption line.
  const int nameLine = shot.Height() - qxge::PreviewWnd::kCaptionHeight - 1 + qxge::PreviewWnd::kCaptionHeight / 2;
  EXPECT_LT(InkWithin(shot, {5, nameLine, shot.Width() / 2, nameLine + 1}, GetSysColor(COLOR_BTNFACE)).left, shot.Width() / 2);

  Page().WorkingRecord()->dmPrivate.iOptTray = 1;
  Page().OnSettingChanged();
  // The tray goes under the printer, which stays where it was.
  const RECT tray = drawn();
  EXPECT_EQ(tray.top, bare.top);
  EXPECT_GT(tray.bottom, bare.bottom + 15);
}

// A white static of width x height on a hidden window of its own, as a page holds a preview.
struct Host {
  Host(int width, int height)
      : window(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, width + 20, height + 20, nullptr, nullptr, nullptr, nullptr)),
        control(CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_WHITERECT, 0, 0, width, height, window,
                                nullptr, nullptr, nullptr)) {}
  ~Host() { DestroyWindow(window); }
  const HWND window, control;
};

TEST(WatermarkPreviewTest, DrawsTheEditedDescriptionAcrossThePlainSheet) {
  const Host host(200, 280);
  const HWND control = host.control;
  ASSERT_NE(control, nullptr);
  std::vector<uint8_t> bytes = qxhost::DefaultRecord(L"QX_Office");
  {
    qxge::WatermarkPreview preview;
    preview.Attach(control);
    preview.Update(*reinterpret_cast<qxge::DriverDevMode*>(bytes.data()));
    qxge::WatermarkLook look{u"DRAFT", u"Arial", 96, 45, FW_BOLD, RGB(200, 0, 0)};
    const auto inked = [&] {
      const Snapshot shot(control);
      return shot.Count(RGB(200, 0, 0), shot.Bounds(GetSysColor(COLOR_WINDOW), shot.Height()));
    };
    preview.SetWatermark(look);
    EXPECT_GT(inked(), 100);
    look.text.clear();
    preview.SetWatermark(look);
    EXPECT_EQ(inked(), 0);
  }
}

// Photo sheets: pages per sheet in their grid, numbered unless the order says none; copies of
// one photo by the clone table, none where it has none.
TEST(PhotoPreviewTest, PhotoSheetsShowTheirPagesAndCopies) {
  const Host host(200, 320);
  const HWND control = host.control;
  ASSERT_NE(control, nullptr);
  std::vector<uint8_t> bytes = qxhost::DefaultRecord(L"QX_Office");
  auto& record = *reinterpret_cast<qxge::DriverDevMode*>(bytes.data());
  record.dmPublic.dmOrientation = DMORIENT_PORTRAIT;
  qxge::PrivateDevMode& p = record.dmPrivate;
  p.iGrayMode = 0;
  p.FrameStyle = 0;
  {
    qxge::PhotoPreview preview(2);
    preview.Attach(control);
    const COLORREF white = GetSysColor(COLOR_WINDOW), ink = GetSysColor(COLOR_BTNSHADOW);
    struct Case {
      int16_t nup, order, clone, paper;
      int across, inked;  // inked: 1 some numbers, 0 none, -1 either
    };
    // 2 x 2, numbered or not; four copies across the 4 x 6 photo paper; none of the largest
    // photo on the largest paper; beyond the clone table, one photo on the sheet.
    for (const Case c : {Case{2, 0, 0, 0, 2, 1}, Case{2, 5, 0, 0, 2, 0}, Case{0, 5, 1, 120, 4, -1},
                         Case{0, 5, 8, 125, 0, -1}, Case{2, 5, 12, 125, 1, -1}}) {
      SCOPED_TRACE(testing::Message() << c.nup << " " << c.order << " " << c.clone << " " << c.paper);
      p.iNup = c.nup;
      p.iNupLayout = c.order;
      p.iClone = c.clone;
      if (c.paper != 0) record.dmPublic.dmPaperSize = c.paper;
      preview.Update(record);
      const Snapshot shot(control);
      const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOWFRAME), shot.Height() - 100);
      // Just inside the top edge of the first row of pages, clear of the numbers.
      int across = 0;
      for (int y = sheet.top + 1; y < sheet.bottom - 2 && across == 0; ++y)
        if (shot.RunsAcross(y, white) > 0) across = shot.RunsAcross(y + 1, white);
      EXPECT_EQ(across, c.across);
      if (c.inked == 1) EXPECT_GT(shot.Count(ink, sheet), 20);
      if (c.inked == 0) EXPECT_EQ(shot.Count(ink, sheet), 0);
    }
  }
}

}  // namespace
