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

// A user's choices on the preferences sheet (page, control, action), each with what Wine's
// PostScript driver writes for it into the job: a comment, the CUPS job ticket or the PPD's
// page-device code.
struct Choice {
  int page, control;
  const wchar_t* typed;  // text typed into an edit box; none: a click, or the list item of data
  intptr_t data;
  const char* inJob;
};
const Choice kChoices[] = {
    {0, IDC_LANDSCAPE, nullptr, 0, "%%Orientation: Landscape"},
    {0, IDC_DUPLEX_LONG, nullptr, 0, "<</Duplex true/Tumble false>>setpagedevice"},
    {1, IDC_COPIES, L"2", 0, "%cupsJobTicket: copies=2"},
    {1, IDC_COLLATE, nullptr, 0, "%cupsJobTicket: collate=true"},
    {1, IDC_PAPER_SIZE, nullptr, DMPAPER_A4, "<</PageSize[595.28 841.89]/ImagingBBox null>>setpagedevice"},
};

void ChooseOnSheet(HWND sheet) {
  for (const Choice& c : kChoices) {
    PropSheet_SetCurSel(sheet, nullptr, c.page);
    const HWND page = GetWindow(PropSheet_GetCurrentPageHwnd(sheet), GW_CHILD), control = GetDlgItem(page, c.control);
    if (c.typed != nullptr) {
      SetWindowTextW(control, c.typed);
      SendMessageW(page, WM_COMMAND, MAKEWPARAM(c.control, EN_KILLFOCUS), reinterpret_cast<LPARAM>(control));
    } else if (c.data != 0) {
      for (LRESULT i = 0; i < SendMessageW(control, CB_GETCOUNT, 0, 0); ++i)
        if (SendMessageW(control, CB_GETITEMDATA, i, 0) == c.data) SendMessageW(control, CB_SETCURSEL, i, 0);
      SendMessageW(page, WM_COMMAND, MAKEWPARAM(c.control, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
    } else {
      SendMessageW(control, BM_CLICK, 0, 0);
    }
  }
}

// Prints one page on the settings of record under title and returns the job that reached the
// printer behind the CUPS queue; empty when none arrived.
std::string PrintedJob(const std::vector<uint8_t>& record, const std::wstring& title, const wchar_t* printer = kPrinter) {
  const std::wstring dir = qxtest::JobsDir();
  if (dir.empty()) return {};
  const std::vector<std::wstring> before = qxtest::FilesIn(dir, L"job-*.prn");
  const HDC dc = CreateDCW(nullptr, printer, nullptr, reinterpret_cast<const DEVMODEW*>(record.data()));
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

  // The sheet on the printer's settings, answered as a user answers it: the choices, then OK.
  // It bears the model's caption and the office sample's pages.
  printerRecord.resize(kRecordBytes);
  std::vector<uint8_t> chosen(kRecordBytes);
  wchar_t caption[128] = {};
  int pages = 0;
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, [&](HWND sheet) {
      GetWindowTextW(sheet, caption, 128);
      pages = static_cast<int>(qxhost::TabCaptions(sheet).size());
      ChooseOnSheet(sheet);
    }, IDOK);
    EXPECT_EQ(printer_.Properties(nullptr, AsDevMode(chosen), AsDevMode(printerRecord),
                                  DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER),
              IDOK);
    ASSERT_TRUE(user.opened()) << "no sheet was shown";
  }
  EXPECT_STREQ(caption, L"QX Office 5000 Printing Preferences");
  EXPECT_EQ(pages, static_cast<int>(qxhost::kPreferencePages.size()));

  // The reference host, making the same choices on the same record, gives the same bytes: the
  // printing system's sheet is the module's own sheet, and nothing else touched the record.
  std::vector<uint8_t> reference = printerRecord;
  {
    qxhost::ModulePackage plugIn;
    ASSERT_TRUE(plugIn.Load(qxhost::InstalledDriverFile(std::wstring(kModelBase) + L"U.DLL"))) << plugIn.Error();
    qxhost::HostSheet sheet(plugIn, {kPrinter, qxhost::kPreferencePages, 0}, reference.data());
    const HWND window = sheet.Create(nullptr);
    ASSERT_NE(window, nullptr);
    sheet.Pump();
    ChooseOnSheet(window);
    PropSheet_PressButton(window, PSBTN_OK);
    while (sheet.Pump()) Sleep(10);
    EXPECT_EQ(sheet.Context().applied, 1);
  }
  EXPECT_EQ(chosen, reference);

  // A page printed on the returned settings reaches the printer with every choice.
  const std::wstring title = L"qxge preferences " + std::to_wstring(GetCurrentProcessId()) + L"." +
                             std::to_wstring(GetTickCount64());
  const std::string job = PrintedJob(chosen, title);
  ASSERT_FALSE(job.empty()) << "no job at the printer; is QXGE_JOBS_DIR set?";
  for (const Choice& c : kChoices) EXPECT_NE(job.find(c.inJob), std::string::npos) << c.inJob;

  // Cancel: the same choices, and the program gets its record back unchanged. (Wine's common
  // property sheet answers OK for a cancelled sheet too, so the record is what tells.)
  std::vector<uint8_t> cancelled(kRecordBytes);
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, ChooseOnSheet, IDCANCEL);
    printer_.Properties(nullptr, AsDevMode(cancelled), AsDevMode(programRecord),
                        DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
    ASSERT_TRUE(user.opened());
  }
  EXPECT_EQ(cancelled, programRecord);
}

// Runs one of the built programs with arguments, as a process of its own; its exit code, or -1.
int RunProgram(const wchar_t* program, const std::wstring& arguments) {
  std::wstring command = L"\"" + qxtest::BinaryDir() + L"\\bin\\" + program + L"\" " + arguments;
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

// Installs the printer name with our driver, the office model's PPD and files, as
// scripts/install-driver.sh does.
int InstallPrinter(const std::wstring& name, const std::vector<std::wstring>& files) {
  std::wstring arguments = L"install \"" + name + L"\" \"|lp -s -d QX_Office\" \"" + qxtest::BinaryDir() +
                           L"\\bin\\QXDRVUI.DLL\" \"" + qxtest::SourceDir() + L"\\samples\\office\\QX_Office.ppd\"";
  for (const std::wstring& file : files) arguments += L" \"" + file + L"\"";
  return RunProgram(L"qxdrvsetup.exe", arguments);
}
int RemovePrinter(const std::wstring& name) { return RunProgram(L"qxdrvsetup.exe", L"remove \"" + name + L"\""); }

TEST_F(PrintingSystemTest, AnUpdatedDefaultIsWhereEveryProgramStarts) {
  std::vector<uint8_t> printerRecord(kRecordBytes);
  ASSERT_EQ(printer_.Properties(nullptr, AsDevMode(printerRecord), nullptr, DM_OUT_BUFFER), IDOK);

  // One program makes landscape with 3 copies the printer's default preferences...
  std::vector<uint8_t> preferred = ProgramRecord();
  AsDevMode(preferred)->dmOrientation = DMORIENT_LANDSCAPE;
  AsDevMode(preferred)->dmCopies = 3;
  ASSERT_EQ(printer_.Properties(nullptr, nullptr, AsDevMode(preferred), DM_IN_BUFFER | DM_UPDATE), IDOK);
  EXPECT_EQ(qxtest::ReadUserValue(kModelBase, L"TSF", L"Default DevMode"), preferred);

  // ...and another, in a process of its own, starts from them, as does a sheet.
  const std::wstring file = qxtest::FreshFolder(L"QXSET") + L"\\settings";
  ASSERT_EQ(RunProgram(L"qxtest_settings.exe", L"\"QX Office 5000\" \"" + file + L"\""), 0);
  const std::string seenThere = qxtest::ReadTextFile(file);
  EXPECT_EQ(std::vector<uint8_t>(seenThere.begin(), seenThere.end()), preferred);
  Printer other;
  std::vector<uint8_t> seen(kRecordBytes);
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

TEST_F(PrintingSystemTest, AUserWhoMayNotChangeTheSettingsSeesThemAndChangesNothing) {
  constexpr DWORD kNoPermission = 0x20;
  std::vector<uint8_t> printerRecord(kRecordBytes);
  ASSERT_EQ(printer_.Properties(nullptr, AsDevMode(printerRecord), nullptr, DM_OUT_BUFFER), IDOK);
  ASSERT_EQ(printer_.Properties(nullptr, nullptr, AsDevMode(printerRecord), DM_IN_BUFFER | DM_UPDATE), IDOK);
  const std::vector<uint8_t> stored = qxtest::ReadUserValue(kModelBase, L"TSF", L"Default DevMode");

  // The pages show the settings with every control disabled; whatever reaches them, OK keeps
  // the program's settings...
  std::vector<uint8_t> out(kRecordBytes);
  bool editable = true;
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, [&](HWND sheet) {
      editable = IsWindowEnabled(GetDlgItem(GetWindow(PropSheet_GetCurrentPageHwnd(sheet), GW_CHILD), IDC_LANDSCAPE));
      ChooseOnSheet(sheet);
    }, IDOK);
    printer_.Properties(nullptr, AsDevMode(out), AsDevMode(printerRecord),
                        DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER | kNoPermission);
    ASSERT_TRUE(user.opened());
  }
  EXPECT_FALSE(editable);
  EXPECT_EQ(out, printerRecord);
  // ...and an update asked for without a prompt keeps the default.
  std::vector<uint8_t> landscape = printerRecord;
  AsDevMode(landscape)->dmOrientation = DMORIENT_LANDSCAPE;
  printer_.Properties(nullptr, nullptr, AsDevMode(landscape), DM_IN_BUFFER | DM_UPDATE | kNoPermission);
  EXPECT_EQ(qxtest::ReadUserValue(kModelBase, L"TSF", L"Default DevMode"), stored);
}

TEST_F(PrintingSystemTest, DeviceModesOfAnyShapeFromAProgramGiveOurRecord) {
  std::vector<uint8_t> printerRecord(kRecordBytes);
  ASSERT_EQ(printer_.Properties(nullptr, AsDevMode(printerRecord), nullptr, DM_OUT_BUFFER), IDOK);
  const DEVMODEW& printer = *AsDevMode(printerRecord);

  // Another driver's device mode.
  wchar_t queueName[] = L"QX_Office";
  const LONG foreignSize = DocumentPropertiesW(nullptr, nullptr, queueName, nullptr, nullptr, 0);
  ASSERT_GT(foreignSize, static_cast<LONG>(sizeof(DEVMODEW)));
  std::vector<uint8_t> foreign(static_cast<size_t>(foreignSize));
  ASSERT_EQ(DocumentPropertiesW(nullptr, nullptr, queueName, AsDevMode(foreign), nullptr, DM_OUT_BUFFER), IDOK);
  AsDevMode(foreign)->dmOrientation = DMORIENT_LANDSCAPE;
  AsDevMode(foreign)->dmCopies = 3;
  AsDevMode(foreign)->dmFields |= DM_ORIENTATION | DM_COPIES;
  // One shorter than today's public part, with a form name beyond its end.
  std::vector<uint8_t> shorter = printerRecord;
  AsDevMode(shorter)->dmSize = offsetof(DEVMODEW, dmFormName);
  AsDevMode(shorter)->dmOrientation = DMORIENT_LANDSCAPE;
  std::memset(AsDevMode(shorter)->dmFormName, 0x41, sizeof AsDevMode(shorter)->dmFormName);
  // One too short to say anything.
  DEVMODEW tiny = {};
  tiny.dmSize = 8;
  // A record of ours whose private part runs into memory the program does not have.
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  auto* pages = static_cast<uint8_t*>(VirtualAlloc(nullptr, 2 * system.dwPageSize, MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(pages, nullptr);
  DWORD old = 0;
  VirtualProtect(pages + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS, &old);
  auto* cut = reinterpret_cast<DEVMODEW*>(pages + system.dwPageSize - sizeof(DEVMODEW) - 100);
  std::memcpy(cut, printerRecord.data(), sizeof(DEVMODEW) + 100);
  cut->dmCopies = 4;

  // Each gives its public choices as far as it reaches, the printer's for the rest, and no
  // private part of its own.
  const struct {
    const char* what;
    const DEVMODEW* in;
    short orientation, copies;
  } shapes[] = {
      {"another driver's", AsDevMode(foreign), DMORIENT_LANDSCAPE, 3},
      {"shorter", AsDevMode(shorter), DMORIENT_LANDSCAPE, printer.dmCopies},
      {"too short", &tiny, printer.dmOrientation, printer.dmCopies},
      {"cut short", cut, printer.dmOrientation, 4},
  };
  for (const auto& shape : shapes) {
    std::vector<uint8_t> out(kRecordBytes, 0xEE);
    EXPECT_EQ(printer_.Properties(nullptr, AsDevMode(out), const_cast<DEVMODEW*>(shape.in), DM_IN_BUFFER | DM_OUT_BUFFER),
              IDOK) << shape.what;
    const DEVMODEW& got = *AsDevMode(out);
    EXPECT_STREQ(got.dmDeviceName, kPrinter) << shape.what;
    EXPECT_EQ(got.dmSize, sizeof(DEVMODEW)) << shape.what;
    EXPECT_EQ(got.dmDriverExtra, kRecordBytes - sizeof(DEVMODEW)) << shape.what;
    EXPECT_EQ(got.dmOrientation, shape.orientation) << shape.what;
    EXPECT_EQ(got.dmCopies, shape.copies) << shape.what;
    EXPECT_STREQ(got.dmFormName, printer.dmFormName) << shape.what;
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + sizeof(DEVMODEW), out.end()),
              std::vector<uint8_t>(kRecordBytes - sizeof(DEVMODEW), 0)) << shape.what;
  }
  VirtualFree(pages, 0, MEM_RELEASE);
}

TEST_F(PrintingSystemTest, APrinterWhoseNameOutgrowsTheRecordIsKnownByItsWholeName) {
  // A record's device name holds 31 characters.
  const std::wstring name = L"QX Office 5000 in the second floor west wing";
  const std::wstring package = qxtest::BinaryDir() + L"\\packages\\office";
  std::vector<std::wstring> files;
  for (const std::wstring& file : qxtest::FilesIn(package))
    if (file != L"QX_Office.ppd") files.push_back(package + L"\\" + file);
  ASSERT_EQ(InstallPrinter(name, files), 0);

  // Its sheet lists the model's papers, and the choices reach its job.
  std::wstring printer = name;
  std::vector<uint8_t> chosen(kRecordBytes);
  LRESULT papers = 0;
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, [&](HWND sheet) {
      PropSheet_SetCurSel(sheet, nullptr, 1);
      const HWND page = GetWindow(PropSheet_GetCurrentPageHwnd(sheet), GW_CHILD);
      papers = SendDlgItemMessageW(page, IDC_PAPER_SIZE, CB_GETCOUNT, 0, 0);
      ChooseOnSheet(sheet);
    }, IDOK);
    EXPECT_EQ(DocumentPropertiesW(nullptr, nullptr, &printer[0], AsDevMode(chosen), nullptr, DM_IN_PROMPT | DM_OUT_BUFFER),
              IDOK);
    ASSERT_TRUE(user.opened());
  }
  EXPECT_EQ(papers, 10);
  EXPECT_EQ(std::wstring(AsDevMode(chosen)->dmDeviceName), name.substr(0, CCHDEVICENAME - 1));
  const std::string job = PrintedJob(chosen, L"qxge long name " + std::to_wstring(GetTickCount64()), name.c_str());
  ASSERT_FALSE(job.empty());
  for (const Choice& c : kChoices) EXPECT_NE(job.find(c.inJob), std::string::npos) << c.inJob;

  // A caller that names it by a record's cut name, with its handle, gets its settings.
  std::vector<uint8_t> settings(kRecordBytes), fromCutName(kRecordBytes);
  ASSERT_EQ(DocumentPropertiesW(nullptr, nullptr, &printer[0], AsDevMode(settings), nullptr, DM_OUT_BUFFER), IDOK);
  const HMODULE module = LoadLibraryW(qxhost::InstalledDriverFile(L"QXDRVUI.DLL").c_str());
  const auto documentSheets = reinterpret_cast<LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM)>(
      reinterpret_cast<void*>(GetProcAddress(module, "DrvDocumentPropertySheets")));
  ASSERT_NE(documentSheets, nullptr);
  HANDLE handle = nullptr;
  ASSERT_TRUE(OpenPrinterW(&printer[0], &handle, nullptr));
  std::wstring cutName = AsDevMode(chosen)->dmDeviceName;
  struct {
    WORD cbSize, reserved;
    HANDLE printer;
    LPWSTR printerName;
    DEVMODEW *in, *out;
    DWORD outBytes, mode;
  } header = {sizeof header, 0, handle, &cutName[0], nullptr, AsDevMode(fromCutName), kRecordBytes, DM_OUT_BUFFER};
  EXPECT_EQ(documentSheets(nullptr, reinterpret_cast<LPARAM>(&header)), IDOK);
  EXPECT_EQ(fromCutName, settings);
  ClosePrinter(handle);
  FreeLibrary(module);
  EXPECT_EQ(RemovePrinter(name), 0);
}

TEST_F(PrintingSystemTest, AModelPackageThatDoesNotLoadGivesTheProgramAClearFailureNotAFault) {
  // Packages installed as the user's installer does it: one that names no plug-in, one whose
  // plug-in is no library at all, and the same with the plug-in gone from the driver's folder.
  const std::wstring dir = qxtest::FreshFolder(L"QXBRK"), name = L"QX Broken 5000", plugIn = dir + L"\\QXBRKU.DLL";
  qxtest::WriteTextFile(plugIn, "[Common]\r\nCaption=not a library\r\n");
  const struct {
    const char* what;
    std::vector<std::wstring> files;
    DWORD error;
  } packages[] = {{"none named", {}, ERROR_FILE_NOT_FOUND},
                  {"no library", {plugIn}, ERROR_BAD_EXE_FORMAT},
                  {"gone", {plugIn}, ERROR_MOD_NOT_FOUND}};
  std::wstring printer = name;
  for (const auto& package : packages) {
    ASSERT_EQ(InstallPrinter(name, package.files), 0) << package.what;
    if (package.error == ERROR_MOD_NOT_FOUND) DeleteFileW(qxhost::InstalledDriverFile(L"QXBRKU.DLL").c_str());
    std::vector<uint8_t> out(kRecordBytes);
    bool shown = false;
    {
      qxtest::ModalDriver user(qxhost::kSheetApplyButton, [&](HWND) { shown = true; }, IDCANCEL);
      EXPECT_LT(DocumentPropertiesW(nullptr, nullptr, &printer[0], AsDevMode(out), nullptr, DM_IN_PROMPT | DM_OUT_BUFFER),
                0) << package.what;
      EXPECT_EQ(GetLastError(), package.error) << package.what;
    }
    EXPECT_FALSE(shown) << package.what;
    // The program goes on: settings without a sheet need no plug-in.
    EXPECT_EQ(DocumentPropertiesW(nullptr, nullptr, &printer[0], AsDevMode(out), nullptr, DM_OUT_BUFFER), IDOK)
        << package.what;
  }
  EXPECT_EQ(RemovePrinter(name), 0);
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

  // The printer's properties, for a user who may not change the printer: Printer,
  // Maintenance, Troubleshooting and About, under the printer's name, with nothing to change.
  std::wstring name = kPrinter;
  struct {
    WORD cbSize, flags;
    HANDLE printer;
    LPWSTR printerName;
  } header = {sizeof header, 0x01, nullptr, &name[0]};
  std::vector<std::wstring> tabs;
  wchar_t caption[128] = {};
  bool editable = true;
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, [&](HWND sheet) {
      tabs = qxhost::TabCaptions(sheet);
      GetWindowTextW(sheet, caption, 128);
      editable = IsWindowEnabled(GetDlgItem(GetWindow(PropSheet_GetCurrentPageHwnd(sheet), GW_CHILD), IDC_DUPLEX_UNIT));
    }, IDCANCEL);
    EXPECT_GT(commonSheet(nullptr, deviceSheets, reinterpret_cast<LPARAM>(&header), nullptr), 0);
    ASSERT_TRUE(user.opened());
  }
  EXPECT_EQ(tabs, (std::vector<std::wstring>{L"Printer", L"Printer", L"Troubleshooting", L"About"}));
  EXPECT_STREQ(caption, L"QX Office 5000 Properties");
  EXPECT_FALSE(editable);

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
