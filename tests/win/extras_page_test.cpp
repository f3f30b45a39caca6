// The Extras pages and their dialogs on a real sheet: where the output options go, what Print
// and Hold keeps of a held job, and how its passcode is guarded.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "pages/extras_page.h"
#include "resources/resource.h"
#include "sheet_harness.h"
#include "snapshot.h"

namespace {

using qxtest::CheckedIn;
using qxtest::ChooseIn;
using qxtest::DataIn;
using qxtest::EnabledIn;
using qxtest::ShownIn;
using qxtest::TextIn;

constexpr int kExtrasPage = 3;

// Every output option, every list and a stapler: more than the page holds.
const char kOfficeModel[] =
    "[Common]\r\nExtrasPageOrder=1\r\nExtrasDestination=1\r\nPrinterStapler=1\r\nExtrasReprintJam=1\r\n"
    "PaperBannerSheet=1\r\nExtrasQuickPrint=1\r\nExtrasPrintTime=1\r\nExtrasPrinterFont=1\r\nExtrasSaveAsForm=1\r\n";
const char kCompactModel[] =
    "[Common]\r\nExtrasSimple=1\r\nLayoutMore=1\r\nPaperCollate=1\r\nExtrasReprintJam=1\r\nExtrasQuickPrint=1\r\n";
// Print and Hold with every mode, kept by the printer's hard disk.
const char kHoldModel[] = "[Common]\r\nPrinterHDD=1\r\nExtrasMinPassLen=4\r\nExtrasMaxPassLen=8\r\n";

void TypeIn(HWND dialog, int id, const std::wstring& keys) {
  for (wchar_t key : keys) SendMessageW(GetDlgItem(dialog, id), WM_CHAR, key, 1);
}
void EnterPasscode(HWND dialog, const wchar_t* code) {
  for (int id : {IDC_HOLD_PASSCODE, IDC_HOLD_CONFIRM}) SetWindowTextW(GetDlgItem(dialog, id), code);
}
// The text a drop-down list shows for its choice.
std::wstring ShownChoice(HWND combo) {
  wchar_t text[64] = {};
  SendMessageW(combo, CB_GETLBTEXT, SendMessageW(combo, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(text));
  return text;
}
void PutOnClipboard(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}
// Every value under key whose bytes hold what, by name (with the subkey's path).
void ValuesHolding(HKEY key, const std::wstring& path, const std::string& what, std::vector<std::wstring>& found) {
  wchar_t name[256];
  std::vector<uint8_t> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    DWORD nameChars = 256, size = static_cast<DWORD>(data.size());
    if (RegEnumValueW(key, i, name, &nameChars, nullptr, nullptr, data.data(), &size) != ERROR_SUCCESS) break;
    if (std::search(data.begin(), data.begin() + size, what.begin(), what.end()) != data.begin() + size)
      found.push_back(path + name);
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameChars = 256;
    if (RegEnumKeyExW(key, i, name, &nameChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub = nullptr;
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    ValuesHolding(sub, path + name + L"\\", what, found);
    RegCloseKey(sub);
  }
}

class ExtrasPageTest : public qxtest::SheetHarness {
 protected:
  void OpenExtras(const std::string& model, void (*prepare)(qxge::DriverDevMode&) = nullptr) {
    Stage(L"QXEX", model, "[Common]\r\n");
    if (prepare != nullptr) prepare(Live());
    Open({kExtrasPage});
  }
  void Hold(std::function<void(HWND)> act, int button = IDOK) {
    EXPECT_TRUE(InDialog(IDC_PRINT_AND_HOLD, IDC_HOLD_MODE, std::move(act), button));
  }
};

TEST_F(ExtrasPageTest, OfficeOptionsLiveInMoreOptionsWhichChangesTheJobOnlyOnOk) {
  OpenExtras(kOfficeModel, [](qxge::DriverDevMode& r) { r.dmPrivate.iQuickPrint = -1; });
  EXPECT_TRUE(Shown(IDC_MORE_OPTIONS));
  EXPECT_FALSE(Shown(IDC_REPRINT_JAM));
  EXPECT_FALSE(Shown(IDC_PRINT_AND_HOLD));
  // No hole: without a stapler in the record the buttons follow the destination, and the
  // watermark group follows the frame, which ends below the buttons.
  EXPECT_FALSE(Shown(IDC_STAPLE));
  EXPECT_LT(Bounds(IDC_MORE_OPTIONS).top - Bounds(IDC_DESTINATION).bottom, 20);
  EXPECT_LT(Bounds(IDC_WATERMARK_FRAME).top - Bounds(IDC_OPTIONS_FRAME).bottom, 20);
  EXPECT_LT(Bounds(IDC_MORE_OPTIONS).bottom, Bounds(IDC_OPTIONS_FRAME).bottom);

  EXPECT_TRUE(InDialog(IDC_MORE_OPTIONS, IDC_REPRINT_JAM, [](HWND d) {
    EXPECT_TRUE(ShownIn(d, IDC_BANNER_PAGE));  // this model's Paper page lacks it
    SendMessageW(GetDlgItem(d, IDC_REPRINT_JAM), BM_CLICK, 0, 0);
  }, IDCANCEL));
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_TRUE(InDialog(IDC_MORE_OPTIONS, IDC_REPRINT_JAM, [](HWND d) {
    for (int id : {IDC_REPRINT_JAM, IDC_QUICK_PRINT, IDC_SAVE_AS_FORM}) SendMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0);
    EXPECT_TRUE(EnabledIn(d, IDC_FORM_FILE));
    SetWindowTextW(GetDlgItem(d, IDC_FORM_FILE), L"C:\\forms\\letter.fom");
  }));
  EXPECT_TRUE(ApplyEnabled());
  Apply();
  EXPECT_EQ(Live().dmPrivate.iReprinter, 1);
  EXPECT_EQ(Live().dmPrivate.iQuickPrint, -1);  // fixed by the printer
  EXPECT_EQ(Live().dmPrivate.iOutPut, 3);
  EXPECT_EQ(Live().dmPrivate.PrnOpenFileName.Read(), u"C:\\forms\\letter.fom");

  // Face up, the stack reads in order only when printed last page first.
  Choose(IDC_DESTINATION, 2);
  EXPECT_EQ(Data(IDC_PRINT_ORDER), 1);
  Apply();
  EXPECT_EQ(Live().dmPrivate.iOutBin, 2);
  EXPECT_EQ(Live().dmPrivate.wPrintOrder, 1);
}

TEST_F(ExtrasPageTest, CompactOptionsStayOnThePageWithCollateOnlyBesideMoreLayout) {
  OpenExtras(kCompactModel);
  EXPECT_TRUE(Shown(IDC_REPRINT_JAM));
  EXPECT_TRUE(Shown(IDC_QUICK_PRINT));
  EXPECT_FALSE(Shown(IDC_PRINT_TIME));
  EXPECT_FALSE(Shown(IDC_MORE_OPTIONS));
  EXPECT_TRUE(Shown(IDC_COLLATE));
  // The quick printing row takes the place of the missing ones right under reprinting.
  EXPECT_LT(Bounds(IDC_QUICK_PRINT).top - Bounds(IDC_REPRINT_JAM).top, 30);
  Click(IDC_QUICK_PRINT);
  Click(IDC_COLLATE);
  Apply();
  EXPECT_EQ(Live().dmPrivate.iQuickPrint, 1);
  EXPECT_EQ(Live().dmPrivate.bDrvCollate, 1);
  OpenExtras("[Common]\r\nExtrasSimple=1\r\nPaperCollate=1\r\n");
  EXPECT_FALSE(Shown(IDC_COLLATE));
}

TEST_F(ExtrasPageTest, PrintAndHoldKeepsEachModeAndRefusesAShortPasscode) {
  OpenExtras(kHoldModel, [](qxge::DriverDevMode& r) {
    r.dmPrivate.iInHard = 1;
    r.dmPrivate.cPassword.Write(u"12345678");
    r.dmPrivate.cPrintingTime.Write(u"2004:05:17:13:45");
  });
  ASSERT_TRUE(Shown(IDC_PRINT_AND_HOLD));
  for (int16_t mode : {2, 9, 8, 6, 4, 0}) {
    Hold([mode](HWND d) {
      ChooseIn(d, IDC_HOLD_MODE, 9);  // every mode also reached from Spool, which closes a row up
      ChooseIn(d, IDC_HOLD_MODE, mode);
      const int shared = mode == 8 ? IDC_HOLD_DATE : mode == 6 ? IDC_HOLD_PUBLIC : IDC_HOLD_STORE;
      if (mode != 9) {
        EXPECT_LE(qxtest::BoundsIn(d, shared).bottom, qxtest::BoundsIn(d, IDC_HOLD_USER).top) << mode;
      }
      EXPECT_EQ(ShownIn(d, IDC_HOLD_PASSCODE), mode == 4 || mode == 6) << mode;
      EXPECT_EQ(ShownIn(d, IDC_HOLD_DATE), mode == 8) << mode;
      // Spool has nothing for the row under the mode: the user's row takes it.
      const int gap = qxtest::BoundsIn(d, IDC_HOLD_USER).top - qxtest::BoundsIn(d, IDC_HOLD_MODE).bottom;
      EXPECT_EQ(gap < 20, mode == 9) << mode;
      if (mode == 4 || mode == 6) EnterPasscode(d, L"4321");
    });
    Apply();
    EXPECT_EQ(Live().dmPrivate.iJobRetention, mode);
    Hold([mode](HWND d) { EXPECT_EQ(DataIn(d, IDC_HOLD_MODE), mode); }, IDCANCEL);
  }
  EXPECT_EQ(Live().dmPrivate.cJobName.Read(), u"Untitled");
  EXPECT_EQ(Live().dmPrivate.cUserId.Read(), u"Unknown");

  // A delayed job keeps its time as numbers, whatever the user's date format.
  Hold([](HWND d) {
    SYSTEMTIME date{}, time{};
    SendMessageW(GetDlgItem(d, IDC_HOLD_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    SendMessageW(GetDlgItem(d, IDC_HOLD_TIME), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    EXPECT_EQ(date.wYear * 10000 + date.wMonth * 100 + date.wDay, 20040517);
    EXPECT_EQ(time.wHour * 100 + time.wMinute, 1345);
    ChooseIn(d, IDC_HOLD_MODE, 8);
    time.wMinute = 50;
    SendMessageW(GetDlgItem(d, IDC_HOLD_TIME), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  });
  Apply();
  EXPECT_EQ(Live().dmPrivate.cPrintingTime.Read(), u"2004:05:17:13:50");

  // Three digits where four are the least: the message names the lengths, the dialog stays.
  qxtest::BoxAnswers boxes({IDOK});
  Hold([&boxes](HWND d) {
    ChooseIn(d, IDC_HOLD_MODE, 4);
    EnterPasscode(d, L"123");
    SendMessageW(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.find(L"4-8"), std::wstring::npos);
    EXPECT_FALSE(IsWindowEnabled(GetWindow(d, GW_OWNER)));  // still running: an ended dialog frees its owner
    EnterPasscode(d, L"12");
  }, IDCANCEL);
  // Stored in public the job takes no passcode, and an older one is gone to the last byte.
  Hold([](HWND d) {
    ChooseIn(d, IDC_HOLD_MODE, 6);
    SendMessageW(GetDlgItem(d, IDC_HOLD_PUBLIC), BM_CLICK, 0, 0);
    EXPECT_FALSE(EnabledIn(d, IDC_HOLD_PASSCODE));
    SetWindowTextW(GetDlgItem(d, IDC_HOLD_USER), L"Ann7");
    SetWindowTextW(GetDlgItem(d, IDC_HOLD_JOB), L"my job");
  });
  Apply();
  EXPECT_EQ(Live().dmPrivate.iJobRetention, 7);
  const uint8_t zeros[16] = {};
  EXPECT_EQ(std::memcmp(Live().dmPrivate.cPassword.bytes, zeros, sizeof zeros), 0);
  EXPECT_EQ(Live().dmPrivate.cUserId.Read(), u"Ann7");
  EXPECT_EQ(Live().dmPrivate.cJobName.Read(), u"Untitled");
}

TEST_F(ExtrasPageTest, PasscodeEditsTakeDigitsOnlyAndGiveNothingAway) {
  OpenExtras("[Common]\r\nPrinterHDD=1\r\nExtrasMinPassLen=1\r\nExtrasMaxPassLen=9\r\n", [](qxge::DriverDevMode& r) {
    r.dmPrivate.iInHard = 1;
    r.dmPrivate.iJobRetention = 4;
    r.dmPrivate.cPassword.Write(u"87654321");
    r.dmPrivate.cSecurePassword.Write(u"12345678901234567890");  // longer than this model allows
    r.dmPrivate.cPrintingTime.Write(u"2004:02:30:10:00");
  });
  PutOnClipboard(L"12 34");
  Hold([](HWND d) {
    const HWND passcode = GetDlgItem(d, IDC_HOLD_PASSCODE);
    EXPECT_EQ(TextIn(d, IDC_HOLD_PASSCODE), L"");  // refused: no passcode this model could take
    // No such day: the delayed time offers today.
    SYSTEMTIME shown{}, now{};
    SendMessageW(GetDlgItem(d, IDC_HOLD_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
    GetLocalTime(&now);
    EXPECT_EQ(shown.wYear * 10000 + shown.wMonth * 100 + shown.wDay, now.wYear * 10000 + now.wMonth * 100 + now.wDay);
    TypeIn(d, IDC_HOLD_PASSCODE, L"12 3\x00E9\xFF14" L"4");
    EXPECT_EQ(TextIn(d, IDC_HOLD_PASSCODE), L"1234");
    SendMessageW(passcode, WM_PASTE, 0, 0);
    SendMessageW(passcode, WM_CHAR, 0x16, 1);  // Ctrl+V
    BYTE keys[256] = {}, saved[256] = {};
    GetKeyboardState(saved);
    std::memcpy(keys, saved, sizeof keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(passcode, WM_KEYDOWN, VK_INSERT, 1);  // Shift+Ins
    SetKeyboardState(saved);
    EXPECT_EQ(TextIn(d, IDC_HOLD_PASSCODE), L"1234");
    TypeIn(d, IDC_HOLD_USER, L"Bob 1\x00E9");
    EXPECT_EQ(TextIn(d, IDC_HOLD_USER), L"Bob1");
    SendMessageW(passcode, EM_SETSEL, 0, -1);
    SendMessageW(passcode, WM_COPY, 0, 0);
    SendMessageW(passcode, WM_CUT, 0, 0);
    EXPECT_EQ(TextIn(d, IDC_HOLD_PASSCODE), L"1234");
    SetWindowTextW(GetDlgItem(d, IDC_HOLD_CONFIRM), L"1234");
  });
  EXPECT_EQ(qxtest::ClipboardText<wchar_t>(CF_UNICODETEXT), L"12 34");
  Apply();
  EXPECT_EQ(Live().dmPrivate.cSecurePassword.Read(), u"1234");
  const uint8_t zeros[32] = {};
  EXPECT_EQ(std::memcmp(Live().dmPrivate.cSecurePassword.bytes + 8, zeros, sizeof zeros), 0);  // no older tail
  EXPECT_EQ(Live().dmPrivate.cPassword.Read(), u"87654321");  // left alone
  EXPECT_EQ(Live().dmPrivate.cUserId.Read(), u"Bob1");
  // The passcode is kept nowhere but in whole records: not in the user's other values, not in
  // the package's files, which a sheet fills with the texts it reads.
  Close();
  std::vector<std::wstring> holders;
  HKEY user = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, (L"SOFTWARE\\QXPrint\\" + base_).c_str(), 0, KEY_READ, &user) == ERROR_SUCCESS) {
    ValuesHolding(user, L"", std::string(reinterpret_cast<const char*>(u"1234"), 8), holders);
    RegCloseKey(user);
  }
  for (const std::wstring& holder : holders) {
    const std::wstring name = holder.substr(holder.find_last_of(L'\\') + 1);
    EXPECT_TRUE(name == L"Default DevMode" || name.compare(0, 3, L"CDM") == 0) << holder;
  }
  for (const std::wstring& file : qxtest::FilesIn(dir_)) {
    if (file.size() > 4 && file.compare(file.size() - 4, 4, L".DLL") == 0) continue;
    EXPECT_EQ(Read(file).find("1234"), std::string::npos) << file;
  }
}

TEST_F(ExtrasPageTest, WithoutTheHardDiskTheOptionsAreClosedAndSaySo) {
  OpenExtras(kHoldModel, [](qxge::DriverDevMode& r) { r.dmPrivate.iJobRetention = 5; });
  Hold([](HWND d) {
    EXPECT_FALSE(EnabledIn(d, IDC_HOLD_MODE));
    EXPECT_EQ(DataIn(d, IDC_HOLD_MODE), 0);
    EXPECT_NE(qxtest::TipIn(d, IDC_HOLD_FRAME).find(L"Optional Hard Disk Drive"), std::wstring::npos);
  }, IDCANCEL);
}

constexpr int kOutputPage = 17;

class OutputPageTest : public qxtest::SheetHarness {};

TEST_F(OutputPageTest, ClonesOrPagesPerSideInTheRecordsUnit) {
  Stage(L"QXOU", "[Common]\r\nLayoutMultiple=1\r\nLayoutMultipleOrder=1\r\nUnitsOnPreview=1\r\n", "[Common]\r\n");
  Live().dmPrivate.IsMMInch = 1;
  Live().dmPrivate.iClone = 2;
  Live().dmPrivate.iNup = 2;
  Open({kOutputPage});
  EXPECT_EQ(Data(IDC_LAYOUT_TYPE), 8);
  EXPECT_EQ(ShownChoice(Control(IDC_LAYOUT_TYPE)), L"1.18 x 1.57 inch");
  EXPECT_FALSE(Enabled(IDC_NUP));
  EXPECT_FALSE(Enabled(IDC_PAGE_ORDER));
  EXPECT_TRUE(Enabled(IDC_NUP_BORDER));  // a clone size may be framed
  Click(IDC_UNITS_MM);
  EXPECT_EQ(ShownChoice(Control(IDC_LAYOUT_TYPE)), L"30 x 40 mm");

  // Pages per side: the order list starts with Same Page and follows the count.
  Choose(IDC_LAYOUT_TYPE, 0);
  EXPECT_TRUE(Enabled(IDC_NUP));
  EXPECT_TRUE(Enabled(IDC_PAGE_ORDER));
  EXPECT_EQ(Items(IDC_PAGE_ORDER), 5);
  Choose(IDC_NUP, 0);
  EXPECT_FALSE(Enabled(IDC_PAGE_ORDER));
  EXPECT_FALSE(Enabled(IDC_NUP_BORDER));
  Choose(IDC_NUP, 1);
  EXPECT_EQ(Items(IDC_PAGE_ORDER), 3);
  Choose(IDC_PAGE_ORDER, 5);
  Click(IDC_NUP_BORDER);
  SetWindowTextW(Control(IDC_COPIES), L"7");
  sheet_->Pump();
  Apply();
  EXPECT_EQ(Live().dmPrivate.iClone, 0);  // never -6
  EXPECT_EQ(Live().dmPrivate.iNup, 1);
  EXPECT_EQ(Live().dmPrivate.iNupLayout, 5);
  EXPECT_EQ(Live().dmPrivate.iNupBorder, 8);
  EXPECT_EQ(Live().dmPublic.dmCopies, 7);
  EXPECT_NE(Live().dmPublic.dmFields & DM_COPIES, 0u);
}

TEST_F(ExtrasPageTest, TheJobsWatermarkJoinsTheUsersAndAChoiceShowsOnThePreview) {
  Stage(L"QXEX", "[Common]\r\n", "[Common]\r\n");
  const std::wstring store = L"TSF\\Watermark Data";
  qxtest::PutUserWatermarks(base_, 2, 96);
  qxge::PrivateDevMode& p = Live().dmPrivate;
  p.cWaterText.Write(u"SECRET");
  p.WaterStrFaceName.Write(u"DejaVu Sans");
  p.iWaterSize = 96;
  Open({kExtrasPage});
  EXPECT_EQ(qxtest::ReadUserString(base_, store, L"Tx2"), L"SECRET");
  EXPECT_EQ(qxtest::ReadUserString(base_, store, L"WMNum"), L"3");
  EXPECT_EQ(Items(IDC_WATERMARK_CHOICE), 4);
  EXPECT_EQ(ShownChoice(Control(IDC_WATERMARK_CHOICE)), L"SECRET");

  const std::vector<uint32_t> before = qxtest::Snapshot(Control(IDC_PREVIEW)).Pixels();
  SendMessageW(Control(IDC_WATERMARK_CHOICE), CB_SETCURSEL, 0, 0);  // (No Watermark)
  SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(IDC_WATERMARK_CHOICE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(IDC_WATERMARK_CHOICE)));
  sheet_->Pump();
  EXPECT_NE(qxtest::Snapshot(Control(IDC_PREVIEW)).Pixels(), before);
  Apply();
  EXPECT_EQ(Live().dmPrivate.cWaterText.Read(), u"");
}

// A watermark added and chosen on the Watermark page is the Extras page's choice too, and stays
// the job's through the Extras page's next change.
TEST_F(ExtrasPageTest, AWatermarkAddedOnItsPageIsOfferedHere) {
  Stage(L"QXEX", "[Common]\r\nExtrasDestination=1\r\n", "[Common]\r\n");
  Open({kExtrasPage, 6});
  const int before = Items(IDC_WATERMARK_CHOICE);
  PropSheet_SetCurSel(window_, nullptr, 1);
  sheet_->Pump();
  SetWindowTextW(Control(IDC_WATERMARK_TEXT), L"NEWMARK");
  sheet_->Pump();
  Click(IDC_WATERMARK_ADD);
  PropSheet_SetCurSel(window_, nullptr, 0);
  sheet_->Pump();
  EXPECT_EQ(Items(IDC_WATERMARK_CHOICE), before + 1);
  Choose(IDC_DESTINATION, 1);
  Apply();
  EXPECT_EQ(Live().dmPrivate.cWaterText.Read(), u"NEWMARK");
}

// On a printer reached over the network the printer cannot store an overlay: the choice is
// closed and says why, and the job's overlay is neither listed nor touched.
TEST_F(ExtrasPageTest, OverlaysAreClosedOnANetworkPort) {
  qxtest::MonitorPrinters printers;
  ASSERT_TRUE(printers.Add(L"QX_ExtrasLan", L"QXLAN_DEVICE:"));
  Stage(L"QXEX", "[Common]\r\nExtrasDestination=1\r\n", "[Common]\r\n");
  record_ = qxhost::DefaultRecord(L"QX_ExtrasLan");
  Live().dmPrivate.ovrFileName.Write(u"C:\\forms\\letter.ovl");
  Live().dmPrivate.ovrLoadCreate = 1;
  printer_ = L"QX_ExtrasLan";
  Open({kExtrasPage});
  for (int id : {IDC_OVERLAY_FRAME, IDC_OVERLAY_CHOICE, IDC_OVERLAY_EDIT}) EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_EQ(Items(IDC_OVERLAY_CHOICE), 0);
  EXPECT_EQ(Tip(IDC_OVERLAY_FRAME), L"To enable Overlay, change the network printer port to local one.");
  Choose(IDC_DESTINATION, 1);
  Apply();
  EXPECT_EQ(Live().dmPrivate.ovrFileName.Read(), u"C:\\forms\\letter.ovl");
  EXPECT_FALSE(qxtest::UserKeyExists(base_, L"TSF\\Overlay Data"));
  Close();
}

}  // namespace
