// The Paper page on a real sheet of the office printer: the lists the printer gives it, what
// it writes back, and which choices it closes, and why.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "sheet_harness.h"
#include "snapshot.h"

namespace {

std::string OfficeModel() { return qxtest::ReadTextFile(qxtest::SourceDir() + L"\\samples\\office\\QX5000U.INI"); }
// The small printer: the compact form, which lets the printer pick the tray.
std::string CompactModel() { return qxtest::ReadTextFile(qxtest::SourceDir() + L"\\samples\\compact\\QX300U.INI"); }
std::string WithKey(std::string model, const std::string& from, const std::string& to) {
  return model.replace(model.find(from), from.size(), to);
}

class PaperPageTest : public qxtest::SheetHarness {
 protected:
  void OpenPaper(const std::string& model, void (*prepare)(qxge::DriverDevMode&) = nullptr,
                 const wchar_t* base = L"QXPA") {
    Stage(base, model, "[Common]\r\n");
    Live().dmPublic.dmPaperSize = DMPAPER_A4;
    Live().dmPublic.dmFields |= DM_PAPERSIZE;
    if (prepare != nullptr) prepare(Live());
    Open({1});
  }
  std::vector<intptr_t> ItemData(int id) const {
    std::vector<intptr_t> data;
    for (int i = 0; i < Items(id); ++i) data.push_back(SendMessageW(Control(id), CB_GETITEMDATA, i, 0));
    return data;
  }
  // As a user types into an edit and leaves it.
  void Type(int id, const wchar_t* text) {
    SetWindowTextW(Control(id), text);
    SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(Control(id)));
    sheet_->Pump();
  }
};

// A model that lays out several pages per side without fitting them itself.
std::string PlainModel(const char* extra = "") {
  return std::string("[Common]\r\nLayoutMultiple=1\r\nLayoutPoster=1\r\nPaperSeparator=1\r\nPaperFirstPage=1\r\n") +
         extra + "[LARGEPAPERNAME]\r\nPaperIndex=5\r\n";
}

TEST_F(PaperPageTest, ListsAreThePrintersAndTheUsersAndTheChoiceIsStored) {
  OpenPaper(OfficeModel(), [](qxge::DriverDevMode& r) {
    qxtest::PutUserPapers(L"QXPA", {{L"Poster Board", 2000, 2500}});
    r.dmPrivate.iPaperType = 2;
  });
  EXPECT_EQ(ItemTexts(IDC_PAPER_SIZE),
            (std::vector<std::wstring>{L"Letter", L"Legal", L"Executive", L"A4", L"A5", L"B5 (JIS)", L"Envelope #10",
                                       L"Envelope DL", L"Envelope C5", L"Envelope Monarch", L"Poster Board"}));
  EXPECT_EQ(Data(IDC_PAPER_SIZE), DMPAPER_A4);
  // Without the optional tray its bins (above 256 here) are not offered.
  EXPECT_FALSE(ItemData(IDC_SOURCE).empty());
  for (intptr_t bin : ItemData(IDC_SOURCE)) EXPECT_LE(bin, 256);
  EXPECT_EQ(ItemTexts(IDC_FIRST_PAGE).front(), L"None");
  EXPECT_EQ(ItemData(IDC_FIRST_PAGE).size(), ItemData(IDC_SOURCE).size() + 1);
  // The printer names no media, so nothing is a transparency and a separator cannot be had.
  EXPECT_EQ(Items(IDC_MEDIA_TYPE), 0);
  EXPECT_FALSE(Enabled(IDC_SEPARATOR));
  EXPECT_TRUE(Enabled(IDC_FIRST_PAGE));
  EXPECT_EQ(Tip(IDC_SEPARATOR), L"To enable Separator, choose \"Transparency\" in the Type drop-down list.");

  Choose(IDC_PAPER_SIZE, DMPAPER_A5);
  const intptr_t cover = ItemData(IDC_FIRST_PAGE).back();
  Choose(IDC_FIRST_PAGE, cover);
  Apply();
  const qxge::DriverDevMode& live = Live();
  EXPECT_EQ(live.dmPublic.dmPaperSize, DMPAPER_A5);
  EXPECT_EQ(live.dmPublic.dmFields & 0x30E, 0x302u);
  EXPECT_EQ(live.dmPrivate.iPaperType, 2);
  EXPECT_EQ(live.dmPrivate.wCoverSource, cover);
  EXPECT_EQ(live.dmPrivate.iDiffPaper, 1);

  Choose(IDC_PAPER_SIZE, 257);
  Choose(IDC_FIRST_PAGE, 0);
  Apply();
  EXPECT_EQ(live.dmPublic.dmPaperSize, 257);
  EXPECT_EQ(live.dmPublic.dmFields & 0x30E, 0x30Eu);
  EXPECT_EQ(live.dmPublic.dmPaperWidth, 2000);
  EXPECT_EQ(live.dmPublic.dmPaperLength, 2500);
  EXPECT_EQ(live.dmPrivate.iDiffPaper, 0);
}

// A size made in the Custom Page Size dialog is at once in the size list, chosen, and applied
// with its dimensions.
TEST_F(PaperPageTest, ASizeMadeInTheDialogIsChosenOnThePage) {
  OpenPaper(PlainModel());
  EXPECT_TRUE(InDialog(IDC_CUSTOM_PAPER, IDC_CUSTOM_LIST, [](HWND d) {
    SetDlgItemTextW(d, IDC_CUSTOM_NAME, L"Poster 20x25");
    SetDlgItemTextW(d, IDC_CUSTOM_WIDTH, L"200");
    SetDlgItemTextW(d, IDC_CUSTOM_HEIGHT, L"250");
  }));
  const std::vector<std::wstring> sizes = ItemTexts(IDC_PAPER_SIZE);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back(), L"Poster 20x25");
  EXPECT_EQ(Data(IDC_PAPER_SIZE), 257);
  EXPECT_TRUE(ApplyEnabled());
  Apply();
  EXPECT_EQ(Live().dmPublic.dmPaperSize, 257);
  EXPECT_EQ(Live().dmPublic.dmPaperWidth, 2000);
  EXPECT_EQ(Live().dmPublic.dmPaperLength, 2500);
}

TEST_F(PaperPageTest, OptionalTrayAddsItsBins) {
  OpenPaper(OfficeModel(), [](qxge::DriverDevMode& r) { r.dmPrivate.iOptTray = 1; });
  const std::vector<intptr_t> bins = ItemData(IDC_SOURCE);
  EXPECT_TRUE(std::any_of(bins.begin(), bins.end(), [](intptr_t bin) { return bin > 256; }));
}

TEST_F(PaperPageTest, LargePaperPrintsOnePageFittedAndTheTipNamesIt) {
  OpenPaper(OfficeModel(), [](qxge::DriverDevMode& r) {
    r.dmPrivate.iPoster = 2;
    r.dmPrivate.iER = 1;
    r.dmPrivate.iERRatio = 150;
  });
  // A poster leaves no room for scaling.
  EXPECT_FALSE(Enabled(IDC_SCALING_TYPE));
  const std::vector<intptr_t> targets = ItemData(IDC_FIT_PAPER);
  EXPECT_EQ(std::count(targets.begin(), targets.end(), DMPAPER_LEGAL), 0);

  Choose(IDC_PAPER_SIZE, DMPAPER_LEGAL);
  EXPECT_EQ(Data(IDC_SCALING_TYPE), 4);  // Fit to Page
  EXPECT_TRUE(Shown(IDC_FIT_PAPER));
  EXPECT_TRUE(Enabled(IDC_FIT_PAPER));
  EXPECT_FALSE(Enabled(IDC_SCALING_TYPE));
  EXPECT_EQ(Tip(IDC_SCALING_TYPE), L"To enable Scaling Type, change the Size to anything except following: Legal.");
  Apply();
  const qxge::PrivateDevMode& p = Live().dmPrivate;
  EXPECT_EQ(Live().dmPublic.dmPaperSize, DMPAPER_LEGAL);
  EXPECT_EQ(p.iFitPage, 1);
  EXPECT_EQ(p.iFitPagePaper, Data(IDC_FIT_PAPER));
  EXPECT_EQ(p.iNup + p.iPoster + p.iVirtualPrint + p.iER, 0);

  Choose(IDC_PAPER_SIZE, DMPAPER_A4);
  EXPECT_TRUE(Enabled(IDC_SCALING_TYPE));
  EXPECT_EQ(Tip(IDC_SCALING_TYPE), L"");
}

TEST_F(PaperPageTest, PagesPerSideCloseScalingAndTheTipSaysWhere) {
  const auto fourPerSide = [](qxge::DriverDevMode& r) { r.dmPrivate.iNup = 2; };
  OpenPaper(PlainModel(), fourPerSide);
  EXPECT_FALSE(Enabled(IDC_SCALING_TYPE));
  EXPECT_FALSE(Enabled(IDC_PERCENT));
  EXPECT_EQ(Tip(IDC_SCALING_FRAME), L"To enable Scaling, click the Layout tab, set the Layout Options Type to Multiple "
                                    L"Pages per Side and change the Pages per Side to 1.");

  OpenPaper(PlainModel("LayoutTypeNone=1\r\n"), fourPerSide, L"QXPB");
  EXPECT_EQ(Tip(IDC_SCALING_FRAME), L"To enable Scaling, click the Layout tab, set the Layout Options Type to None or "
                                    L"Multiple Pages per Side and change the Pages per Side to 1.");
}

TEST_F(PaperPageTest, NumbersHoldWithinTheirRanges) {
  OpenPaper(OfficeModel(), [](qxge::DriverDevMode& r) {
    r.dmPrivate.iER = 1;
    r.dmPrivate.iERRatio = 1000;  // out of range: shows as 100
  });
  EXPECT_EQ(Text(IDC_PERCENT), L"100");
  Type(IDC_COPIES, L"0");
  EXPECT_EQ(Text(IDC_COPIES), L"1");
  Type(IDC_PERCENT, L"20");
  Apply();
  EXPECT_EQ(Live().dmPublic.dmCopies, 1);
  EXPECT_EQ(Live().dmPrivate.iERRatio, 25);
  Type(IDC_COPIES, L"1000");
  EXPECT_EQ(Text(IDC_COPIES), L"999");
  Apply();
  EXPECT_EQ(Live().dmPublic.dmCopies, 999);
}

TEST_F(PaperPageTest, ARecordShownAsItIsLeavesApplyGrey) {
  OpenPaper(OfficeModel(), [](qxge::DriverDevMode& r) {
    r.dmPublic.dmFields &= ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
    r.dmPublic.dmDefaultSource = 15;
    r.dmPrivate.iPaperType = 7;
    // Collation as the page shows it, and scaling at 100 %, the office model's "no scaling".
    r.dmPublic.dmCollate = 0;
    r.dmPrivate.iER = 1;
    r.dmPrivate.iERRatio = 100;
  });
  // Taking the page's controls back into the record changes nothing.
  Choose(IDC_PAPER_SIZE, DMPAPER_A4);
  EXPECT_FALSE(ApplyEnabled());
  Choose(IDC_PAPER_SIZE, DMPAPER_A5);
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(PaperPageTest, RowsAModelLacksGiveTheirPlaceToTheRowsBelow) {
  OpenPaper(OfficeModel());
  const RECT separator = Bounds(IDC_SEPARATOR), first = Bounds(IDC_FIRST_PAGE), scaling = Bounds(IDC_SCALING_FRAME);

  OpenPaper(WithKey(OfficeModel(), "PaperSeparator=1", "PaperSeparator=0"), nullptr, L"QXPC");
  EXPECT_FALSE(Shown(IDC_SEPARATOR));
  EXPECT_FALSE(Shown(IDC_SEPARATOR_LABEL));
  EXPECT_EQ(Bounds(IDC_FIRST_PAGE).top, separator.top);
  EXPECT_EQ(Bounds(IDC_SCALING_FRAME).top, scaling.top - (first.top - separator.top));
  EXPECT_GT(Bounds(IDC_SCALING_FRAME).top, Bounds(IDC_PAPER_FRAME).bottom);
  EXPECT_GT(Bounds(IDC_PAPER_FRAME).bottom, Bounds(IDC_FIRST_PAGE).bottom);
}

// "Any separator" asks where its sheets come from and where they go; the page keeps the choice
// of separator whatever the answer, and "No Separator" asks nothing.
TEST_F(PaperPageTest, ASeparatorAsksForItsPlaceAndIsKeptWhateverTheAnswer) {
  OpenPaper(OfficeModel());
  // Whether the place dialog opened when the separator was chosen; place is clicked in it.
  const auto choose = [this](intptr_t separator, int place, int button) {
    qxtest::ModalDriver driver(IDC_SEPARATOR_AFTER, [place](HWND d) { SendDlgItemMessageW(d, place, BM_CLICK, 0, 0); },
                               button);
    Choose(IDC_SEPARATOR, separator);
    return driver.opened();
  };
  EXPECT_TRUE(choose(2, IDC_SEPARATOR_AFTER, IDOK));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iOhp, 2);
  EXPECT_EQ(Live().dmPrivate.iLocateOhp, 1);
  EXPECT_TRUE(choose(3, IDC_SEPARATOR_BEFORE, IDCANCEL));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iOhp, 3);
  EXPECT_EQ(Live().dmPrivate.iLocateOhp, 1);
  EXPECT_FALSE(choose(0, IDC_SEPARATOR_BEFORE, IDCANCEL));
}

TEST_F(PaperPageTest, CompactFormLetsThePrinterPickTheTrayOrForcesOne) {
  OpenPaper(CompactModel(), [](qxge::DriverDevMode& r) {
    r.dmPrivate.iForceTray = 0;
    r.dmPublic.dmDefaultSource = DMBIN_AUTO;
  });
  // While the printer picks, the list shows the model's tray and is not the user's to change.
  EXPECT_TRUE(Checked(IDC_TRAY_AUTO));
  EXPECT_FALSE(Enabled(IDC_SOURCE));
  EXPECT_EQ(Data(IDC_SOURCE), 257);
  Click(IDC_TRAY_AUTO);
  EXPECT_FALSE(ApplyEnabled());

  Click(IDC_TRAY_FORCE);
  EXPECT_TRUE(Enabled(IDC_SOURCE));
  Choose(IDC_SOURCE, 258);
  Apply();
  EXPECT_EQ(Live().dmPublic.dmDefaultSource, 258);
  EXPECT_EQ(Live().dmPrivate.iForceTray, 1);

  Click(IDC_TRAY_AUTO);
  EXPECT_EQ(Data(IDC_SOURCE), 257);
  Apply();
  EXPECT_EQ(Live().dmPublic.dmDefaultSource, DMBIN_AUTO);
  EXPECT_NE(Live().dmPublic.dmFields & DM_DEFAULTSOURCE, 0u);
  EXPECT_EQ(Live().dmPrivate.iForceTray, 0);
}

TEST_F(PaperPageTest, CompactFormClosesUpOverTheRowsItsModelLacks) {
  std::string full = WithKey(CompactModel(), "PaperSeparator=0", "PaperSeparator=1");
  full = WithKey(WithKey(full, "PaperFirstPage=0", "PaperFirstPage=1"), "PaperBannerSheet=0", "PaperBannerSheet=1");
  OpenPaper(full, [](qxge::DriverDevMode& r) { r.dmPrivate.iBannerSheet = 0; });
  const RECT separator = Bounds(IDC_SEPARATOR), trays = Bounds(IDC_TRAY_AUTO), source = Bounds(IDC_SOURCE);
  const RECT cover = Bounds(IDC_FIRST_PAGE), frame = Bounds(IDC_PAPER_FRAME), banner = Bounds(IDC_BANNER_SHEET);
  EXPECT_TRUE(Shown(IDC_BANNER_SHEET));
  Click(IDC_BANNER_SHEET);
  Apply();
  EXPECT_EQ(Live().dmPrivate.iBannerSheet, 1);

  OpenPaper(CompactModel(), nullptr, L"QXPD");
  EXPECT_FALSE(Shown(IDC_SEPARATOR));
  EXPECT_FALSE(Shown(IDC_FIRST_PAGE));
  EXPECT_FALSE(Shown(IDC_BANNER_SHEET));
  EXPECT_EQ(Bounds(IDC_TRAY_AUTO).top, separator.top);
  EXPECT_EQ(Bounds(IDC_SOURCE).top, source.top - (trays.top - separator.top));
  EXPECT_EQ(Bounds(IDC_PAPER_FRAME).bottom, frame.bottom - (trays.top - separator.top) - (cover.top - source.top));
  EXPECT_GT(Bounds(IDC_PAPER_FRAME).bottom, Bounds(IDC_SOURCE).bottom);
  EXPECT_GT(banner.top, frame.bottom);
}

// A user's size is drawn true to its shape, and drawn anew when the dialog changes it.
TEST_F(PaperPageTest, ThePreviewDrawsAUsersSizeToItsShape) {
  OpenPaper(PlainModel(), [](qxge::DriverDevMode& r) {
    qxtest::PutUserPapers(L"QXPA", {{L"Square", 2000, 2000}});
    r.dmPublic.dmPaperSize = 257;
    r.dmPrivate.IsMMInch = 0;
  });
  const auto sheet = [this] {
    const qxtest::Snapshot shot(Control(IDC_PREVIEW));
    return shot.Bounds(GetSysColor(COLOR_WINDOW), shot.Height() - 100);
  };
  const RECT square = sheet();
  ASSERT_GT(square.right - square.left, 20);
  EXPECT_NEAR(square.right - square.left, square.bottom - square.top, 1);
  EXPECT_TRUE(InDialog(IDC_CUSTOM_PAPER, IDC_CUSTOM_LIST, [](HWND d) { SetDlgItemTextW(d, IDC_CUSTOM_HEIGHT, L"100"); }));
  // 200 x 100 mm, turned as the orientation turns every sheet: its long side twice its short.
  const RECT half = sheet();
  const int w = half.right - half.left, h = half.bottom - half.top;
  EXPECT_NEAR(std::max(w, h), 2 * std::min(w, h), 2);
}

}  // namespace
