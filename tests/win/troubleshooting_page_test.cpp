// The Troubleshooting page on a real sheet: the printer's own pages asked for by PJL and
// checked at the listener, the groups a model lacks, and the links followed to a recorder
// that stands in for the browser.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "printer/status_watch.h"
#include "resources/resource.h"
#include "sheet_harness.h"

namespace {

constexpr wchar_t kBrowserKey[] = L"Applications\\iexplore.exe\\shell\\open\\command";

std::string Pjl(const std::string& keyword) { return "\x1b%-12345X@PJL TEST PRINT=" + keyword + "\n\x1b%-12345X"; }

// The browser registration as the test wants it; the prefix's own comes back afterwards.
class BrowserRegistration {
 public:
  BrowserRegistration() {
    DWORD size = sizeof saved_;
    had_ = RegGetValueW(HKEY_CLASSES_ROOT, kBrowserKey, nullptr, RRF_RT_ANY | RRF_NOEXPAND, &type_, saved_, &size) ==
           ERROR_SUCCESS;
    savedSize_ = size;
  }
  ~BrowserRegistration() {
    if (had_)
      RegSetKeyValueW(HKEY_CLASSES_ROOT, kBrowserKey, nullptr, type_, saved_, savedSize_);
    else
      RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Applications\\iexplore.exe");
  }
  void Set(DWORD type, const std::wstring& command) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, kBrowserKey, nullptr, type, command.c_str(),
                    static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  }
  void Remove() { RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Applications\\iexplore.exe"); }

 private:
  bool had_ = false;
  DWORD type_ = 0, savedSize_ = 0;
  wchar_t saved_[1024] = {};
};

class TroubleshootingPageTest : public qxtest::SheetHarness {
 protected:
  void OpenTroubleshooting(const std::string& model, const std::string& texts) {
    Stage(L"QXTS", "[Common]\r\n" + model, "[Troubleshooting Dialog]\r\n" + texts);
    Open({12});
  }
  // As a user clicks the link's words.
  void ClickLink(int id) {
    const RECT r = Bounds(id);
    const LPARAM middle = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    SendMessageW(Control(id), WM_MOUSEMOVE, 0, middle);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND)) << "a link shows the hand";
    SendMessageW(Control(id), WM_LBUTTONUP, 0, middle);
    sheet_->Pump();
  }
  // How many of the recorder's command lines hold what, waiting until count of them do.
  int Recorded(const std::string& what, int count = 1) const {
    int found = 0;
    for (int i = 0; i < 100 && found < count; ++i, Sleep(100)) {
      const std::string lines = qxtest::ReadTextFile(recorderOut_);
      found = 0;
      for (size_t at = lines.find(what); at != std::string::npos; at = lines.find(what, at + 1)) ++found;
    }
    return found;
  }
  std::wstring recorderOut_;
};

TEST_F(TroubleshootingPageTest, PrintSendsThePjlRequestNamedByItsCaption) {
  ASSERT_FALSE(qxtest::JobsDir().empty()) << "QXGE_JOBS_DIR is not set; run scripts/test-printer.sh";
  OpenTroubleshooting("TroubleSentry=1\r\nTestPages=9;8;1\r\n", "2-Sided Demo=Zweiseitige Demo\r\n");
  EXPECT_EQ(ItemTexts(IDC_TEST_PAGES), (std::vector<std::wstring>{L"Config Page", L"Zweiseitige Demo", L"Test Print"}));
  const qxtest::JobWatch watch;
  Click(IDC_TEST_PRINT);
  EXPECT_EQ(watch.Named("Config Page", 1), 1);
  const std::string config = Pjl("CONFIG");
  EXPECT_EQ(config.size(), 41u);
  std::vector<std::string> jobs = watch.Files(config);
  EXPECT_NE(std::find(jobs.begin(), jobs.end(), config), jobs.end());
  // A translated caption names the job; the keyword stays the printer's.
  Choose(IDC_TEST_PAGES, 7);
  Click(IDC_TEST_PRINT);
  EXPECT_EQ(watch.Named("Zweiseitige Demo", 1), 1);
  jobs = watch.Files(Pjl("DUPLEXDEMO"));
  EXPECT_NE(std::find(jobs.begin(), jobs.end(), Pjl("DUPLEXDEMO")), jobs.end());
}

TEST_F(TroubleshootingPageTest, GroupsAModelLacksGiveTheirPlaceAndBadPageNumbersAreLeftOut) {
  OpenTroubleshooting("TroubleSentry=0\r\nTestPages=0;10;-1;3;3;2\r\n",
                      "Ref_URL_1=https://a.example/%d/%s/%s\r\nRef_URL_2=https://b.example/\r\n");
  EXPECT_FALSE(Shown(IDC_SENTRY_FRAME) || Shown(IDC_SENTRY_SETTINGS) || Shown(IDC_SENTRY_LAST_TOPIC));
  EXPECT_EQ(ItemTexts(IDC_TEST_PAGES), (std::vector<std::wstring>{L"Connection Page", L"Menu Map"}));
  EXPECT_EQ(Data(IDC_TEST_PAGES), 1);
  const RECT top = Bounds(IDC_TEST_PAGES_FRAME);
  // "%s" links ask for the printer's address, which a local CUPS printer has not.
  EXPECT_FALSE(Enabled(IDC_LINK_FIRST));
  EXPECT_TRUE(Enabled(IDC_LINK_FIRST + 1));
  EXPECT_EQ(Tip(IDC_LINK_FIRST + 1, true), L"https://b.example/");
  EXPECT_FALSE(Shown(IDC_LINK_FIRST + 2) || Shown(IDC_LINK_FOURTH));
  const RECT links = Bounds(IDC_LINKS_FRAME);

  // On a printer with a network address the "%s" link takes it, once; other placeholders stay.
  qxtest::MonitorPrinters printers;
  const std::wstring port = L"System\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\QXTCP_ADDRESS:";
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, port.c_str(), L"IPAddress", REG_SZ, L"10.1.2.3", 18);
  ASSERT_TRUE(printers.Add(L"QX_TroubleTcp", L"QXTCP_ADDRESS:"));
  printer_ = L"QX_TroubleTcp";
  OpenTroubleshooting("TroubleSentry=0\r\n", "Ref_URL_1=https://a.example/%d/%s/%s\r\n");
  EXPECT_TRUE(Enabled(IDC_LINK_FIRST));
  EXPECT_EQ(Tip(IDC_LINK_FIRST, true), L"https://a.example/%d/10.1.2.3/%s");
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, port.c_str());
  printer_ = L"QX_Office";

  OpenTroubleshooting("TroubleSentry=1\r\nTestPages=0\r\n", "Ref_URL_4=https://d.example/\r\n");
  EXPECT_EQ(Bounds(IDC_SENTRY_FRAME).top, top.top) << "without the watch the printer pages lead";
  EXPECT_FALSE(Shown(IDC_TEST_PAGES_FRAME) || Shown(IDC_TEST_PRINT));
  EXPECT_EQ(Bounds(IDC_LINKS_FRAME).top, Bounds(IDC_TEST_PAGES_FRAME).top) << "the links take the pages' place";
  // A second column of links keeps the group's whole width; one column needs half less.
  EXPECT_GT(Bounds(IDC_LINKS_FRAME).right - Bounds(IDC_LINKS_FRAME).left, links.right - links.left);
}

TEST_F(TroubleshootingPageTest, LinksReachTheBrowserTheHandlerOrThePrinter) {
  const std::wstring recorder = qxtest::BinaryDir() + L"\\recorder\\qxtest_recorder.exe";
  recorderOut_ = qxtest::FreshFolder(L"QXTSREC") + L"\\commands.txt";
  SetEnvironmentVariableW(L"QXGE_RECORDER_OUT", recorderOut_.c_str());
  SetEnvironmentVariableW(L"QXGE_RECORDER_DIR", (qxtest::BinaryDir() + L"\\recorder").c_str());
  BrowserRegistration browser;
  RegSetKeyValueW(HKEY_CLASSES_ROOT, L"qxtest", L"URL Protocol", REG_SZ, L"", 2);
  const std::wstring handler = L"\"" + recorder + L"\" handler %1";
  RegSetKeyValueW(HKEY_CLASSES_ROOT, L"qxtest\\shell\\open\\command", nullptr, REG_SZ, handler.c_str(),
                  static_cast<DWORD>((handler.size() + 1) * sizeof(wchar_t)));

  OpenTroubleshooting("TroubleSentry=1\r\n", "Ref_URL_1=https://one.example/\r\nRef_URL_2=qxtest://two\r\n"
                                             "Ref_URL_3=print://QXTSTP.PRN\r\nRef_URL_5=print://QXTSNONE.PRN\r\n");
  browser.Set(REG_SZ, L"\"" + recorder + L"\" %1");
  ClickLink(IDC_LINK_FIRST);
  EXPECT_EQ(Recorded("https://one.example/"), 1);
  browser.Set(REG_EXPAND_SZ, L"%QXGE_RECORDER_DIR%\\qxtest_recorder.exe %1");
  ClickLink(IDC_LINK_FIRST);
  EXPECT_EQ(Recorded("https://one.example/", 2), 2);
  browser.Remove();
  ClickLink(IDC_LINK_FIRST + 1);
  EXPECT_EQ(Recorded("handler qxtest://two"), 1);

  // A printer file beside the module goes to the printer as a test page; a missing one, nowhere.
  const std::string page = "\x1b%-12345X@PJL\r\n%!PS qxge test page\r\n\x1b%-12345X";
  qxtest::WriteTextFile(dir_ + L"\\QXTSTP.PRN", page);
  const qxtest::JobWatch watch;
  ClickLink(IDC_LINK_FIRST + 2);
  ClickLink(IDC_LINK_FOURTH + 1);
  EXPECT_EQ(watch.Named("Test Page", 1), 1);
  const std::vector<std::string> jobs = watch.Files(page);
  EXPECT_NE(std::find(jobs.begin(), jobs.end(), page), jobs.end());

  // The browser starts after the page and the module may have gone.
  browser.Set(REG_SZ, L"\"" + recorder + L"\" %1");
  ClickLink(IDC_LINK_FIRST);
  EXPECT_EQ(Recorded("https://one.example/", 3), 3);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"qxtest");
}

// The watch's settings in the printer's driver data, as the status-watch program reads them.
constexpr wchar_t kDriverData[] = L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\QX_Office\\PrinterDriverData";

DWORD PrinterValue(const wchar_t* name, DWORD* type) {
  HANDLE printer = nullptr;
  DWORD value = 0xDEAD, size = 0;
  *type = REG_NONE;
  if (OpenPrinterW(const_cast<LPWSTR>(L"QX_Office"), &printer, nullptr)) {
    if (GetPrinterDataW(printer, const_cast<LPWSTR>(name), type, reinterpret_cast<BYTE*>(&value), sizeof value, &size) !=
        ERROR_SUCCESS)
      *type = REG_NONE;
    ClosePrinter(printer);
  }
  return value;
}

void SetDriverData(const wchar_t* name, DWORD type, const void* data, DWORD size) {
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kDriverData, name, type, data, size);
}

TEST_F(TroubleshootingPageTest, SentrySettingsAreWrittenOnlyOnOkAndWithinTheirRange) {
  for (const wchar_t* name : {L"PSentry_Enable", L"PSentry_Timeout", L"PSentry_LastInfo"})
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kDriverData, name);
  OpenTroubleshooting("TroubleSentry=1\r\n", "");
  // What the dialog shows, and whether the interval may be edited, when OK or Cancel is pressed.
  struct Seen {
    bool enabled, intervalEditable;
    std::wstring interval;
  } seen{};
  const auto run = [&](std::function<void(HWND)> act, int button) {
    EXPECT_TRUE(InDialog(IDC_SENTRY_SETTINGS, IDC_SENTRY_ENABLE, [&](HWND d) {
      act(d);
      wchar_t text[16] = {};
      GetDlgItemTextW(d, IDC_SENTRY_INTERVAL, text, 16);
      seen = {qxtest::CheckedIn(d, IDC_SENTRY_ENABLE), qxtest::EnabledIn(d, IDC_SENTRY_INTERVAL), text};
    }, button));
  };
  const auto type = [](HWND d, const wchar_t* text) {
    SetDlgItemTextW(d, IDC_SENTRY_INTERVAL, text);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_SENTRY_INTERVAL, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_SENTRY_INTERVAL)));
  };
  DWORD kind = 0;
  // A printer that never had them: on, every 5 seconds. Clearing the box stops the interval.
  run([](HWND d) { SendDlgItemMessageW(d, IDC_SENTRY_ENABLE, BM_CLICK, 0, 0); }, IDOK);
  EXPECT_TRUE(!seen.enabled && !seen.intervalEditable && seen.interval == L"5");
  EXPECT_EQ(PrinterValue(L"PSentry_Enable", &kind), 0u);
  EXPECT_EQ(kind, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(PrinterValue(L"PSentry_Timeout", &kind), 5u);
  // Typed beyond the range it is stored at its end; Cancel keeps what was there.
  run([&](HWND d) {
    SendDlgItemMessageW(d, IDC_SENTRY_ENABLE, BM_CLICK, 0, 0);
    type(d, L"75");
  }, IDOK);
  EXPECT_TRUE(seen.enabled && seen.intervalEditable);
  EXPECT_EQ(PrinterValue(L"PSentry_Timeout", &kind), 60u);
  EXPECT_EQ(PrinterValue(L"PSentry_Enable", &kind), 1u);
  run([&](HWND d) { type(d, L"30"); }, IDCANCEL);
  EXPECT_EQ(PrinterValue(L"PSentry_Timeout", &kind), 60u);
  // Stored values out of range or of another kind show as the nearest or the default.
  for (const auto& [stored, shown] : {std::pair<DWORD, const wchar_t*>{0, L"1"}, {500, L"60"}}) {
    SetDriverData(L"PSentry_Timeout", REG_DWORD, &stored, sizeof stored);
    run([](HWND) {}, IDCANCEL);
    EXPECT_EQ(seen.interval, shown);
  }
  SetDriverData(L"PSentry_Timeout", REG_SZ, L"17", 6);
  SetDriverData(L"PSentry_Enable", REG_BINARY, "\0\0", 2);
  run([](HWND) {}, IDCANCEL);
  EXPECT_TRUE(seen.enabled && seen.interval == L"5");

  // The watch's last help topic opens from the driver's folder.
  const HMODULE htmlHelp = LoadLibraryW((qxtest::BinaryDir() + L"\\recorder\\hhctrl.ocx").c_str());
  ASSERT_NE(htmlHelp, nullptr);
  using LastFn = const wchar_t* (*)(UINT*, HWND*);
  const auto last = reinterpret_cast<LastFn>(reinterpret_cast<void*>(GetProcAddress(htmlHelp, "LastHtmlHelp")));
  const std::wstring topic = L"QXTS.chm::/sentry/jam.htm";
  SetDriverData(L"PSentry_LastInfo", REG_SZ, topic.c_str(), static_cast<DWORD>((topic.size() + 1) * sizeof(wchar_t)));
  ClickLink(IDC_SENTRY_LAST_TOPIC);
  UINT command = 99;
  HWND owner = nullptr;
  EXPECT_EQ(last(&command, &owner), dir_ + L"\\" + topic);
  EXPECT_EQ(command, 0u);
  for (const wchar_t* name : {L"PSentry_Enable", L"PSentry_Timeout", L"PSentry_LastInfo"})
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kDriverData, name);
}

TEST(SentrySettings, AMissingPrinterGetsNoKey) {
  std::vector<uint8_t> bytes = qxhost::DefaultRecord(L"QX Ghost Printer");
  qxge::WriteSentrySettings(*reinterpret_cast<qxge::DriverDevMode*>(bytes.data()), {false, 9});
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\QX Ghost Printer",
                          0, KEY_READ, &key),
            ERROR_SUCCESS);
}

}  // namespace
