// The pages inside the printing system's own calls, reached only through winspool as a user's program
// does: "QX Office 5000" (scripts/install-driver.sh), Wine's PostScript driver, the office package.
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
#include <utility>
#include <vector>

#include "app/host_blocks.h"
#include "driver/printer_interface.h"
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

DEVMODEW* AsDevMode(std::vector<uint8_t>& record) { return reinterpret_cast<DEVMODEW*>(record.data()); }
// Our record's shape, named for the test printer.
void ExpectOurHeader(const DEVMODEW& header) {
  EXPECT_STREQ(header.dmDeviceName, kPrinter);
  EXPECT_EQ(header.dmSize, sizeof(DEVMODEW));
  EXPECT_EQ(header.dmDriverExtra, kRecordBytes - sizeof(DEVMODEW));
}

class Printer {
 public:
  explicit Printer(std::wstring name = kPrinter) : name_(std::move(name)) { OpenPrinterW(&name_[0], &handle_, nullptr); }
  ~Printer() {
    if (handle_ != nullptr) ClosePrinter(handle_);
  }
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  bool IsOpen() const { return handle_ != nullptr; }
  HANDLE Handle() const { return handle_; }
  LONG Properties(DEVMODEW* out, DEVMODEW* in, DWORD mode) {
    return DocumentPropertiesW(nullptr, handle_, &name_[0], out, in, mode);
  }
  // The settings a program gets before it prints.
  std::vector<uint8_t> Settings() {
    std::vector<uint8_t> record(kRecordBytes);
    EXPECT_EQ(Properties(AsDevMode(record), nullptr, DM_OUT_BUFFER), IDOK);
    return record;
  }
  // The preferences sheet on in (none: the printer's) into out, as a user answers it: act, then
  // button. The call's result, and whether a sheet was shown.
  std::pair<LONG, bool> Prompt(std::vector<uint8_t>& out, std::vector<uint8_t>* in, const std::function<void(HWND)>& act,
                               int button, DWORD mode = 0) {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, act, button);
    mode |= DM_IN_PROMPT | DM_OUT_BUFFER | (in != nullptr ? DM_IN_BUFFER : 0);
    const LONG result = Properties(AsDevMode(out), in != nullptr ? AsDevMode(*in) : nullptr, mode);
    return {result, user.opened()};
  }

 private:
  std::wstring name_;
  HANDLE handle_ = nullptr;
};

HWND CurrentPage(HWND sheet) { return GetWindow(PropSheet_GetCurrentPageHwnd(sheet), GW_CHILD); }

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
    const HWND page = CurrentPage(sheet), control = GetDlgItem(page, c.control);
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

// The job that one page printed on record reached the printer behind the CUPS queue with; empty: none.
std::string PrintedJob(const std::vector<uint8_t>& record, const wchar_t* printer = kPrinter) {
  const std::wstring dir = qxtest::JobsDir();
  if (dir.empty()) return {};
  const std::wstring title = L"qxge " + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(GetTickCount64());
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

void ExpectEveryChoiceIn(const std::string& job) {
  ASSERT_FALSE(job.empty()) << "no job at the printer; is QXGE_JOBS_DIR set?";
  for (const Choice& c : kChoices) EXPECT_NE(job.find(c.inJob), std::string::npos) << c.inJob;
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

// Installs the printer name with our driver, the office PPD and files, as scripts/install-driver.sh does.
int InstallPrinter(const std::wstring& name, const std::vector<std::wstring>& files) {
  std::wstring arguments = L"install \"" + name + L"\" \"|lp -s -d QX_Office\" \"" + qxtest::BinaryDir() +
                           L"\\bin\\QXDRVUI.DLL\" \"" + qxtest::SourceDir() + L"\\samples\\office\\QX_Office.ppd\"";
  for (const std::wstring& file : files) arguments += L" \"" + file + L"\"";
  return RunProgram(L"qxdrvsetup.exe", arguments);
}
int RemovePrinter(const std::wstring& name) { return RunProgram(L"qxdrvsetup.exe", L"remove \"" + name + L"\""); }

class PrintingSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qxtest::ForgetUser(kModelBase);
    ASSERT_TRUE(printer_.IsOpen()) << "no printer \"QX Office 5000\"; run scripts/install-driver.sh";
  }
  void TearDown() override { qxtest::ForgetUser(kModelBase); }

  // The record a program starts from: the printer's settings, with a private part of its own.
  std::vector<uint8_t> ProgramRecord() {
    std::vector<uint8_t> record = printer_.Settings();
    for (size_t i = sizeof(DEVMODEW); i < record.size(); i += 7) record[i] = static_cast<uint8_t>(i / 7);
    return record;
  }

  Printer printer_;
};

TEST_F(PrintingSystemTest, DocumentPropertiesHandOurRecordThroughAndTheSheetsChoicesReachTheJob) {
  // Size query, then the printer's record without a sheet.
  EXPECT_EQ(printer_.Properties(nullptr, nullptr, 0), static_cast<LONG>(kRecordBytes));
  std::vector<uint8_t> printerRecord(kRecordBytes + 16, 0xEE);
  ASSERT_EQ(printer_.Properties(AsDevMode(printerRecord), nullptr, DM_OUT_BUFFER), IDOK);
  ExpectOurHeader(*AsDevMode(printerRecord));
  EXPECT_EQ(AsDevMode(printerRecord)->dmOrientation, DMORIENT_PORTRAIT);  // the renderer's, from the model's PPD
  EXPECT_EQ(AsDevMode(printerRecord)->dmPaperSize, DMPAPER_LETTER);
  EXPECT_EQ(std::vector<uint8_t>(printerRecord.begin() + kRecordBytes, printerRecord.end()),
            std::vector<uint8_t>(16, 0xEE)) << "wrote beyond the record";
  printerRecord.resize(kRecordBytes);

  // A program's record comes back byte for byte, private part included.
  std::vector<uint8_t> programRecord = ProgramRecord(), roundTrip(kRecordBytes);
  ASSERT_EQ(printer_.Properties(AsDevMode(roundTrip), AsDevMode(programRecord), DM_IN_BUFFER | DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(roundTrip, programRecord);

  // The sheet on the printer's settings, answered as a user answers it: the choices, then OK.
  // It bears the model's caption and the office sample's pages.
  std::vector<uint8_t> chosen(kRecordBytes);
  wchar_t caption[128] = {};
  size_t pages = 0;
  const auto opened = printer_.Prompt(chosen, &printerRecord, [&](HWND sheet) {
    GetWindowTextW(sheet, caption, 128);
    pages = qxhost::TabCaptions(sheet).size();
    ChooseOnSheet(sheet);
  }, IDOK);
  EXPECT_EQ(opened.first, IDOK);
  ASSERT_TRUE(opened.second) << "no sheet was shown";
  EXPECT_STREQ(caption, L"QX Office 5000 Printing Preferences");
  EXPECT_EQ(pages, qxhost::kPreferencePages.size());

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
  ExpectEveryChoiceIn(PrintedJob(chosen));

  // Cancel: the same choices, and the program gets its record back unchanged. (Wine's common
  // property sheet answers OK for a cancelled sheet too, so the record is what tells.)
  std::vector<uint8_t> cancelled(kRecordBytes);
  ASSERT_TRUE(printer_.Prompt(cancelled, &programRecord, ChooseOnSheet, IDCANCEL).second);
  EXPECT_EQ(cancelled, programRecord);
}

TEST_F(PrintingSystemTest, AnUpdatedDefaultIsWhereEveryProgramStartsAndOnlyAUserWhoMayChangeItChangesIt) {
  // One program makes landscape with 3 copies the printer's default preferences...
  std::vector<uint8_t> preferred = ProgramRecord();
  AsDevMode(preferred)->dmOrientation = DMORIENT_LANDSCAPE;
  AsDevMode(preferred)->dmCopies = 3;
  ASSERT_EQ(printer_.Properties(nullptr, AsDevMode(preferred), DM_IN_BUFFER | DM_UPDATE), IDOK);
  EXPECT_EQ(qxtest::ReadUserValue(kModelBase, L"TSF", L"Default DevMode"), preferred);

  // ...and another, in a process of its own, starts from them, as does a sheet, where the
  // user's choices become the default when the program asks for that.
  const std::wstring file = qxtest::FreshFolder(L"QXSET") + L"\\settings";
  ASSERT_EQ(RunProgram(L"qxtest_settings.exe", L"\"QX Office 5000\" \"" + file + L"\""), 0);
  const std::string there = qxtest::ReadTextFile(file);
  EXPECT_EQ(std::vector<uint8_t>(there.begin(), there.end()), preferred);
  std::vector<uint8_t> chosen(kRecordBytes);
  bool landscapeShown = false;
  ASSERT_TRUE(Printer().Prompt(chosen, nullptr, [&](HWND sheet) {
    landscapeShown = IsDlgButtonChecked(CurrentPage(sheet), IDC_LANDSCAPE) == BST_CHECKED;
    ChooseOnSheet(sheet);
  }, IDOK, DM_UPDATE).second);
  EXPECT_TRUE(landscapeShown);
  EXPECT_NE(chosen, preferred);
  EXPECT_EQ(qxtest::ReadUserValue(kModelBase, L"TSF", L"Default DevMode"), chosen);

  // A user who may not change the settings sees them on pages with every control disabled;
  // whatever reaches them, OK keeps the program's settings, and an update keeps the default.
  std::vector<uint8_t> out(kRecordBytes);
  bool editable = true;
  ASSERT_TRUE(printer_.Prompt(out, &chosen, [&](HWND sheet) {
    editable = IsWindowEnabled(GetDlgItem(CurrentPage(sheet), IDC_LANDSCAPE));
    ChooseOnSheet(sheet);
  }, IDOK, DM_UPDATE | qxdrv::kModeNoPermission).second);
  EXPECT_FALSE(editable);
  EXPECT_EQ(out, chosen);
  AsDevMode(out)->dmOrientation = DMORIENT_PORTRAIT;
  printer_.Properties(nullptr, AsDevMode(out), DM_IN_BUFFER | DM_UPDATE | qxdrv::kModeNoPermission);
  EXPECT_EQ(qxtest::ReadUserValue(kModelBase, L"TSF", L"Default DevMode"), chosen);
}

TEST_F(PrintingSystemTest, DeviceModesOfAnyShapeFromAProgramGiveOurRecord) {
  std::vector<uint8_t> printerRecord = printer_.Settings();
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
    DEVMODEW* in;
    short orientation, copies;
  } shapes[] = {
      {"another driver's", AsDevMode(foreign), DMORIENT_LANDSCAPE, 3},
      {"shorter", AsDevMode(shorter), DMORIENT_LANDSCAPE, printer.dmCopies},
      {"too short", &tiny, printer.dmOrientation, printer.dmCopies},
      {"cut short", cut, printer.dmOrientation, 4},
  };
  for (const auto& shape : shapes) {
    SCOPED_TRACE(shape.what);
    std::vector<uint8_t> out(kRecordBytes, 0xEE);
    EXPECT_EQ(printer_.Properties(AsDevMode(out), shape.in, DM_IN_BUFFER | DM_OUT_BUFFER), IDOK);
    const DEVMODEW& got = *AsDevMode(out);
    ExpectOurHeader(got);
    EXPECT_EQ(got.dmOrientation, shape.orientation);
    EXPECT_EQ(got.dmCopies, shape.copies);
    EXPECT_STREQ(got.dmFormName, printer.dmFormName);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + sizeof(DEVMODEW), out.end()), std::vector<uint8_t>(kRecordBytes - sizeof(DEVMODEW), 0));
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
  std::vector<uint8_t> chosen(kRecordBytes);
  LRESULT papers = 0;
  const auto opened = Printer(name).Prompt(chosen, nullptr, [&](HWND sheet) {
    PropSheet_SetCurSel(sheet, nullptr, 1);
    papers = SendDlgItemMessageW(CurrentPage(sheet), IDC_PAPER_SIZE, CB_GETCOUNT, 0, 0);
    ChooseOnSheet(sheet);
  }, IDOK);
  EXPECT_EQ(opened.first, IDOK);
  ASSERT_TRUE(opened.second);
  EXPECT_EQ(papers, 10);
  EXPECT_EQ(std::wstring(AsDevMode(chosen)->dmDeviceName), name.substr(0, CCHDEVICENAME - 1));
  ExpectEveryChoiceIn(PrintedJob(chosen, name.c_str()));
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
  for (const auto& package : packages) {
    SCOPED_TRACE(package.what);
    ASSERT_EQ(InstallPrinter(name, package.files), 0);
    if (package.error == ERROR_MOD_NOT_FOUND) DeleteFileW(qxhost::InstalledDriverFile(L"QXBRKU.DLL").c_str());
    Printer broken(name);
    std::vector<uint8_t> out(kRecordBytes);
    const auto opened = broken.Prompt(out, nullptr, [](HWND) {}, IDCANCEL);
    EXPECT_LT(opened.first, 0);
    EXPECT_EQ(GetLastError(), package.error);
    EXPECT_FALSE(opened.second);
    // The program goes on: settings without a sheet need no plug-in.
    EXPECT_EQ(broken.Properties(AsDevMode(out), nullptr, DM_OUT_BUFFER), IDOK);
  }
  EXPECT_EQ(RemovePrinter(name), 0);
}

// What Windows calls in the configuration module without winspool's help in Wine: the printer's
// own sheet through the common property sheet, settings for a name cut short, and device-mode
// conversion.
TEST_F(PrintingSystemTest, ThePrinterSheetAndConversionsCallTheModuleDirectly) {
  const HMODULE module = LoadLibraryW(qxhost::InstalledDriverFile(L"QXDRVUI.DLL").c_str());
  const HMODULE common = LoadLibraryW(L"compstui.dll");
  ASSERT_NE(module, nullptr);
  ASSERT_NE(common, nullptr);
  using SheetsFn = qxdrv::DocumentPropertySheetsFn;
  using CommonSheetFn = LONG(WINAPI*)(HWND, SheetsFn, LPARAM, DWORD*);
  using ConvertFn = BOOL(WINAPI*)(LPWSTR, DEVMODEW*, DEVMODEW*, LONG*, DWORD);
  const auto function = [&](HMODULE from, const char* name) { return reinterpret_cast<void*>(GetProcAddress(from, name)); };
  const auto deviceSheets = reinterpret_cast<SheetsFn>(function(module, "DrvDevicePropertySheets"));
  const auto documentSheets = reinterpret_cast<SheetsFn>(function(module, "DrvDocumentPropertySheets"));
  const auto commonSheet = reinterpret_cast<CommonSheetFn>(function(common, "CommonPropertySheetUIW"));
  const auto convert = reinterpret_cast<ConvertFn>(function(module, "DrvConvertDevMode"));
  ASSERT_TRUE(deviceSheets != nullptr && documentSheets != nullptr && commonSheet != nullptr && convert != nullptr);

  // The printer's properties, for a user who may not change the printer: Printer,
  // Maintenance, Troubleshooting and About, under the printer's name, with nothing to change.
  std::wstring name = kPrinter;
  qxdrv::DevicePropertyHeader device = {sizeof device, qxdrv::kDeviceNoPermission, nullptr, &name[0]};
  std::vector<std::wstring> tabs;
  wchar_t caption[128] = {};
  bool editable = true;
  {
    qxtest::ModalDriver user(qxhost::kSheetApplyButton, [&](HWND sheet) {
      tabs = qxhost::TabCaptions(sheet);
      GetWindowTextW(sheet, caption, 128);
      editable = IsWindowEnabled(GetDlgItem(CurrentPage(sheet), IDC_DUPLEX_UNIT));
    }, IDCANCEL);
    EXPECT_GT(commonSheet(nullptr, deviceSheets, reinterpret_cast<LPARAM>(&device), nullptr), 0);
    ASSERT_TRUE(user.opened());
  }
  EXPECT_EQ(tabs, (std::vector<std::wstring>{L"Printer", L"Printer", L"Troubleshooting", L"About"}));
  EXPECT_STREQ(caption, L"QX Office 5000 Properties");
  EXPECT_FALSE(editable);

  // A caller naming the printer by a record's device name, which may be cut short, gets its settings.
  const std::vector<uint8_t> printerRecord = printer_.Settings();
  std::vector<uint8_t> settings(kRecordBytes);
  std::wstring cutName = name.substr(0, 9);
  qxdrv::DocumentPropertyHeader document = {
      sizeof document, 0, printer_.Handle(), &cutName[0], nullptr, AsDevMode(settings), kRecordBytes, DM_OUT_BUFFER};
  EXPECT_EQ(documentSheets(nullptr, reinterpret_cast<LPARAM>(&document)), IDOK);
  EXPECT_EQ(settings, printerRecord);

  // Conversion: the size first, then the driver's default, and a foreign device mode's choices on it.
  std::vector<uint8_t> converted(kRecordBytes);
  LONG needed = 0;
  EXPECT_FALSE(convert(&name[0], nullptr, AsDevMode(converted), &needed, qxdrv::kDriverDefault));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(needed, static_cast<LONG>(kRecordBytes));
  ASSERT_TRUE(convert(&name[0], nullptr, AsDevMode(converted), &needed, qxdrv::kDriverDefault));
  EXPECT_EQ(converted, printerRecord);
  DEVMODEW foreign = {};
  foreign.dmSize = sizeof foreign;
  foreign.dmFields = DM_ORIENTATION;
  foreign.dmOrientation = DMORIENT_LANDSCAPE;
  ASSERT_TRUE(convert(&name[0], &foreign, AsDevMode(converted), &needed, qxdrv::kConvertToCurrent));
  EXPECT_EQ(AsDevMode(converted)->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(AsDevMode(converted)->dmDriverExtra, kRecordBytes - sizeof(DEVMODEW));
  FreeLibrary(common);
  FreeLibrary(module);
}

// A capability's elements of size bytes, as programs ask for them: the count first.
template <typename T = uint8_t>
std::vector<T> CapabilityOf(const wchar_t* printer, WORD capability, size_t size = sizeof(T)) {
  const int count = DeviceCapabilitiesW(printer, L"", capability, nullptr, nullptr);
  std::vector<T> out(count > 0 ? count * size / sizeof(T) : 0);
  if (!out.empty()) DeviceCapabilitiesW(printer, L"", capability, reinterpret_cast<wchar_t*>(out.data()), nullptr);
  return out;
}

TEST_F(PrintingSystemTest, DeviceCapabilitiesAnswerTheModelsPapersAndOurRecordsShape) {
  // The office model's PPD: ten papers, A4 among them at 210 x 297 mm...
  const std::vector<WORD> papers = CapabilityOf<WORD>(kPrinter, DC_PAPERS);
  ASSERT_EQ(papers.size(), 10u);
  const size_t a4 = std::find(papers.begin(), papers.end(), DMPAPER_A4) - papers.begin();
  ASSERT_LT(a4, papers.size());
  EXPECT_STREQ(&CapabilityOf<wchar_t>(kPrinter, DC_PAPERNAMES, 128)[a4 * 64], L"A4");
  EXPECT_EQ(CapabilityOf<POINT>(kPrinter, DC_PAPERSIZE)[a4].x, 2100);
  EXPECT_EQ(CapabilityOf<POINT>(kPrinter, DC_PAPERSIZE)[a4].y, 2970);
  // ...and its six input slots, behind the choice Wine's PostScript driver puts first.
  const std::vector<wchar_t> bins = CapabilityOf<wchar_t>(kPrinter, DC_BINNAMES, 48);
  std::vector<std::wstring> binNames;
  for (size_t at = 0; at < bins.size(); at += 24) binNames.emplace_back(&bins[at], wcsnlen(&bins[at], 24));
  EXPECT_EQ(binNames, (std::vector<std::wstring>{L"Automatically Select", L"Auto Select", L"Tray 1", L"Tray 2", L"Tray 3",
                                                  L"Manual Feed", L"Envelope Feeder"}));

  // All of it as the test printer on the CUPS queue has it, which Wine describes from the same PPD.
  const std::pair<WORD, size_t> kinds[] = {{DC_PAPERS, 2}, {DC_PAPERNAMES, 128}, {DC_PAPERSIZE, 8}, {DC_BINS, 2}, {DC_BINNAMES, 48}};
  for (const auto& kind : kinds)
    EXPECT_EQ(CapabilityOf(kPrinter, kind.first, kind.second), CapabilityOf(L"QX_Office", kind.first, kind.second))
        << kind.first;

  // The record's shape is ours, not the renderer's.
  EXPECT_EQ(DeviceCapabilitiesW(kPrinter, L"", DC_SIZE, nullptr, nullptr), static_cast<int>(sizeof(DEVMODEW)));
  EXPECT_EQ(DeviceCapabilitiesW(kPrinter, L"", DC_EXTRA, nullptr, nullptr), static_cast<int>(kRecordBytes - sizeof(DEVMODEW)));
}

}  // namespace
