// The Custom Page Size dialog as a user drives it, in this process on the staged package: the
// sizes the list keeps, what the buttons allow, the question before a typed size is lost, and
// that only OK writes the registry and the record.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "sheethost/host_sheet.h"
#include "pages/custom_page_size_dialog.h"
#include "resources/resource.h"
#include "sheet_harness.h"
#include "test_support.h"

namespace {

using qxge::DriverDevMode;
using qxtest::EnabledIn;
using qxtest::TextIn;

const std::wstring kSizes = L"TSF\\Custom Paper Data";

void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }
void Press(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
// As the user picks entry at of the list.
void Pick(HWND dialog, int at) {
  SendDlgItemMessageW(dialog, IDC_CUSTOM_LIST, LB_SETCURSEL, at, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_CUSTOM_LIST, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_CUSTOM_LIST)));
}
std::vector<std::wstring> Entries(HWND dialog) {
  std::vector<std::wstring> names;
  const int count = static_cast<int>(SendDlgItemMessageW(dialog, IDC_CUSTOM_LIST, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t name[64] = {};
    SendDlgItemMessageW(dialog, IDC_CUSTOM_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name));
    names.push_back(name);
  }
  return names;
}
void TypeSize(HWND dialog, const wchar_t* name, const wchar_t* width, const wchar_t* height) {
  Type(dialog, IDC_CUSTOM_NAME, name);
  Type(dialog, IDC_CUSTOM_WIDTH, width);
  Type(dialog, IDC_CUSTOM_HEIGHT, height);
}

class CustomPageSizeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qxtest::ForgetUser(qxtest::kStagedBase);
    record_ = qxhost::DefaultRecord(L"QX_Office");
  }
  void TearDown() override { qxtest::ForgetUser(qxtest::kStagedBase); }
  INT_PTR Run(std::function<void(HWND)> act, int button) {
    qxtest::ModalDriver driver(IDC_CUSTOM_LIST, std::move(act), button);
    qxge::CustomPageSizeDialog dialog(nullptr, Record());
    return dialog.RunModal();
  }
  DriverDevMode* Record() { return reinterpret_cast<DriverDevMode*>(record_.data()); }
  std::wstring Stored(const wchar_t* name) { return qxtest::ReadUserString(qxtest::kStagedBase, kSizes, name); }

  std::vector<uint8_t> record_;
};

TEST_F(CustomPageSizeTest, SizesAreKeptInNameOrderAndOnlyOkWritesThem) {
  const auto addTwo = [](HWND d) {
    // The ranges in the unit shown, and the same lengths in the other.
    EXPECT_EQ(TextIn(d, IDC_CUSTOM_WIDTH_LABEL), L"Width (25-312)");
    EXPECT_EQ(TextIn(d, IDC_CUSTOM_HEIGHT_LABEL), L"Height (25-483)");
    TypeSize(d, L"Poster", L"200", L"250");
    EXPECT_TRUE(EnabledIn(d, IDC_CUSTOM_ADD));
    Press(d, IDC_CUSTOM_ADD);
    TypeSize(d, L"Banner", L"100", L"30");
    Press(d, IDC_CUSTOM_ADD);
    Press(d, IDC_CUSTOM_INCHES);
    EXPECT_EQ(TextIn(d, IDC_CUSTOM_WIDTH_LABEL), L"Width (1.00-12.28)");
    EXPECT_EQ(TextIn(d, IDC_CUSTOM_HEIGHT), L"1.18");
    EXPECT_EQ(Entries(d), (std::vector<std::wstring>{L"Banner", L"Poster"}));
  };
  const std::vector<uint8_t> before = record_;
  EXPECT_EQ(Run(addTwo, IDCANCEL), IDCANCEL);
  EXPECT_FALSE(qxtest::UserKeyExists(qxtest::kStagedBase, kSizes));
  EXPECT_EQ(record_, before);

  // "Banner" sorts first: it is size 257, "Poster" 258. OK keeps what the fields show: Banner,
  // now in inches, and the record takes it with its unit.
  EXPECT_EQ(Run(addTwo, IDOK), IDOK);
  EXPECT_EQ(Stored(L"Nm0") + L"|" + Stored(L"Nm1") + L"|" + Stored(L"CPNum"), L"Banner|Poster|2");
  EXPECT_EQ(Record()->dmPublic.dmPaperSize, 257);
  EXPECT_EQ(Record()->dmPublic.dmPaperWidth, 1000);
  EXPECT_EQ(Record()->dmPublic.dmPaperLength, 300);
  EXPECT_EQ(Record()->dmPrivate.IsMMInch, 1);
  EXPECT_EQ(Stored(L"In0"), L"1");

  // The record's size is shown first; a double-click is OK with the clicked size applied.
  Run(
      [](HWND d) {
        EXPECT_EQ(TextIn(d, IDC_CUSTOM_NAME), L"Banner");
        SendDlgItemMessageW(d, IDC_CUSTOM_LIST, LB_SETCURSEL, 1, 0);
        SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_CUSTOM_LIST, LBN_DBLCLK), 0);
      },
      IDCANCEL);
  EXPECT_EQ(Record()->dmPublic.dmPaperSize, 258);
  EXPECT_EQ(Record()->dmPublic.dmPaperWidth, 2000);
}

TEST_F(CustomPageSizeTest, ButtonsAllowOnlyWhatKeepsTheListSoundAndATypedSizeIsNotLostUnasked) {
  qxtest::BoxAnswers answers({IDCANCEL, IDNO, IDYES});
  Run(
      [](HWND d) {
        TypeSize(d, L"A", L"200", L"250");
        Press(d, IDC_CUSTOM_ADD);
        TypeSize(d, L"B", L"210", L"250");
        Press(d, IDC_CUSTOM_ADD);
        TypeSize(d, L"   ", L"200", L"250");
        EXPECT_FALSE(EnabledIn(d, IDC_CUSTOM_ADD));  // no name
        TypeSize(d, L"A", L"220", L"250");
        EXPECT_FALSE(EnabledIn(d, IDC_CUSTOM_ADD));  // a name the list has
        EXPECT_FALSE(EnabledIn(d, IDC_CUSTOM_UPDATE));  // the selected entry is B
        TypeSize(d, L"a", L"220", L"250");
        EXPECT_TRUE(EnabledIn(d, IDC_CUSTOM_ADD));  // names are told apart as typed
        TypeSize(d, L"B", L"215", L"250");
        EXPECT_TRUE(EnabledIn(d, IDC_CUSTOM_UPDATE));
        EXPECT_TRUE(EnabledIn(d, IDC_CUSTOM_DELETE));

        // Leaving a typed size asks first: Cancel stays, No drops it, Yes keeps it.
        Pick(d, 0);
        EXPECT_EQ(TextIn(d, IDC_CUSTOM_WIDTH), L"215");
        Pick(d, 0);
        EXPECT_EQ(TextIn(d, IDC_CUSTOM_NAME), L"A");
        TypeSize(d, L"A", L"205", L"250");
        Pick(d, 1);
        EXPECT_EQ(TextIn(d, IDC_CUSTOM_NAME), L"B");
        Pick(d, 0);
        EXPECT_EQ(TextIn(d, IDC_CUSTOM_WIDTH), L"205");
        Press(d, IDC_CUSTOM_DELETE);
        EXPECT_EQ(Entries(d), std::vector<std::wstring>{L"B"});
      },
      IDOK);
  const auto texts = answers.TakeTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], L"Do you want to save changes?");
  EXPECT_EQ(Stored(L"Nm0") + L"|" + Stored(L"Wd0") + L"|" + Stored(L"CPNum"), L"B|2100|1");
}

}  // namespace
