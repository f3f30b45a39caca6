// qxhost: plays the driver's property-sheet module. Loads a model package's plug-in, shows
// its sheet and reports what the sheet did to the job settings.
#include <windows.h>
#include <commctrl.h>
#include <winspool.h>
#include <objidl.h>  // GDI+ needs the COM types that the lean headers leave out
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sheethost/host_sheet.h"
#include "sheethost/modal_sheet.h"
#include "sheethost/module_package.h"

namespace {

struct Options {
  std::wstring dll;
  std::wstring printer = L"QX_Office";
  std::vector<int32_t> pages = qxhost::kPreferencePages;
  uint32_t flags = 0;
  std::wstring recordFile;
  std::wstring snapshotDir;
  bool printingSystem = false;
  bool dialogs = false;
};

const wchar_t kUsage[] =
    L"usage: qxhost --dll PATH [--printer NAME] [--pages 0,1,2] [--read-only] [--no-marking]\n"
    L"              [--no-refresh] [--record FILE] [--snapshot DIR [--dialogs]]\n"
    L"       qxhost --printing-system [--printer NAME] [--snapshot DIR]\n"
    L"  --dll PATH       the model package's plug-in, for example packages\\office\\QX5000U.DLL\n"
    L"  --printer NAME   the printer the sheet is for (default QX_Office)\n"
    L"  --pages LIST     page numbers to show, in order (default 0,1,2,3,4,5)\n"
    L"  --read-only      a sheet whose controls are all disabled\n"
    L"  --no-marking     the module never marks the sheet changed or unchanged\n"
    L"  --no-refresh     no file refresh when the sheet closes\n"
    L"  --record FILE    job settings (4075 bytes) to start from; saved back after an apply\n"
    L"  --snapshot DIR   show each page in turn, save page-N.png in DIR, then cancel\n"
    L"  --dialogs        with --snapshot, also open each dialog a page offers and save it as\n"
    L"                   page-N-M.png\n"
    L"  --printing-system  the printer's preferences as a program opens them, through the\n"
    L"                   printing system and the printer's driver (scripts/install-driver.sh)\n";

bool ParseOptions(int argc, wchar_t** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--dll" && hasValue) o.dll = argv[++i];
    else if (arg == L"--printer" && hasValue) o.printer = argv[++i];
    else if (arg == L"--record" && hasValue) o.recordFile = argv[++i];
    else if (arg == L"--snapshot" && hasValue) o.snapshotDir = argv[++i];
    else if (arg == L"--printing-system") o.printingSystem = true;
    else if (arg == L"--dialogs") o.dialogs = true;
    else if (arg == L"--read-only") o.flags |= qxge::kSheetReadOnly;
    else if (arg == L"--no-marking") o.flags |= qxge::kSheetNeverMark;
    else if (arg == L"--no-refresh") o.flags = (o.flags & ~qxge::kSheetNoRefreshMask) | 1u;
    else if (arg == L"--pages" && hasValue) {
      o.pages.clear();
      for (const wchar_t* p = argv[++i]; *p != L'\0';) {
        wchar_t* end = nullptr;
        const long id = std::wcstol(p, &end, 10);
        if (end == p) return false;
        o.pages.push_back(static_cast<int32_t>(id));
        p = *end == L',' ? end + 1 : end;
      }
    } else {
      return false;
    }
  }
  return o.printingSystem || !o.dll.empty();
}

bool ReadRecord(const std::wstring& path, std::vector<uint8_t>& record) {
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in) return false;
  std::vector<uint8_t> bytes(qxge::kDriverDevModeBytes + 1);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.gcount() != static_cast<std::streamsize>(qxge::kDriverDevModeBytes)) return false;
  bytes.pop_back();
  record = bytes;
  return true;
}

bool WriteRecord(const std::wstring& path, const std::vector<uint8_t>& record) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(record.data()), static_cast<std::streamsize>(record.size()));
  return static_cast<bool>(out);
}

void ReportChanges(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after) {
  size_t runs = 0;
  for (size_t i = 0; i < before.size();) {
    if (before[i] == after[i]) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < before.size() && before[end] != after[end]) ++end;
    std::wprintf(L"  bytes %zu..%zu changed\n", i, end - 1);
    ++runs;
    i = end;
  }
  if (runs == 0) std::wprintf(L"  record unchanged\n");
}

// Copies the sheet as it is drawn, frame and children included, and saves it as a PNG. The
// window's own DC reads the window's pixels wherever it is, even without a window manager.
bool SaveWindowPng(HWND window, const std::wstring& path) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC source = GetWindowDC(window);
  // A mirrored window's DC would flip the copy; the picture is of the pixels as shown.
  SetLayout(source, 0);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, source, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(window, source);

  static const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
  Gdiplus::GpBitmap* image = nullptr;
  bool saved = Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) == Gdiplus::Ok &&
               Gdiplus::DllExports::GdipSaveImageToFile(image, path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
  if (image != nullptr) Gdiplus::DllExports::GdipDisposeImage(image);
  DeleteObject(bitmap);
  return saved;
}

// Shows each page of a sheet in turn and saves it as page-N.png in dir, and with dialogs each
// dialog the page opens as page-N-M.png; settle lets the page draw itself. Returns the number
// of pictures that could not be saved.
int SavePages(HWND window, const std::wstring& dir, const std::function<void()>& settle, bool dialogs = false) {
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input = {};
  input.GdiplusVersion = 1;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  // The folder of the pictures may be new; one that exists already is fine too.
  CreateDirectoryW(dir.c_str(), nullptr);
  int failures = 0;
  const auto save = [&](HWND shown, const std::wstring& name, const std::wstring& caption) {
    const std::wstring path = dir + L"\\" + name + L".png";
    if (SaveWindowPng(shown, path)) {
      std::wprintf(L"saved %ls (%ls)\n", path.c_str(), caption.c_str());
    } else {
      std::fwprintf(stderr, L"qxhost: cannot save %ls\n", path.c_str());
      ++failures;
    }
  };
  qxhost::ShowEachPage(window, settle, [&](size_t i, const std::wstring& caption) {
    const std::wstring name = L"page-" + std::to_wstring(i);
    save(window, name, caption);
    if (!dialogs) return;
    const HWND page = FindWindowExW(PropSheet_GetCurrentPageHwnd(window), nullptr, WC_DIALOG, nullptr);
    if (page == nullptr) return;
    int opened = 0;
    const auto textOf = [](HWND control) {
      wchar_t text[256] = {};
      GetWindowTextW(control, text, 256);
      return std::wstring(text);
    };
    qxhost::OpenEachDialog(page, textOf, [&](HWND dialog) {
      save(dialog, name + L"-" + std::to_wstring(++opened), caption + L": " + textOf(dialog));
    });
  });
  Gdiplus::GdiplusShutdown(token);
  return failures;
}

int Snapshot(qxhost::HostSheet& sheet, const std::wstring& dir, bool dialogs) {
  HWND window = sheet.Create(nullptr);
  if (window == nullptr) {
    std::fwprintf(stderr, L"qxhost: the sheet has no pages\n");
    return 1;
  }
  const int failures = SavePages(
      window, dir, [&] { for (int i = 0; i < 10 && sheet.Pump(); ++i) Sleep(30); }, dialogs);
  sheet.Close();
  return failures;
}

int PrintingSystemSheet(const Options& options) {
  std::wstring name = options.printer;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(&name[0], &printer, nullptr)) {
    std::fwprintf(stderr, L"qxhost: no printer %ls (error %lu)\n", name.c_str(), GetLastError());
    return 1;
  }
  const LONG size = DocumentPropertiesW(nullptr, printer, &name[0], nullptr, nullptr, 0);
  std::vector<uint8_t> before(size > 0 ? static_cast<size_t>(size) : 0), after(before.size());
  auto* in = reinterpret_cast<DEVMODEW*>(before.data());
  auto* out = reinterpret_cast<DEVMODEW*>(after.data());
  int status = 0;
  if (size <= 0 || DocumentPropertiesW(nullptr, printer, &name[0], in, nullptr, DM_OUT_BUFFER) != IDOK) {
    std::fwprintf(stderr, L"qxhost: the printer's driver gives no settings for %ls\n", name.c_str());
    status = 1;
  } else {
    // The sheet is modal inside the call: its pages are saved from its own loop, then it is
    // cancelled.
    int failures = 0;
    std::unique_ptr<qxhost::ModalHook> snapshot;
    if (!options.snapshotDir.empty()) {
      snapshot = std::make_unique<qxhost::ModalHook>(qxhost::kSheetApplyButton, [&](HWND sheet) {
        failures = SavePages(sheet, options.snapshotDir, [] {
          for (int i = 0; i < 10; ++i, Sleep(30)) qxhost::SettleSheet();
        });
        PostMessageW(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
      });
    }
    const LONG result = DocumentPropertiesW(nullptr, printer, &name[0], out, in, DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
    if (snapshot != nullptr && (!snapshot->Seen() || failures != 0)) status = 1;
    snapshot.reset();
    std::wprintf(L"preferences of %ls: DocumentPropertiesW gave %ld\n", name.c_str(), result);
    if (result < 0) status = 1;
    ReportChanges(before, after);
  }
  ClosePrinter(printer);
  return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fwprintf(stderr, L"%ls", kUsage);
    return 2;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (options.printingSystem) return PrintingSystemSheet(options);

  qxhost::ModulePackage module;
  if (!module.Load(options.dll)) {
    std::fwprintf(stderr, L"qxhost: %ls\n", module.Error().c_str());
    return 1;
  }

  std::vector<uint8_t> record;
  if (options.recordFile.empty() || !ReadRecord(options.recordFile, record))
    record = qxhost::DefaultRecord(options.printer);
  const std::vector<uint8_t> before = record;

  int status = 0;
  {
    qxhost::HostSheet sheet(module, {options.printer, options.pages, options.flags}, record.data());
    if (!options.snapshotDir.empty())
      status = Snapshot(sheet, options.snapshotDir, options.dialogs);
    else
      sheet.RunModal(nullptr);

    const qxge::SheetContext& ctx = sheet.Context();
    std::wprintf(L"sheet \"%ls\": %ls\n", sheet.Caption().c_str(),
                 ctx.applied ? (ctx.cancelled ? L"applied, then cancelled" : L"applied")
                             : (ctx.cancelled ? L"cancelled" : L"closed without apply or cancel"));
  }
  ReportChanges(before, record);
  if (!options.recordFile.empty() && record != before && !WriteRecord(options.recordFile, record)) {
    std::fwprintf(stderr, L"qxhost: cannot write %ls\n", options.recordFile.c_str());
    status = 1;
  }
  return status;
}
