// The Basics and Main pages of the photo model on its own printer: borderless twins, the
// quality, and how the pictures fill the sheet, as the record keeps them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "sheet_harness.h"

namespace {

constexpr int32_t kBasics = 16, kMain = 21;
// The photo printer's papers (samples/photo/QX_Photo.ppd) by Windows number.
constexpr intptr_t kLetter = 1, kA4 = 9, kA5 = 11, kStatement = 6, kLetterBorderless = 50, kA4Borderless = 53;

std::string Sample(const wchar_t* file) {
  return qxtest::ReadTextFile(qxtest::SourceDir() + L"\\samples\\photo\\" + file);
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

class PhotoPagesTest : public qxtest::SheetHarness {
 protected:
  void SetUp() override {
    printer_ = L"QX_Photo";
    // The model also pairs A5 with a borderless A5 (64) that the printer does not offer.
    std::string model = Sample(L"QX900U.INI");
    Replace(model, "BorderPapers=1;9;70;43", "BorderPapers=1;9;11;70;43");
    Replace(model, "BorderlessPapers=50;53;83;81", "BorderlessPapers=50;53;64;83;81");
    Stage(L"QXPH", model, Sample(L"QX900EN.DAT"));
    CopyFileW((qxtest::SourceDir() + L"\\samples\\photo\\QX_Photo.VER").c_str(), (dir_ + L"\\QX_Photo.VER").c_str(),
              FALSE);
    record_ = qxhost::DefaultRecord(printer_);
  }
  // A sheet of one page on a record prepared for it; a sheet open before is closed first.
  template <typename Prepare>
  void OpenOn(int32_t page, Prepare prepare) {
    Close();
    prepare(Live().dmPublic, Live().dmPrivate);
    Open({page});
  }
  std::vector<intptr_t> ItemData(int id) const {
    std::vector<intptr_t> data;
    for (int i = 0; i < Items(id); ++i) data.push_back(SendMessageW(Control(id), CB_GETITEMDATA, i, 0));
    return data;
  }
  qxge::PrivateDevMode& Private() { return Live().dmPrivate; }
};

TEST_F(PhotoPagesTest, BorderlessChoosesThePapersTwin) {
  OpenOn(kBasics, [](qxge::PublicDevMode& pub, qxge::PrivateDevMode& p) {
    pub.dmPaperSize = kA4;
    pub.dmFields &= ~0x3u;
    p.iBorderless = 0;
  });
  // The paper Wine numbers 256 ("4 x 6 in") is never offered.
  EXPECT_EQ(ItemTexts(IDC_PAPER_SIZE),
            (std::vector<std::wstring>{L"Letter", L"Letter (Borderless)", L"A4", L"A4 (Borderless)", L"A5", L"A6",
                                       L"A6 (Borderless)", L"Postcard 100 x 148 mm",
                                       L"Postcard 100 x 148 mm (Borderless)", L"Statement"}));
  struct Step {
    int id;
    intptr_t paper;  // chosen for a list, or -1 for a click on Borderless
    intptr_t shownPaper;
    bool borderless;
  };
  const Step steps[] = {
      {IDC_BORDERLESS, -1, kA4Borderless, true},  // to the twin
      {IDC_BORDERLESS, -1, kA4, false},           // and back
      {IDC_PAPER_SIZE, kStatement, kStatement, false},
      {IDC_BORDERLESS, -1, kStatement, true},     // a paper without a twin stays
      {IDC_PAPER_SIZE, kStatement, kStatement, true},
      {IDC_PAPER_SIZE, kLetterBorderless, kLetterBorderless, true},
      {IDC_PAPER_SIZE, kA5, kA5, false},          // a bordered paper clears the check
      {IDC_BORDERLESS, -1, kLetter, true},        // the printer lacks borderless A5: the first paper
  };
  for (const Step& step : steps) {
    if (step.paper < 0)
      Click(step.id);
    else
      Choose(step.id, step.paper);
    EXPECT_EQ(Data(IDC_PAPER_SIZE), step.shownPaper) << step.id << " " << step.paper;
    EXPECT_EQ(Checked(IDC_BORDERLESS), step.borderless) << step.id << " " << step.paper;
  }
  Apply();
  EXPECT_EQ(Live().dmPublic.dmPaperSize, kLetter);
  EXPECT_EQ(Private().iBorderless, 1);
  EXPECT_EQ(Live().dmPublic.dmFields & 0x3u, 0x3u);
}

TEST_F(PhotoPagesTest, QualityShowsTwoLevelsAndTheRecordKeepsWhatIsNotTheUsers) {
  const struct {
    uint16_t resolution;
    bool best;
  } cases[] = {{1200, true}, {600, false}, {300, false}};
  for (const auto& c : cases) {
    OpenOn(kBasics, [&c](qxge::PublicDevMode&, qxge::PrivateDevMode& p) {
      p.iResolution = c.resolution;
      p.iBorderless = -1;
      p.iPaperType = 7;
    });
    EXPECT_EQ(Checked(IDC_QUALITY_BEST), c.best) << c.resolution;
    EXPECT_EQ(Checked(IDC_QUALITY_NORMAL), !c.best) << c.resolution;
  }
  // Wine's printer names no media: nothing to choose, and the record's type stays.
  EXPECT_EQ(Items(IDC_MEDIA_TYPE), 0);
  EXPECT_FALSE(Enabled(IDC_MEDIA_TYPE));
  Click(IDC_QUALITY_NORMAL);
  Click(IDC_BORDERLESS);
  Apply();
  EXPECT_EQ(Private().iResolution, 600);
  EXPECT_EQ(Private().iBorderless, -1);
  EXPECT_EQ(Private().iPaperType, 7);
  // A click on the picture turns the quality.
  SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(IDC_QUALITY_PICTURE, STN_CLICKED),
               reinterpret_cast<LPARAM>(Control(IDC_QUALITY_PICTURE)));
  sheet_->Pump();
  Apply();
  EXPECT_EQ(Private().iResolution, 1200);
}

TEST_F(PhotoPagesTest, MainShowsTheRecordsLayout) {
  const struct {
    int16_t clone, nup, nupLayout;
    int layout, sameChoice;
    intptr_t sameCount, fixedSize, multipleCount, order;
  } cases[] = {
      {5, 2, 0, IDC_SAME_IMAGE, IDC_FIXED_SIZES, 2, 11, 2, 0},            // "40 x 50 mm"
      {0, 2, 2, IDC_MULTIPLE_IMAGES, IDC_PICTURES_PER_SHEET, 2, -1, 2, 2},
      {0, 6, 5, IDC_SAME_IMAGE, IDC_PICTURES_PER_SHEET, 6, -1, 6, 0},     // eight pictures
  };
  for (const auto& c : cases) {
    OpenOn(kMain, [&c](qxge::PublicDevMode& pub, qxge::PrivateDevMode& p) {
      pub.dmPaperSize = kLetter;
      p.iClone = c.clone;
      p.iNup = c.nup;
      p.iNupLayout = c.nupLayout;
    });
    const bool same = c.layout == IDC_SAME_IMAGE, fixed = c.sameChoice == IDC_FIXED_SIZES;
    EXPECT_TRUE(Checked(c.layout)) << c.clone;
    EXPECT_TRUE(Checked(c.sameChoice)) << c.clone;
    EXPECT_EQ(Data(IDC_SAME_COUNT), c.sameCount) << c.clone;
    EXPECT_EQ(Data(IDC_FIXED_SIZE), c.fixedSize) << c.clone;
    EXPECT_EQ(Data(IDC_NUP), c.multipleCount) << c.clone;
    EXPECT_EQ(Data(IDC_PAGE_ORDER), c.order) << c.clone;
    EXPECT_EQ(Enabled(IDC_SAME_COUNT), same && !fixed) << c.clone;
    EXPECT_EQ(Enabled(IDC_FIXED_SIZE), same && fixed) << c.clone;
    EXPECT_EQ(Enabled(IDC_NUP), !same) << c.clone;
    EXPECT_EQ(Enabled(IDC_PAGE_ORDER), !same) << c.clone;
  }
}

TEST_F(PhotoPagesTest, MainStoresTheLayoutChosen) {
  OpenOn(kMain, [](qxge::PublicDevMode& pub, qxge::PrivateDevMode& p) {
    pub.dmPaperSize = kLetter;
    pub.dmOrientation = DMORIENT_PORTRAIT;
    pub.dmFields &= ~0x103u;
    p.iClone = 0;
    p.iNup = 0;
    p.iNupLayout = 0;
  });
  // A count chosen in one list shows in the other; one picture a sheet has no order.
  EXPECT_FALSE(Enabled(IDC_PAGE_ORDER));
  Choose(IDC_NUP, 2);
  EXPECT_EQ(Data(IDC_SAME_COUNT), 2);
  EXPECT_TRUE(Enabled(IDC_PAGE_ORDER));
  // Two pictures run across a portrait sheet and down a landscape one.
  Choose(IDC_NUP, 1);
  EXPECT_EQ(ItemTexts(IDC_PAGE_ORDER), (std::vector<std::wstring>{L"Right", L"Left"}));
  Click(IDC_LANDSCAPE);
  EXPECT_EQ(ItemTexts(IDC_PAGE_ORDER), (std::vector<std::wstring>{L"Down", L"Up"}));
  Choose(IDC_PAGE_ORDER, 4);
  Apply();
  EXPECT_EQ(Private().iNup, 1);
  EXPECT_EQ(Private().iNupLayout, 4);

  // "8" pictures of the same image.
  Click(IDC_SAME_IMAGE);
  Choose(IDC_SAME_COUNT, 6);
  Apply();
  EXPECT_EQ(Private().iNup, 6);
  EXPECT_EQ(Private().iNupLayout, 5);
  EXPECT_EQ(Private().iClone, 0);
  EXPECT_EQ(Data(IDC_NUP), 6);

  Click(IDC_FIXED_SIZES);
  Choose(IDC_FIXED_SIZE, 11);
  Apply();
  EXPECT_EQ(Private().iClone, 5);
  EXPECT_EQ(Live().dmPublic.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(Live().dmPublic.dmFields & 0x103u, 0x103u);
  // Typed copies beyond the range hold its end.
  SetWindowTextW(Control(IDC_COPIES), L"150");
  SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(IDC_COPIES, EN_KILLFOCUS), reinterpret_cast<LPARAM>(Control(IDC_COPIES)));
  Apply();
  EXPECT_EQ(Live().dmPublic.dmCopies, 99);
}

TEST_F(PhotoPagesTest, SmallPapersLackTheLargestFixedSize) {
  OpenOn(kMain, [](qxge::PublicDevMode& pub, qxge::PrivateDevMode& p) {
    pub.dmPaperSize = 125;
    p.iClone = 5;
    p.IsMMInch = 0;
  });
  const std::vector<std::wstring> small = ItemTexts(IDC_FIXED_SIZE);
  ASSERT_EQ(small.size(), 6u);
  EXPECT_EQ(small.back(), L"51 x 51 mm");
  Choose(IDC_PAPER_SIZE, kA4);
  EXPECT_EQ(ItemTexts(IDC_FIXED_SIZE).back(), L"50.8 x 70 mm");
  // The sizes follow the unit; the size chosen stays chosen.
  Choose(IDC_PAPER_UNIT, 1);
  EXPECT_EQ(ItemTexts(IDC_FIXED_SIZE).back(), L"2.00 x 2.76 inch");
  EXPECT_EQ(Data(IDC_FIXED_SIZE), 11);
  Apply();
  EXPECT_EQ(Private().IsMMInch, 1);
  EXPECT_EQ(Private().iClone, 5);
}

TEST_F(PhotoPagesTest, ARightClickOnMainShowsTheAboutBoxAndChangesNothing) {
  OpenOn(kMain, [](qxge::PublicDevMode&, qxge::PrivateDevMode&) {});
  const qxge::DriverDevMode& working = *static_cast<qxge::SettingsPage*>(sheet_->Table().slots[kMain])->WorkingRecord();
  const qxge::DriverDevMode before = working;
  std::wstring shown;
  qxtest::ModalDriver driver(IDC_MODEL_INFO, [&shown](HWND box) { shown = qxtest::TextIn(box, IDC_MODEL_INFO); },
                             IDOK);
  // A child passes the menu request on to the page.
  SendMessageW(Control(IDC_SAME_IMAGE), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control(IDC_SAME_IMAGE)),
               MAKELPARAM(-1, -1));
  sheet_->Pump();
  EXPECT_TRUE(driver.opened());
  EXPECT_EQ(shown.substr(0, shown.find(L'\n')), L"QX Photo 900 PS");
  EXPECT_EQ(std::memcmp(&before, &working, sizeof before), 0);
  EXPECT_FALSE(ApplyEnabled());
}

}  // namespace
