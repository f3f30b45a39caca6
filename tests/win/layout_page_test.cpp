// The Layout page on a real sheet: what it shows for a record, what it writes back, and which
// choices it closes, and why, for the model in hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pages/layout_page.h"
#include "pages/numeric_controls.h"
#include "resources/resource.h"
#include "sheet_harness.h"
#include "snapshot.h"

namespace {

using qxtest::CheckedIn;
using qxtest::DataIn;
using qxtest::EnabledIn;
using qxtest::ShownIn;

const char kFullModel[] =
    "[Common]\r\nLayoutRotate=1\r\nRotatePapers=20\r\nLayoutTypeNone=1\r\nLayoutMultiple=1\r\n"
    "LayoutMultipleOrder=1\r\nLayoutPoster=1\r\nLayoutPosterCustom=1\r\nLayoutBooklet=1\r\nLayoutVirtual=1\r\n"
    "LayoutVirtualOrder=1\r\nLayoutDoubleSided=1\r\nLayoutDoublePrinter=1\r\nLayoutDoubleReverse=1\r\n"
    "DoubleSidedPapers=1;9;20\r\n";

const char kCompactModel[] =
    "[Common]\r\nLayoutMore=1\r\nLayoutRotate=1\r\nRotatePapers=20\r\nLayoutMultiple=1\r\nLayoutMultipleOrder=1\r\n"
    "LayoutPoster=1\r\nLayoutBooklet=1\r\nLayoutFitToPage=1\r\nLayoutDoubleSided=1\r\nDoubleSidedPapers=1;9;20\r\n"
    "[LARGEPAPERNAME]\r\nPaperIndex=5\r\n";

// How many lines of text a layout preview writes between its sheet and its three caption lines.
int LinesUnderTheSheet(HWND preview) {
  const qxtest::Snapshot shot(preview);
  const int captions = shot.Height() - 3 * qxge::PreviewWnd::kCaptionHeight - 1;
  const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOW), captions);
  int lines = 0;
  bool inLine = false;
  for (int y = sheet.bottom + 1; y < captions; ++y) {
    bool ink = false;
    // Dark on the light ground, inside the rounded border.
    for (int x = 3; x < shot.Width() - 3 && !ink; ++x) ink = GetGValue(shot.At(x, y)) < 128;
    lines += ink && !inLine;
    inLine = ink;
  }
  return lines;
}

// The pixels of the picture an icon static shows, to tell pictures apart as a user does.
std::vector<COLORREF> PictureIn(HWND control) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return {};
  const std::vector<COLORREF> pixels = qxtest::PixelsOf(info.hbmColor);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pixels;
}

class LayoutPageTest : public qxtest::SheetHarness {
 protected:
  void OpenLayout(const std::string& model, std::function<void(qxge::DriverDevMode&)> prepare = {}, bool pictures = false) {
    Stage(base_.empty() ? L"QXLA" : base_, model, "[Common]\r\n", pictures);
    Live().dmPublic.dmPaperSize = DMPAPER_A4;
    Live().dmPublic.dmFields |= DM_PAPERSIZE | DM_DUPLEX;
    if (prepare) prepare(Live());
    Open({0});
  }
  // As the mouse clicks a picture.
  void ClickPicture(int id) {
    SendMessageW(Control(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(Control(id), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    sheet_->Pump();
  }
  // Opens the dialog from the compact page; act runs in it before button is pressed.
  void MoreOptions(std::function<void(HWND)> act, int button) {
    EXPECT_TRUE(InDialog(IDC_MORE_LAYOUT, IDC_MORE_MULTIPLE, std::move(act), button));
  }
};

TEST_F(LayoutPageTest, ShowsTheRecordAndWritesEveryChoiceBack) {
  OpenLayout(kFullModel, [](qxge::DriverDevMode& r) {
    r.dmPublic.dmOrientation = 2;
    r.dmPrivate.iNup = 2;
    r.dmPrivate.iNupLayout = 1;
    r.dmPrivate.iNupBorder = 8;
    r.dmPrivate.iHardwareDuplex = 2;
    r.dmPrivate.ReverseDuplex = 1;
    r.dmPrivate.iPosterOverlap = 100;
    r.dmPrivate.iPoster_Scale = 200;
  });
  EXPECT_TRUE(Checked(IDC_LANDSCAPE));
  EXPECT_EQ(Items(IDC_LAYOUT_TYPE), 5);
  EXPECT_EQ(Data(IDC_LAYOUT_TYPE), 0);  // Multiple Pages per Side
  EXPECT_EQ(Data(IDC_NUP), 2);          // 4 per side
  EXPECT_EQ(Data(IDC_PAGE_ORDER), 1);   // Down, Then Right
  EXPECT_TRUE(Checked(IDC_NUP_BORDER));
  EXPECT_TRUE(Checked(IDC_DUPLEX_SHORT));
  EXPECT_TRUE(Checked(IDC_DUPLEX_REVERSE));
  EXPECT_FALSE(Shown(IDC_POSTER));

  // Two per side in landscape reads top to bottom.
  Choose(IDC_NUP, 1);
  EXPECT_EQ(Items(IDC_PAGE_ORDER), 2);
  Choose(IDC_PAGE_ORDER, 4);  // Up
  // Another edge than the user default's stays chosen.
  Click(IDC_DUPLEX_LONG);
  EXPECT_TRUE(Checked(IDC_DUPLEX_LONG));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iNup, 1);
  EXPECT_EQ(Live().dmPrivate.iNupLayout, 4);
  EXPECT_EQ(Live().dmPrivate.iHardwareDuplex, 1);
  EXPECT_EQ(Live().dmPublic.dmDuplex, DMDUP_VERTICAL);

  // A poster: the pages per side go, the overlap shows in the preview's unit.
  Choose(IDC_LAYOUT_TYPE, 1);
  EXPECT_TRUE(Shown(IDC_POSTER));
  EXPECT_FALSE(Shown(IDC_NUP));
  EXPECT_EQ(Text(IDC_OVERLAP), L"25");
  EXPECT_TRUE(Shown(IDC_OVERLAP_MM));
  EXPECT_FALSE(Enabled(IDC_DUPLEX_LONG));  // no double-sided posters
  Click(IDC_UNITS_INCH);
  EXPECT_EQ(Text(IDC_OVERLAP), L"1.00");
  EXPECT_TRUE(Shown(IDC_OVERLAP_INCHES));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iNup, 0);
  EXPECT_EQ(Live().dmPrivate.iPoster, 1);
  EXPECT_EQ(Live().dmPrivate.iPosterOverlap, 100);  // unchanged by the round trip
  EXPECT_EQ(Live().dmPrivate.IsMMInch, 1);
}

TEST_F(LayoutPageTest, PicturesFollowOrientationAndRotation) {
  OpenLayout(kFullModel, nullptr, true);
  const auto orientation = [this] { return PictureIn(Control(IDC_ORIENTATION_PICTURE)); };
  const auto duplex = [this] { return PictureIn(Control(IDC_DUPLEX_PICTURE)); };
  const std::vector<COLORREF> portrait = orientation(), portraitDuplex = duplex();
  ASSERT_FALSE(portrait.empty());
  ASSERT_FALSE(portraitDuplex.empty());
  const auto expectTurned = [&](bool turned, const char* how) {
    EXPECT_EQ(orientation() != portrait, turned) << how;
    EXPECT_EQ(duplex() != portraitDuplex, turned) << how;
  };
  // Back and forth, as a user tries a choice out.
  for (int round = 0; round < 2; ++round) {
    Click(IDC_LANDSCAPE);
    expectTurned(true, "landscape");
    Click(IDC_PORTRAIT);
    expectTurned(false, "portrait");
  }
  Choose(IDC_ROTATE, 180);
  expectTurned(true, "180");
  Choose(IDC_ROTATE, 0);
  expectTurned(false, "0");
  // Reverse Duplex has pictures of its own for the long and the short edge only.
  Click(IDC_DUPLEX_LONG);
  const std::vector<COLORREF> longEdge = duplex();
  Click(IDC_DUPLEX_REVERSE);
  EXPECT_NE(duplex(), longEdge);
  Click(IDC_DUPLEX_NONE);
  EXPECT_EQ(duplex(), portraitDuplex);

  // A click on the orientation picture turns the sheet; one on the duplex picture takes the
  // next choice, Printer Default after Short Edge.
  ClickPicture(IDC_ORIENTATION_PICTURE);
  EXPECT_TRUE(Checked(IDC_LANDSCAPE));
  EXPECT_NE(orientation(), portrait);
  ASSERT_TRUE(Checked(IDC_DUPLEX_NONE));
  for (int next : {IDC_DUPLEX_LONG, IDC_DUPLEX_SHORT, IDC_DUPLEX_DEFAULT}) {
    ClickPicture(IDC_DUPLEX_PICTURE);
    EXPECT_TRUE(Checked(next)) << next;
  }
  Apply();
  EXPECT_EQ(Live().dmPublic.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(Live().dmPrivate.iHardwareDuplex, 3);
}

TEST_F(LayoutPageTest, ScaleFactorHoldsItsRangeWhileTyping) {
  OpenLayout(kFullModel, [](qxge::DriverDevMode& r) { r.dmPrivate.iPoster = 4; r.dmPrivate.iPoster_Scale = 250; });
  EXPECT_EQ(Data(IDC_POSTER), 4);
  EXPECT_TRUE(Enabled(IDC_SCALE));
  EXPECT_EQ(Text(IDC_SCALE), L"250");
  SetWindowTextW(Control(IDC_SCALE), L"500");
  sheet_->Pump();
  EXPECT_EQ(Text(IDC_SCALE), L"500");  // as typed
  SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(IDC_SCALE, EN_KILLFOCUS), reinterpret_cast<LPARAM>(Control(IDC_SCALE)));
  EXPECT_EQ(Text(IDC_SCALE), L"400");
  Apply();
  EXPECT_EQ(Live().dmPrivate.iPoster_Scale, 400);

  Choose(IDC_POSTER, 2);  // 3x3: the scale is the layout's own
  EXPECT_FALSE(Enabled(IDC_SCALE));
}

TEST_F(LayoutPageTest, TurningATurnablePaperFixesTheSheet) {
  OpenLayout(kFullModel, [](qxge::DriverDevMode& r) { r.dmPublic.dmPaperSize = DMPAPER_ENV_10; r.dmPrivate.iNup = 3; });
  ASSERT_TRUE(Shown(IDC_ROTATE));
  EXPECT_FALSE(Shown(IDC_ROTATE_180));
  EXPECT_EQ(Items(IDC_ROTATE), 3);  // 0, 90 and 180 for this paper
  Choose(IDC_ROTATE, 90);
  EXPECT_EQ(Data(IDC_NUP), 0);
  EXPECT_FALSE(Enabled(IDC_LAYOUT_TYPE));
  EXPECT_FALSE(Enabled(IDC_NUP));
  EXPECT_EQ(Tip(IDC_LAYOUT_FRAME), L"To enable Layout Options, choose 0 or 180 degrees in the Rotate drop-down list.");
  Apply();
  EXPECT_EQ(Live().dmPrivate.iRotate, 90);
  EXPECT_EQ(Live().dmPrivate.iNup, 0);
  Choose(IDC_ROTATE, 0);
  EXPECT_TRUE(Enabled(IDC_LAYOUT_TYPE));
  EXPECT_EQ(Tip(IDC_LAYOUT_FRAME), L"");
}

TEST_F(LayoutPageTest, ScalingChosenOnThePaperPageClosesTheLayoutOptions) {
  // A fit to page on a model whose Layout page does not offer it is the Paper page's scaling.
  OpenLayout(kFullModel, [](qxge::DriverDevMode& r) { r.dmPrivate.iFitPage = 1; r.dmPrivate.iFitPagePaper = DMPAPER_A5; });
  EXPECT_FALSE(Enabled(IDC_LAYOUT_TYPE));
  EXPECT_FALSE(Enabled(IDC_NUP));
  EXPECT_EQ(Data(IDC_NUP), 0);
  EXPECT_EQ(Tip(IDC_LAYOUT_FRAME), L"To enable Layout Options, click the Paper tab, set the Scaling Type to "
                                   L"Reduce/Enlarge and change the Percentage to 100%.");
  const auto refill = [this](int16_t fit, int16_t reduce, int16_t ratio) {
    qxge::PrivateDevMode& p = Page().WorkingRecord()->dmPrivate;
    p.iFitPage = fit;
    p.iER = reduce;
    p.iERRatio = ratio;
    Page().Refill();
  };
  refill(0, 1, 150);
  EXPECT_FALSE(Enabled(IDC_LAYOUT_TYPE));
  // Reduce/Enlarge at 100 % changes nothing.
  refill(0, 1, 100);
  EXPECT_TRUE(Enabled(IDC_LAYOUT_TYPE));
  EXPECT_TRUE(Enabled(IDC_NUP));
  EXPECT_EQ(Tip(IDC_LAYOUT_FRAME), L"");

  // A Paper page that offers None as a scaling type names it too.
  base_ = L"QXLG";
  OpenLayout(std::string(kFullModel) + "PaperScaleNone=1\r\n", [](qxge::DriverDevMode& r) { r.dmPrivate.iER = 1; r.dmPrivate.iERRatio = 50; });
  EXPECT_FALSE(Enabled(IDC_LAYOUT_TYPE));
  EXPECT_EQ(Tip(IDC_LAYOUT_FRAME), L"To enable Layout Options, click the Paper tab, set the Scaling Type to None or "
                                   L"Reduce/Enlarge and change the Percentage to 100%.");
}

// A user's size within the box of the model's double-sided papers prints on both sides; one
// outside it is blocked, and the tip names the sizes that would do, the user's among them.
TEST_F(LayoutPageTest, CustomSizesWithinTheDoubleSidedPapersPrintOnBothSides) {
  base_ = L"QXLS";
  for (const int16_t paper : {257, 258}) {
    OpenLayout("[Common]\r\nLayoutDoubleSided=1\r\nLayoutDoublePrinter=1\r\nDoubleSidedPapers=1;9;257\r\n",
               [paper](qxge::DriverDevMode& r) {
                 qxtest::PutUserPapers(L"QXLS", {{L"Inside", 2130, 2900}, {L"Outside", 1000, 1500}});
                 r.dmPublic.dmPaperSize = paper;
               });
    EXPECT_EQ(Enabled(IDC_DUPLEX_LONG), paper == 257) << paper;
    EXPECT_EQ(Tip(IDC_DUPLEX_FRAME), paper == 257 ? L"" : L"To enable Double-sided Printing, click the Paper tab and change "
                                                          L"the Size to one of the following: Letter, A4, Inside.") << paper;
  }
}

TEST_F(LayoutPageTest, BookletsAndPostersPrintOnOneSideAndBookletsNeedBothSides) {
  OpenLayout(kFullModel);
  const std::wstring oneSided =
      L"To enable Double-sided Printing, set the Layout Options Type to anything except Poster and Booklet Printing.";
  for (int type : {qxge::LayoutTypeGroups::kBooklet, qxge::LayoutTypeGroups::kPoster}) {
    Choose(IDC_LAYOUT_TYPE, type);
    EXPECT_FALSE(Enabled(IDC_DUPLEX_LONG)) << type;
    EXPECT_EQ(Tip(IDC_DUPLEX_FRAME), oneSided) << type;
  }
  Choose(IDC_LAYOUT_TYPE, 0);
  EXPECT_TRUE(Enabled(IDC_DUPLEX_LONG));
  EXPECT_EQ(Tip(IDC_DUPLEX_FRAME), L"");

  // A5 is not printed on both sides here: no booklet, even one the record asks for.
  OpenLayout(kFullModel, [](qxge::DriverDevMode& r) { r.dmPublic.dmPaperSize = DMPAPER_A5; r.dmPrivate.iBooklet = 1; });
  EXPECT_EQ(Items(IDC_LAYOUT_TYPE), 4);
  EXPECT_NE(Data(IDC_LAYOUT_TYPE), qxge::LayoutTypeGroups::kBooklet);
  Apply();
  EXPECT_EQ(Live().dmPrivate.iBooklet, 0);
}

TEST_F(LayoutPageTest, ModelDecidesWhatIsOffered) {
  base_ = L"QXLB";
  OpenLayout("[Common]\r\nLayoutMultiple=1\r\nLayoutDoubleSided=1\r\nDoubleSidedPapers=9\r\n",
             [](qxge::DriverDevMode& r) { r.dmPrivate.iHardwareDuplex = 3; });
  EXPECT_EQ(Items(IDC_LAYOUT_TYPE), 1);
  EXPECT_TRUE(Shown(IDC_LAYOUT_FRAME));
  // A stored Printer Default on a model that does not offer it shows None.
  EXPECT_FALSE(Shown(IDC_DUPLEX_DEFAULT));
  EXPECT_TRUE(Checked(IDC_DUPLEX_NONE));
  EXPECT_FALSE(Enabled(IDC_DUPLEX_REVERSE));
  EXPECT_FALSE(Shown(IDC_ROTATE_180));
  EXPECT_FALSE(Shown(IDC_ROTATE));

  base_ = L"QXLC";
  OpenLayout("[Common]\r\nLayoutDoubleSided=1\r\nDoubleSidedPapers=1\r\n");
  EXPECT_FALSE(Shown(IDC_LAYOUT_FRAME));
  EXPECT_FALSE(Shown(IDC_LAYOUT_TYPE));
  // A4 may not be printed on both sides here.
  EXPECT_FALSE(Enabled(IDC_DUPLEX_LONG));

  // Without its duplex unit the printer offers neither Printer Default nor Reverse Duplex: the
  // rows left close up, and open again once the unit is there.
  base_ = L"QXLF";
  OpenLayout("[Common]\r\nLayoutDoubleSided=1\r\nLayoutDoublePrinter=1\r\nLayoutDoubleReverse=1\r\n"
             "LayoutDoubleManual=1\r\nPrinterDuplex=1\r\nDoubleSidedPapers=9\r\n",
             [](qxge::DriverDevMode& r) { r.dmPrivate.iDuplexUnit = 0; });
  EXPECT_FALSE(Shown(IDC_DUPLEX_DEFAULT));
  EXPECT_FALSE(Shown(IDC_DUPLEX_REVERSE));
  EXPECT_EQ(Bounds(IDC_DUPLEX_NONE).top, Bounds(IDC_DUPLEX_DEFAULT).top);
  const int row = Bounds(IDC_DUPLEX_NONE).bottom - Bounds(IDC_DUPLEX_NONE).top;
  EXPECT_LT(Bounds(IDC_DUPLEX_MANUAL_FRAME).bottom - Bounds(IDC_DUPLEX_SHORT).bottom, row);
  Page().WorkingRecord()->dmPrivate.iDuplexUnit = 1;
  Page().Refill();
  EXPECT_TRUE(Shown(IDC_DUPLEX_DEFAULT));
  EXPECT_TRUE(Shown(IDC_DUPLEX_REVERSE));
  EXPECT_GT(Bounds(IDC_DUPLEX_NONE).top, Bounds(IDC_DUPLEX_DEFAULT).bottom);
  EXPECT_GT(Bounds(IDC_DUPLEX_FRAME).bottom, Bounds(IDC_DUPLEX_REVERSE).bottom);
}

TEST_F(LayoutPageTest, CompactPageTakesLayoutTypesFromItsDialog) {
  base_ = L"QXLD";
  OpenLayout(kCompactModel, [](qxge::DriverDevMode& r) { r.dmPrivate.iNup = 2; });
  EXPECT_FALSE(Shown(IDC_LAYOUT_TYPE));
  EXPECT_TRUE(Enabled(IDC_MORE_LAYOUT));
  EXPECT_TRUE(Enabled(IDC_DUPLEX_LONG));
  // The duplex picture steps past the Printer Default this model does not offer.
  for (int next : {IDC_DUPLEX_LONG, IDC_DUPLEX_SHORT, IDC_DUPLEX_NONE}) {
    ClickPicture(IDC_DUPLEX_PICTURE);
    EXPECT_TRUE(Checked(next)) << next;
  }
  {
    // Without Printer Default and Reverse Duplex the group closes up around its three radios,
    // and the button stays right under it.
    const RECT frame = Bounds(IDC_DUPLEX_FRAME), none = Bounds(IDC_DUPLEX_NONE), last = Bounds(IDC_DUPLEX_SHORT);
    const RECT more = Bounds(IDC_MORE_LAYOUT);
    const int row = none.bottom - none.top;
    EXPECT_LT(none.top - frame.top, 2 * row);
    EXPECT_GT(frame.bottom, last.bottom);
    EXPECT_LT(frame.bottom - last.bottom, row);
    EXPECT_GT(more.top, frame.bottom);
    EXPECT_LT(more.top - frame.bottom, row);
  }

  // A poster replaces the pages per side; posters are printed on one side only.
  MoreOptions([sheet = window_](HWND dialog) {
    // It opens over the sheet, not in a corner of it.
    RECT d, s;
    GetWindowRect(dialog, &d);
    GetWindowRect(sheet, &s);
    EXPECT_NEAR(d.left + d.right, s.left + s.right, 2);
    EXPECT_NEAR(d.top + d.bottom, s.top + s.bottom, 2);
    EXPECT_TRUE(CheckedIn(dialog, IDC_MORE_MULTIPLE));
    EXPECT_EQ(DataIn(dialog, IDC_NUP), 2);
    // Its preview names the paper and gives its size.
    EXPECT_EQ(LinesUnderTheSheet(GetDlgItem(dialog, IDC_MORE_PREVIEW)), 2);
    EXPECT_FALSE(ShownIn(dialog, IDC_MORE_VIRTUAL));
    EXPECT_TRUE(ShownIn(dialog, IDC_MORE_FIT));
    SendMessageW(GetDlgItem(dialog, IDC_MORE_POSTER), BM_CLICK, 0, 0);
    EXPECT_TRUE(ShownIn(dialog, IDC_POSTER));
    EXPECT_FALSE(ShownIn(dialog, IDC_NUP));
  }, IDOK);
  EXPECT_FALSE(Enabled(IDC_DUPLEX_LONG));
  EXPECT_TRUE(ApplyEnabled());
  Apply();
  EXPECT_EQ(Live().dmPrivate.iNup, 0);
  EXPECT_EQ(Live().dmPrivate.iPoster, 1);

  // Cancel leaves the record as it was, whatever was chosen.
  MoreOptions([](HWND dialog) {
    SendMessageW(GetDlgItem(dialog, IDC_MORE_FIT), BM_CLICK, 0, 0);
    EXPECT_TRUE(ShownIn(dialog, IDC_FIT_PAPER));
  }, IDCANCEL);
  Apply();
  EXPECT_EQ(Live().dmPrivate.iPoster, 1);
  EXPECT_EQ(Live().dmPrivate.iFitPage, 0);

  MoreOptions([](HWND dialog) {
    SendMessageW(GetDlgItem(dialog, IDC_MORE_SCALE), BM_CLICK, 0, 0);
    EXPECT_TRUE(ShownIn(dialog, IDC_PERCENT));
    SetWindowTextW(GetDlgItem(dialog, IDC_PERCENT), L"150");
  }, IDOK);
  EXPECT_TRUE(Enabled(IDC_DUPLEX_LONG));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iPoster, 0);
  EXPECT_EQ(Live().dmPrivate.iER, 1);
  EXPECT_EQ(Live().dmPrivate.iERRatio, 150);
}

TEST_F(LayoutPageTest, CompactPageKeepsLargeAndTurnedPapersToWhatTheyAllow) {
  base_ = L"QXLE";
  OpenLayout(kCompactModel, [](qxge::DriverDevMode& r) { r.dmPublic.dmPaperSize = DMPAPER_LEGAL; });
  // A large paper is only printed scaled down to another paper.
  MoreOptions([](HWND dialog) {
    for (int id : {IDC_MORE_MULTIPLE, IDC_MORE_POSTER, IDC_MORE_BOOKLET, IDC_MORE_SCALE}) EXPECT_FALSE(EnabledIn(dialog, id));
    EXPECT_TRUE(EnabledIn(dialog, IDC_MORE_FIT));
    SendMessageW(GetDlgItem(dialog, IDC_MORE_FIT), BM_CLICK, 0, 0);
    const HWND papers = GetDlgItem(dialog, IDC_FIT_PAPER);
    SendMessageW(papers, CB_SETCURSEL, SendMessageW(papers, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(L"A4")), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FIT_PAPER, CBN_SELCHANGE), reinterpret_cast<LPARAM>(papers));
  }, IDOK);
  Apply();
  EXPECT_EQ(Live().dmPrivate.iFitPage, 1);
  EXPECT_EQ(Live().dmPrivate.iFitPagePaper, DMPAPER_A4);
  // A4 may be printed on both sides, so the fitted Legal document may too.
  EXPECT_TRUE(Enabled(IDC_DUPLEX_LONG));

  OpenLayout(kCompactModel, [](qxge::DriverDevMode& r) { r.dmPublic.dmPaperSize = DMPAPER_ENV_10; });
  Choose(IDC_ROTATE, 90);
  EXPECT_FALSE(Enabled(IDC_MORE_LAYOUT));
  Choose(IDC_ROTATE, 0);
  EXPECT_TRUE(Enabled(IDC_MORE_LAYOUT));

  // A5 is printed on one side only, so not as a booklet.
  OpenLayout(kCompactModel, [](qxge::DriverDevMode& r) { r.dmPublic.dmPaperSize = DMPAPER_A5; });
  MoreOptions([](HWND dialog) {
    EXPECT_TRUE(EnabledIn(dialog, IDC_MORE_POSTER));
    EXPECT_FALSE(EnabledIn(dialog, IDC_MORE_BOOKLET));
  }, IDCANCEL);
}

// Typed lengths a user could get wrong, and a stored duplex value no radio stands for.
TEST(LayoutPageRules, LengthsFiltersAndDuplexChoices) {
  EXPECT_EQ(qxge::ParseLength(u"1.5", true), 381);
  EXPECT_EQ(qxge::ParseLength(u"12", false), 120);
  EXPECT_FALSE(qxge::ParseLength(u"", false));
  EXPECT_FALSE(qxge::ParseLength(u"x", true));
  EXPECT_TRUE(qxge::FilterAccepts(qxge::EditFilter::Decimal, u"12.5"));
  EXPECT_FALSE(qxge::FilterAccepts(qxge::EditFilter::Decimal, u"1.2.5"));
  EXPECT_EQ(qxge::DuplexChoice(77, true), 0);
  EXPECT_EQ(qxge::DuplexChoice(77, false), 1);  // never a radio that is not there
}

}  // namespace
