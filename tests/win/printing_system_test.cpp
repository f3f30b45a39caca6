// The pages inside the printing system's own calls: the printer "QX Office 5000" that
// scripts/install-driver.sh registers with our configuration module, Wine's PostScript driver and
// the office model package. Programs reach the module only through winspool, as a user's
// program does.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <compstui.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/host_blocks.h"
#include "resources/resource.h"
#include "sheet_harness.h"  // ModalDriver
#include "sheethost/host_sheet.h"
#include "sheethost/modal_sheet.h"
#include "sheethost/module_package.h"
#include "test_support.h"

namespace {

constexpr wchar_t kPrinter[] = L"QX Office 5000";
constexpr wchar_t kModelBase[] = L"QX5000";
constexpr size_t kRecordBytes = qxge::kDriverDevModeBytes;

class Printer {
 public:
  Printer() : name_(kPrinter) { OpenPrinterW(&name_[0], &handle_, nullptr); }
  ~Printer() {
    if (handle_ != nullptr) ClosePrinter(handle_);
  }
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  bool IsOpen() const { return handle_ != nullptr; }
  LONG Properties(HWND owner, DEVMODEW* out, DEVMODEW* in, DWORD mode) {
    return DocumentPropertiesW(owner, handle_, &name_[0], out, in, mode);
  }

 private:
  std::wstring name_;
  HANDLE handle_ = nullptr;
};

DEVMODEW* AsDevMode(std::vector<uint8_t>& record) { return reinterpret_cast<DEVMODEW*>(record.data()); }

// A user's choices on the preferences sheet: Landscape on the first page, 2 copies on the second.
void ChooseLandscapeAndTwoCopies(HWND sheet) {
  HWND page = GetWindow(PropSheet_GetCurrentPageHwnd(sheet), GW_CHILD);
  SendMessageW(GetDlgItem(page, IDC_LANDSCAPE), BM_CLICK, 0, 0);
  PropSheet_SetCurSel(sheet, nullptr, 1);
  page = GetWindow(PropSheet_GetCurrentPageHwnd(sheet), GW_CHILD);
  const HWND copies = GetDlgItem(page, IDC_COPIES);
  SetWindowTextW(copies, L"2");
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_COPIES, EN_KILLFOCUS), reinterpret_cast<LPARAM>(copies));
}

// Prints one page on the settings of record under title and returns the job that reached the
// printer behind the CUPS queue; empty when none arrived.
std::string PrintedJob(const std::vector<uint8_t>& record, const std::wstring& title) {
  const std::wstring dir = qxtest::JobsDir();
  if (dir.empty()) return {};
  const std::vector<std::wstring> before = qxtest::FilesIn(dir, L"job-*.prn");
  const HDC dc = CreateDCW(nullptr, kPrinter, nullptr, reinterpret_cast<const DEVMODEW*>(record.data()));
  if (dc == nullptr) return {};
  DOCINFOW doc = {sizeof doc, title.c_str(), nullptr, nullptr, 0};
  if (StartDocW(dc, &doc) > 0) {
    StartPage(dc);
    TextOutW(dc, 300, 300, title.c_str(), static_cast<int>(title.size()));
    EndPage(dc);
    EndDoc(dc);
  }
  DeleteDC(dc);
  const std::string mark(title.begin(), title.end());
  for (int wait = 0; wait < 200; ++wait) {
    for (const std::wstring& name : qxtest::FilesIn(dir, L"job-*.prn")) {
      if (std::find(before.begin(), before.end(), name) != before.end()) continue;
      const std::string job = qxtest::ReadTextFile(dir + L"\\" + name);
      if (job.find(mark) != std::string::npos) return job;
    }
    Sleep(100);
  }
  return {};
}

class PrintingSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qxtest::ForgetUser(kModelBase);
    ASSERT_TRUE(printer_.IsOpen()) << "no printer \"QX Office 5000\"; run scripts/install-driver.sh";
  }
  void TearDown() override { qxtest::ForgetUser(kModelBase); }

  // The record a program starts from: the printer's settings, with a private part of its own.
  std::vector<uint8_t> ProgramRecord() {
    std::vector<uint8_t> record(kRecordBytes);
    EXPECT_EQ(printer_.Properties(nullptr, AsDevMode(record), nullptr, DM_OUT_BUFFER), IDOK);
    for (size_t i = sizeof(DEVMODEW); i < record.size(); i += 7) record[i] = static_cast<uint8_t>(i / 7);
    return record;
  }

  Printer printer_;
};

TEST_F(PrintingSystemTest, DocumentPropertiesHandOurRecordThroughAndTheSheetsChoicesReachTheJob) {
  // Size query, then the printer's record without a sheet.
  EXPECT_EQ(printer_.Properties(nullptr, nullptr, nullptr, 0), static_cast<LONG>(kRecordBytes));
  std::vector<uint8_t> printerRecord(kRecordBytes + 16, 0xEE);
  ASSERT_EQ(printer_.Properties(nullptr, AsDevMode(printerRecord), nullptr, DM_OUT_BUFFER), IDOK);
  const DEVMODEW& header = *AsDevMode(printerRecord);
  EXPECT_STREQ(header.dmDeviceName, kPrinter);
  EXPECT_EQ(header.dmSize, sizeof(DEVMODEW));
  EXPECT_EQ(header.dmDriverExtra, kRecordBytes - sizeof(DEVMODEW));
  EXPECT_EQ(header.dmOrientation, DMORIENT_PORTRAIT);  // the renderer's settings from the model's PPD
  EXPECT_EQ(header.dmPaperSize, DMPAPER_LETTER);
  EXPECT_EQ(std::vector<uint8_t>(printerRecord.begin() + kRecordBytes, printerRecord.end()),
            std::vector<uint8_t>(16, 0xEE)) << "wrote beyond the record";

  // A program's record comes back byte for byte, private part included.
  std::vector<uint8_t> programRecord = ProgramRecord();
  std::vector<uint8_t> roundTrip(kRecordBytes);
  ASSERT_EQ(printer_.Properties(nullptr, AsDevMode(roundTrip), AsDevMode(programRecord), DM_IN_BUFFER | DM_OUT_BUFFER),
            IDOK);
  EXPECT_EQ(roundTrip, programRecord);

  // The sheet, answered as a user answers it: Landscape, 2 copies, OK. It bears the model's
  // caption and the office sample's pages.
  std::vector<uint8_t> chosen(kRecordBytes);
  wchar_t caption[128] = {};
  int pages = 0;
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, [&](HWND sheet) {
      GetWindowTextW(sheet, caption, 128);
      pages = static_cast<int>(qxhost::TabCaptions(sheet).size());
      ChooseLandscapeAndTwoCopies(sheet);
    }, IDOK);
    EXPECT_EQ(printer_.Properties(nullptr, AsDevMode(chosen), AsDevMode(programRecord),
                                  DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER),
              IDOK);
    ASSERT_TRUE(user.opened()) << "no sheet was shown";
  }
  EXPECT_STREQ(caption, L"QX Office 5000 Printing Preferences");
  EXPECT_EQ(pages, static_cast<int>(qxhost::kPreferencePages.size()));
  EXPECT_EQ(AsDevMode(chosen)->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(AsDevMode(chosen)->dmCopies, 2);

  // The reference host, making the same choices on the same record, gives the same bytes: the
  // printing system's sheet is the module's own sheet, and nothing else touched the record.
  std::vector<uint8_t> reference = programRecord;
  {
    qxhost::ModulePackage plugIn;
    ASSERT_TRUE(plugIn.Load(qxhost::InstalledDriverFile(std::wstring(kModelBase) + L"U.DLL"))) << plugIn.Error();
    qxhost::HostSheet sheet(plugIn, {kPrinter, qxhost::kPreferencePages, 0}, reference.data());
    const HWND window = sheet.Create(nullptr);
    ASSERT_NE(window, nullptr);
    sheet.Pump();
    ChooseLandscapeAndTwoCopies(window);
    PropSheet_PressButton(window, PSBTN_OK);
    while (sheet.Pump()) Sleep(10);
    EXPECT_EQ(sheet.Context().applied, 1);
  }
  EXPECT_EQ(chosen, reference);

  // A page printed on the returned settings reaches the queue in landscape, twice.
  const std::wstring title = L"qxge preferences " + std::to_wstring(GetCurrentProcessId()) + L"." +
                             std::to_wstring(GetTickCount64());
  const std::string job = PrintedJob(chosen, title);
  ASSERT_FALSE(job.empty()) << "no job at the printer; is QXGE_JOBS_DIR set?";
  // Wine's PostScript driver writes the choices into the job's comments and CUPS job ticket.
  EXPECT_NE(job.find("%%Orientation: Landscape"), std::string::npos);
  EXPECT_NE(job.find("%cupsJobTicket: copies=2"), std::string::npos);

  // Cancel: the same choices, and the program gets its record back unchanged. (Wine's common
  // property sheet answers OK for a cancelled sheet too, so the record is what tells.)
  std::vector<uint8_t> cancelled(kRecordBytes);
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, ChooseLandscapeAndTwoCopies, IDCANCEL);
    printer_.Properties(nullptr, AsDevMode(cancelled), AsDevMode(programRecord),
                        DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
    ASSERT_TRUE(user.opened());
  }
  EXPECT_EQ(cancelled, programRecord);
}

TEST_F(PrintingSystemTest, AnUpdatedDefaultIsWhereEveryProgramStarts) {
  std::vector<uint8_t> printerRecord(kRecordBytes);
  ASSERT_EQ(printer_.Properties(nullptr, AsDevMode(printerRecord), nullptr, DM_OUT_BUFFER), IDOK);

  // One program makes landscape with 3 copies the printer's default preferences...
  std::vector<uint8_t> preferred = ProgramRecord();
  AsDevMode(preferred)->dmOrientation = DMORIENT_LANDSCAPE;
  AsDevMode(preferred)->dmCopies = 3;
  ASSERT_EQ(printer_.Properties(nullptr, nullptr, AsDevMode(preferred), DM_IN_BUFFER | DM_UPDATE), IDOK);
  EXPECT_EQ(qxtest::ReadUserValue(kModelBase, L"TSF", L"Default DevMode"), preferred);

  // ...and another, asking for the printer's settings, starts from them, as does its sheet.
  Printer other;
  std::vector<uint8_t> seen(kRecordBytes);
  ASSERT_EQ(other.Properties(nullptr, AsDevMode(seen), nullptr, DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(seen, preferred);
  bool landscapeShown = false;
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, [&](HWND sheet) {
      const HWND page = GetWindow(PropSheet_GetCurrentPageHwnd(sheet), GW_CHILD);
      landscapeShown = IsDlgButtonChecked(page, IDC_LANDSCAPE) == BST_CHECKED;
    }, IDCANCEL);
    other.Properties(nullptr, AsDevMode(seen), nullptr, DM_IN_PROMPT | DM_OUT_BUFFER);
    ASSERT_TRUE(user.opened());
  }
  EXPECT_TRUE(landscapeShown);
  EXPECT_NE(seen, printerRecord);
}

TEST_F(PrintingSystemTest, DeviceModesOfAnyShapeFromAProgramGiveOurRecord) {
  std::vector<uint8_t> printerRecord(kRecordBytes);
  ASSERT_EQ(printer_.Properties(nullptr, AsDevMode(printerRecord), nullptr, DM_OUT_BUFFER), IDOK);
  const auto settle = [&](const DEVMODEW* in) {
    std::vector<uint8_t> out(kRecordBytes, 0xEE);
    EXPECT_EQ(printer_.Properties(nullptr, AsDevMode(out), const_cast<DEVMODEW*>(in), DM_IN_BUFFER | DM_OUT_BUFFER), IDOK);
    EXPECT_STREQ(AsDevMode(out)->dmDeviceName, kPrinter);
    EXPECT_EQ(AsDevMode(out)->dmSize, sizeof(DEVMODEW));
    EXPECT_EQ(AsDevMode(out)->dmDriverExtra, kRecordBytes - sizeof(DEVMODEW));
    return out;
  };
  const std::vector<uint8_t> emptyPrivate(kRecordBytes - sizeof(DEVMODEW), 0);
  const auto privatePart = [](const std::vector<uint8_t>& r) { return std::vector<uint8_t>(r.begin() + sizeof(DEVMODEW), r.end()); };

  // Another driver's device mode: its public choices, not its private part.
  wchar_t queueName[] = L"QX_Office";
  const LONG foreignSize = DocumentPropertiesW(nullptr, nullptr, queueName, nullptr, nullptr, 0);
  ASSERT_GT(foreignSize, static_cast<LONG>(sizeof(DEVMODEW)));
  std::vector<uint8_t> foreign(static_cast<size_t>(foreignSize));
  ASSERT_EQ(DocumentPropertiesW(nullptr, nullptr, queueName, AsDevMode(foreign), nullptr, DM_OUT_BUFFER), IDOK);
  AsDevMode(foreign)->dmOrientation = DMORIENT_LANDSCAPE;
  AsDevMode(foreign)->dmCopies = 3;
  AsDevMode(foreign)->dmFields |= DM_ORIENTATION | DM_COPIES;
  std::vector<uint8_t> out = settle(AsDevMode(foreign));
  EXPECT_EQ(AsDevMode(out)->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(AsDevMode(out)->dmCopies, 3);
  EXPECT_EQ(privatePart(out), emptyPrivate);

  // A device mode shorter than today's public part: what it has, and the printer's for the rest.
  std::vector<uint8_t> shorter = printerRecord;
  AsDevMode(shorter)->dmSize = offsetof(DEVMODEW, dmFormName);
  AsDevMode(shorter)->dmDriverExtra = 0;
  AsDevMode(shorter)->dmOrientation = DMORIENT_LANDSCAPE;
  std::memset(AsDevMode(shorter)->dmFormName, 0x41, sizeof AsDevMode(shorter)->dmFormName);
  out = settle(AsDevMode(shorter));
  EXPECT_EQ(AsDevMode(out)->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(std::wstring(AsDevMode(out)->dmFormName), std::wstring(AsDevMode(printerRecord)->dmFormName));

  // Too short to say anything, and a record of ours whose private part runs into memory the
  // program does not have: the printer's settings, and the public part that could be read.
  DEVMODEW tiny = {};
  tiny.dmSize = 8;
  EXPECT_EQ(settle(&tiny), printerRecord);
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  auto* pages = static_cast<uint8_t*>(VirtualAlloc(nullptr, 2 * system.dwPageSize, MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(pages, nullptr);
  DWORD old = 0;
  VirtualProtect(pages + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS, &old);
  auto* cut = pages + system.dwPageSize - sizeof(DEVMODEW) - 100;
  std::memcpy(cut, printerRecord.data(), sizeof(DEVMODEW) + 100);
  reinterpret_cast<DEVMODEW*>(cut)->dmCopies = 4;
  out = settle(reinterpret_cast<DEVMODEW*>(cut));
  EXPECT_EQ(AsDevMode(out)->dmCopies, 4);
  EXPECT_EQ(privatePart(out), emptyPrivate);
  VirtualFree(pages, 0, MEM_RELEASE);
}

// Runs qxdrvsetup, the driver's installer, with arguments; its exit code, or -1.
int DriverSetup(const std::wstring& arguments) {
  std::wstring command = L"\"" + qxtest::BinaryDir() + L"\\bin\\qxdrvsetup.exe\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = static_cast<DWORD>(-1);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

TEST_F(PrintingSystemTest, APlugInThatDoesNotLoadGivesTheProgramAFailureNotAFault) {
  // A package whose plug-in is no library at all, installed as the user's installer does it.
  const std::wstring dir = qxtest::FreshFolder(L"QXBRK");
  qxtest::WriteTextFile(dir + L"\\QXBRKU.DLL", "[Common]\r\nCaption=not a library\r\n");
  const std::wstring name = L"QX Broken 5000";
  ASSERT_EQ(DriverSetup(L"install \"" + name + L"\" \"|lp -s -d QX_Office\" \"" + qxtest::BinaryDir() +
                        L"\\bin\\QXDRVUI.DLL\" \"" + qxtest::SourceDir() + L"\\samples\\office\\QX_Office.ppd\" \"" +
                        dir + L"\\QXBRKU.DLL\""),
            0);
  std::wstring printer = name;
  std::vector<uint8_t> out(kRecordBytes);
  bool shown = false;
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, [&](HWND) { shown = true; }, IDCANCEL);
    EXPECT_LT(DocumentPropertiesW(nullptr, nullptr, &printer[0], AsDevMode(out), nullptr, DM_IN_PROMPT | DM_OUT_BUFFER), 0);
  }
  EXPECT_FALSE(shown);
  // Settings without a sheet need no plug-in.
  EXPECT_EQ(DocumentPropertiesW(nullptr, nullptr, &printer[0], AsDevMode(out), nullptr, DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(DriverSetup(L"remove \"" + name + L"\""), 0);
}

// What Windows calls in the configuration module without winspool's help in Wine: the printer's
// own sheet through the common property sheet, and device-mode conversion.
TEST_F(PrintingSystemTest, ThePrinterSheetAndConversionsCallTheModuleDirectly) {
  const HMODULE module = LoadLibraryW(qxhost::InstalledDriverFile(L"QXDRVUI.DLL").c_str());
  const HMODULE common = LoadLibraryW(L"compstui.dll");
  ASSERT_NE(module, nullptr);
  ASSERT_NE(common, nullptr);
  using SheetsFn = LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM);
  using CommonSheetFn = LONG(WINAPI*)(HWND, SheetsFn, LPARAM, DWORD*);
  using ConvertFn = BOOL(WINAPI*)(LPWSTR, DEVMODEW*, DEVMODEW*, LONG*, DWORD);
  const auto deviceSheets = reinterpret_cast<SheetsFn>(reinterpret_cast<void*>(GetProcAddress(module, "DrvDevicePropertySheets")));
  const auto commonSheet = reinterpret_cast<CommonSheetFn>(reinterpret_cast<void*>(GetProcAddress(common, "CommonPropertySheetUIW")));
  const auto convert = reinterpret_cast<ConvertFn>(reinterpret_cast<void*>(GetProcAddress(module, "DrvConvertDevMode")));
  ASSERT_TRUE(deviceSheets != nullptr && commonSheet != nullptr && convert != nullptr);

  // The printer's properties: Printer, Maintenance, Troubleshooting and About.
  std::wstring name = kPrinter;
  struct {
    WORD cbSize, flags;
    HANDLE printer;
    LPWSTR printerName;
  } header = {sizeof header, 0, nullptr, &name[0]};
  std::vector<std::wstring> tabs;
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, [&](HWND sheet) {
      tabs = qxhost::TabCaptions(sheet);
    }, IDCANCEL);
    EXPECT_GT(commonSheet(nullptr, deviceSheets, reinterpret_cast<LPARAM>(&header), nullptr), 0);
    ASSERT_TRUE(user.opened());
  }
  EXPECT_EQ(tabs, (std::vector<std::wstring>{L"Printer", L"Printer", L"Troubleshooting", L"About"}));

  // Conversion: the size first, then the driver's default, and a foreign device mode's
  // public choices on it.
  std::vector<uint8_t> printerRecord(kRecordBytes), converted(kRecordBytes);
  ASSERT_EQ(printer_.Properties(nullptr, AsDevMode(printerRecord), nullptr, DM_OUT_BUFFER), IDOK);
  LONG needed = 0;
  EXPECT_FALSE(convert(&name[0], nullptr, AsDevMode(converted), &needed, 0x04));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(needed, static_cast<LONG>(kRecordBytes));
  ASSERT_TRUE(convert(&name[0], nullptr, AsDevMode(converted), &needed, 0x04));
  EXPECT_EQ(converted, printerRecord);
  DEVMODEW foreign = {};
  foreign.dmSize = sizeof foreign;
  foreign.dmFields = DM_ORIENTATION;
  foreign.dmOrientation = DMORIENT_LANDSCAPE;
  ASSERT_TRUE(convert(&name[0], &foreign, AsDevMode(converted), &needed, 0x01));
  EXPECT_EQ(AsDevMode(converted)->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(AsDevMode(converted)->dmDriverExtra, kRecordBytes - sizeof(DEVMODEW));
  FreeLibrary(common);
  FreeLibrary(module);
}

// Papers, their names and sizes, and bins, as programs ask for them.
struct Capabilities {
  std::vector<WORD> papers, bins;
  std::vector<std::wstring> names, binNames;
  std::vector<POINT> sizes;
};

std::vector<std::wstring> Names(const std::vector<wchar_t>& buffer, size_t width) {
  std::vector<std::wstring> names;
  for (size_t at = 0; at + width <= buffer.size(); at += width) names.emplace_back(&buffer[at], wcsnlen(&buffer[at], width));
  return names;
}

Capabilities CapabilitiesOf(const wchar_t* printer) {
  Capabilities c;
  const auto count = [&](WORD capability) { return DeviceCapabilitiesW(printer, L"", capability, nullptr, nullptr); };
  const int papers = count(DC_PAPERS), bins = count(DC_BINS);
  if (papers <= 0 || bins <= 0) return c;
  c.papers.resize(papers);
  DeviceCapabilitiesW(printer, L"", DC_PAPERS, reinterpret_cast<wchar_t*>(c.papers.data()), nullptr);
  c.sizes.resize(papers);
  DeviceCapabilitiesW(printer, L"", DC_PAPERSIZE, reinterpret_cast<wchar_t*>(c.sizes.data()), nullptr);
  std::vector<wchar_t> names(static_cast<size_t>(papers) * 64);
  DeviceCapabilitiesW(printer, L"", DC_PAPERNAMES, names.data(), nullptr);
  c.names = Names(names, 64);
  c.bins.resize(bins);
  DeviceCapabilitiesW(printer, L"", DC_BINS, reinterpret_cast<wchar_t*>(c.bins.data()), nullptr);
  std::vector<wchar_t> binNames(static_cast<size_t>(bins) * 24);
  DeviceCapabilitiesW(printer, L"", DC_BINNAMES, binNames.data(), nullptr);
  c.binNames = Names(binNames, 24);
  return c;
}

TEST_F(PrintingSystemTest, DeviceCapabilitiesAnswerTheModelsPapersAndOurRecordsShape) {
  const Capabilities ours = CapabilitiesOf(kPrinter);
  // The office model's PPD: ten papers, A4 among them at 210 x 297 mm.
  ASSERT_EQ(ours.papers.size(), 10u);
  size_t a4 = 0;
  while (a4 < ours.papers.size() && ours.papers[a4] != DMPAPER_A4) ++a4;
  ASSERT_LT(a4, ours.papers.size());
  EXPECT_EQ(ours.names[a4], L"A4");
  EXPECT_EQ(ours.sizes[a4].x, 2100);
  EXPECT_EQ(ours.sizes[a4].y, 2970);
  // Its six input slots, behind the choice Wine's PostScript driver puts first.
  EXPECT_EQ(ours.binNames, (std::vector<std::wstring>{L"Automatically Select", L"Auto Select", L"Tray 1", L"Tray 2",
                                                       L"Tray 3", L"Manual Feed", L"Envelope Feeder"}));

  // The same as the test printer on the CUPS queue, which Wine describes from the same PPD.
  const Capabilities queue = CapabilitiesOf(L"QX_Office");
  EXPECT_EQ(ours.papers, queue.papers);
  EXPECT_EQ(ours.names, queue.names);
  ASSERT_EQ(ours.sizes.size(), queue.sizes.size());
  for (size_t i = 0; i < ours.sizes.size(); ++i) {
    EXPECT_EQ(ours.sizes[i].x, queue.sizes[i].x) << i;
    EXPECT_EQ(ours.sizes[i].y, queue.sizes[i].y) << i;
  }
  EXPECT_EQ(ours.bins, queue.bins);
  EXPECT_EQ(ours.binNames, queue.binNames);

  // The record's shape is ours, not the renderer's.
  EXPECT_EQ(DeviceCapabilitiesW(kPrinter, L"", DC_SIZE, nullptr, nullptr), static_cast<int>(sizeof(DEVMODEW)));
  EXPECT_EQ(DeviceCapabilitiesW(kPrinter, L"", DC_EXTRA, nullptr, nullptr),
            static_cast<int>(kRecordBytes - sizeof(DEVMODEW)));
}

}  // namespace
