// The Watermark page on a real sheet: the user's list with the model's built-ins, what Add,
// Update and Delete leave in the registry and the job, the limits, and the question asked
// before edits are dropped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "sheethost/host_sheet.h"
#include "pages/watermark_page.h"
#include "resources/resource.h"
#include "sheet_harness.h"

namespace {

const std::wstring kStore = L"TSF\\Watermark Data";
constexpr int kWatermarkPage = 6;

// Two built-ins in a face every machine of ours has.
const char kBuiltIns[] =
    "[MAINMENU]\r\nItemNum=2\r\n"
    "[WMTEXT1]\r\nText=DRAFT\r\nFaceName=DejaVu Sans\r\nAngle=45\r\nSize=96\r\nColor=12632256\r\nWeight=400\r\n"
    "[WMTEXT2]\r\nText=CONFIDENTIAL\r\nFaceName=DejaVu Sans\r\nAngle=0\r\nSize=48\r\nColor=8421504\r\nWeight=700\r\n";

class WatermarkPageTest : public qxtest::SheetHarness {
 protected:
  void OpenPage(const std::string& model = "[Common]\r\nGraphicsColorMode=1\r\n") {
    Stage(L"QXWM", model, kBuiltIns);
    Open({kWatermarkPage});
  }
  HWND List() const { return Control(IDC_WATERMARK_LIST); }
  std::vector<std::wstring> Entries() const { return ItemTexts(IDC_WATERMARK_LIST); }

  int Selected() const { return static_cast<int>(SendMessageW(List(), LB_GETCURSEL, 0, 0)); }
  void Select(int position) {
    SendMessageW(List(), LB_SETCURSEL, position, 0);
    SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(IDC_WATERMARK_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(List()));
    sheet_->Pump();
  }
  // As the user types into an edit: the new text, then its change notification.
  void Type(int id, const std::wstring& text) {
    SetWindowTextW(Control(id), text.c_str());
    sheet_->Pump();
  }
  std::wstring Stored(const wchar_t* name, int index) const {
    return qxtest::ReadUserString(base_, kStore, (name + std::to_wstring(index)).c_str());
  }
  void PutWatermarks(int n) { qxtest::PutUserWatermarks(base_, n, 72); }
};

// A new watermark from the user's edits: listed in order below "(No Watermark)", stored in the
// registry as older versions read it, and chosen for the job.
TEST_F(WatermarkPageTest, AddedWatermarkReachesTheRegistryAndTheJob) {
  OpenPage();
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"(No Watermark)", L"CONFIDENTIAL", L"DRAFT"}));
  EXPECT_EQ(Selected(), 0);
  EXPECT_FALSE(Enabled(IDC_WATERMARK_ADD));
  EXPECT_FALSE(Enabled(IDC_WATERMARK_DELETE));

  Type(IDC_WATERMARK_TEXT, L"Secret");
  Click(IDC_WATERMARK_ANGLED);
  Type(IDC_WATERMARK_ANGLE, L"-45");
  SendMessageW(Control(IDC_FONT_FACE), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"DejaVu Sans"));
  Choose(IDC_FONT_COLOR, 2);  // Red
  Choose(IDC_FONT_SHADE, 3);  // Light Gray
  EXPECT_TRUE(Enabled(IDC_WATERMARK_ADD));
  EXPECT_FALSE(Enabled(IDC_WATERMARK_UPDATE));  // "(No Watermark)" is not a watermark to update
  Click(IDC_WATERMARK_ADD);
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"(No Watermark)", L"CONFIDENTIAL", L"DRAFT", L"Secret"}));
  EXPECT_EQ(Selected(), 3);
  EXPECT_FALSE(Enabled(IDC_WATERMARK_ADD));
  EXPECT_TRUE(Enabled(IDC_WATERMARK_DELETE));
  Apply();

  EXPECT_EQ(Stored(L"Tx", 2), L"Secret");
  EXPECT_EQ(Stored(L"Ang", 2), L"-450");
  EXPECT_EQ(Stored(L"Clr", 2), L"12632319");
  EXPECT_EQ(qxtest::ReadUserString(base_, kStore, L"WMNum"), L"3");
  DWORD type = 0;
  EXPECT_EQ(qxtest::ReadUserValue(base_, kStore, L"Tx2", &type).size(), sizeof(L"Secret"));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  const qxge::PrivateDevMode& p = Live().dmPrivate;
  EXPECT_EQ(p.cWaterText.Read(), u"Secret");
  for (size_t i = 6; i < sizeof p.cWaterText.bytes / 2; ++i) EXPECT_EQ(p.cWaterText.bytes[2 * i], 0) << i;
  EXPECT_EQ(p.iWaterAngle, -45);
  EXPECT_EQ(p.WaterColor, static_cast<uint32_t>(RGB(255, 192, 192)));
  EXPECT_EQ(p.iWaterCombo, 3);

  // Deleting the chosen watermark leaves the job without one and renumbers the rest.
  Click(IDC_WATERMARK_DELETE);
  Select(1);  // CONFIDENTIAL
  Apply();
  EXPECT_EQ(qxtest::ReadUserString(base_, kStore, L"WMNum"), L"2");
  EXPECT_EQ(Live().dmPrivate.cWaterText.Read(), u"CONFIDENTIAL");
  EXPECT_EQ(Live().dmPrivate.iWaterCombo, 1);
}

// Vertical is stored as 90 degrees and shown again as Vertical, with 45 in the closed angle box;
// a job's watermark the user never stored joins the list when the page opens. Its face, which
// this machine lacks, shows as the face it is drawn with and is kept while no other is picked.
TEST_F(WatermarkPageTest, VerticalComesBackAsVerticalAndTheJobsWatermarkIsKept) {
  Stage(L"QXWM", "[Common]\r\n", kBuiltIns);
  qxge::PrivateDevMode& p = Live().dmPrivate;
  p.cWaterText.Write(u"From the job");
  p.WaterStrFaceName.Write(u"Arial");
  p.iWaterSize = 60;
  p.iWaterAngle = 90;
  p.WaterColor = RGB(255, 0, 0);  // a colour a model without colour cannot print
  Open({kWatermarkPage});
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"(No Watermark)", L"CONFIDENTIAL", L"DRAFT", L"From the job"}));
  EXPECT_EQ(Selected(), 3);
  EXPECT_EQ(Stored(L"Tx", 2), L"From the job");
  EXPECT_TRUE(Checked(IDC_WATERMARK_VERTICAL));
  EXPECT_EQ(Text(IDC_WATERMARK_ANGLE), L"45");
  EXPECT_FALSE(Enabled(IDC_WATERMARK_ANGLE));
  // Without colour only the greys are offered, in the colour list's place.
  EXPECT_FALSE(Shown(IDC_FONT_COLOR));
  EXPECT_TRUE(Shown(IDC_FONT_SHADE));
  EXPECT_EQ(Bounds(IDC_FONT_SHADE).top, Bounds(IDC_FONT_COLOR).top);
  EXPECT_EQ(Data(IDC_FONT_SHADE), 2);  // not a grey: medium grey
  EXPECT_EQ(Text(IDC_FONT_FACE), L"DejaVu Sans");

  Choose(IDC_FONT_SHADE, 4);
  Click(IDC_WATERMARK_UPDATE);
  Apply();
  EXPECT_EQ(p.iWaterAngle, 90);
  EXPECT_EQ(p.WaterColor, static_cast<uint32_t>(RGB(224, 224, 224)));
  EXPECT_EQ(p.WaterStrFaceName.Read(), u"Arial");
  EXPECT_EQ(Stored(L"Face", 2), L"Arial");
}

// At 32 watermarks nothing more is added, but a watermark is still updated; a text another
// entry has can be neither added nor given to this one.
TEST_F(WatermarkPageTest, ThirtyTwoIsTheMostAndTextsStayUnique) {
  Stage(L"QXWM", "[Common]\r\n", kBuiltIns);
  PutWatermarks(32);
  Open({kWatermarkPage});
  ASSERT_EQ(Entries().size(), 33u);
  Type(IDC_WATERMARK_TEXT, L"One more");
  EXPECT_FALSE(Enabled(IDC_WATERMARK_ADD));

  Select(1);  // the typed text can go nowhere: nothing to ask
  Type(IDC_WATERMARK_TEXT, L"W2");
  EXPECT_FALSE(Enabled(IDC_WATERMARK_ADD));
  EXPECT_FALSE(Enabled(IDC_WATERMARK_UPDATE));
  Type(IDC_WATERMARK_TEXT, L"Renamed");
  EXPECT_TRUE(Enabled(IDC_WATERMARK_UPDATE));
  Click(IDC_WATERMARK_UPDATE);
  EXPECT_EQ(Entries().size(), 33u);
  EXPECT_EQ(Entries()[Selected()], L"Renamed");
}

// Moving on from edits asks first: Cancel keeps the entry and the edits, No drops them, Yes
// keeps them in the list and still goes where the user clicked.
TEST_F(WatermarkPageTest, EditsAreNotDroppedWithoutAsking) {
  OpenPage();
  Select(2);  // DRAFT
  Type(IDC_WATERMARK_TEXT, L"DRAFT 2");
  {
    qxtest::BoxAnswers answers({IDCANCEL});
    Select(1);
    EXPECT_EQ(answers.TakeTexts(), std::vector<std::wstring>{L"Do you want to save changes?"});
  }
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(Text(IDC_WATERMARK_TEXT), L"DRAFT 2");
  {
    qxtest::BoxAnswers answers({IDYES});
    Select(1);
  }
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"(No Watermark)", L"CONFIDENTIAL", L"DRAFT 2"}));
  EXPECT_EQ(Entries()[Selected()], L"CONFIDENTIAL");
  Type(IDC_WATERMARK_TEXT, L"Gone");
  {
    qxtest::BoxAnswers answers({IDNO});
    Select(2);
  }
  EXPECT_EQ(Text(IDC_WATERMARK_TEXT), L"DRAFT 2");
  EXPECT_EQ(Entries().size(), 3u);
}

// The Edit Watermark dialog keeps everything to itself until OK, which adds the typed watermark,
// writes the list and chooses it for the job.
TEST(EditWatermarkDialogTest, OnlyOkWritesTheListAndTheJob) {
  qxtest::ForgetUser(qxtest::kStagedBase);
  std::vector<uint8_t> record = qxhost::DefaultRecord(L"QX_Office");
  auto* job = reinterpret_cast<qxge::DriverDevMode*>(record.data());
  const auto run = [job](int button) {
    qxtest::ModalDriver driver(IDC_WATERMARK_LIST, [](HWND d) { SetDlgItemTextW(d, IDC_WATERMARK_TEXT, L"Dialog mark"); },
                               button);
    qxge::WatermarkEditor dialog(nullptr, job);
    return dialog.RunModal();
  };
  EXPECT_EQ(run(IDCANCEL), IDCANCEL);
  EXPECT_EQ(qxtest::ReadUserString(qxtest::kStagedBase, kStore, L"Tx0"), L"");
  EXPECT_EQ(job->dmPrivate.cWaterText.Read(), u"");
  EXPECT_EQ(run(IDOK), IDOK);
  EXPECT_EQ(qxtest::ReadUserString(qxtest::kStagedBase, kStore, L"Tx0"), L"Dialog mark");
  EXPECT_EQ(qxtest::ReadUserString(qxtest::kStagedBase, kStore, L"WMNum"), L"1");
  EXPECT_EQ(job->dmPrivate.cWaterText.Read(), u"Dialog mark");
  EXPECT_EQ(job->dmPrivate.iWaterCombo, 1);
  qxtest::ForgetUser(qxtest::kStagedBase);
}

}  // namespace
