// Benchmarks run under Wine, printed as a table. Measures what a user feels: how long the
// module's work takes against the platform doing the same job.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "config/profile_file.h"
#include "config/profile_storage_win.h"
#include "host/driver_ui_app.h"
#include "host/exports.h"
#include "host/page_catalogue.h"
#include "host/settings_page.h"
#include "host_sheet.h"
#include "module_package.h"
#include "platform/win_text.h"
#include "resources/resource.h"

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Body>
double MedianSeconds(int rounds, Body body) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const double start = Now();
    body();
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

struct Key {
  std::wstring section, name;
};

// A text file like a real one: a dozen page sections, each with its controls, tooltips and
// topics; about 300 of its keys are what one page's worth of opening reads.
std::vector<Key> WriteTextFile(const std::wstring& path) {
  std::wstring text;
  std::vector<Key> keys;
  for (int s = 0; s < 12; ++s) {
    const std::wstring section = L"Page" + std::to_wstring(s) + L" Dialog";
    text += L"[" + section + L"]\r\n";
    for (int k = 0; k < 75; ++k) {
      const std::wstring name = L"Control text number " + std::to_wstring(k);
      text += name + L"=Translated control text " + std::to_wstring(k) + L"\r\n";
      text += name + L" tooltip=What this control does, in a sentence or two.\r\n";
      text += name + L" topic=\r\n";
      if (k < 25) keys.push_back({section, name});
    }
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const wchar_t bom = 0xFEFF;
  WriteFile(file, &bom, 2, &written, nullptr);
  WriteFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &written, nullptr);
  CloseHandle(file);
  return keys;
}

}  // namespace


// The floor a sheet cannot beat: the same containers holding the same templates, made by a
// dialog procedure that does nothing.
INT_PTR CALLBACK BareProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

BOOL WINAPI BareDialogProc(HWND hwnd, UINT message, WPARAM, LPARAM, int32_t pageId) {
  if (message != WM_INITDIALOG) return FALSE;
  qxge::PageEntry entry;
  if (!qxge::LookupPage(pageId, qxge::App().Features(), entry)) return FALSE;
  const HWND page = CreateDialogParamW(qxge::AppModule(), MAKEINTRESOURCEW(entry.templateId), hwnd, BareProc, 0);
  if (page != nullptr) ShowWindow(page, SW_SHOW);
  return TRUE;
}

// Opens the sheet and visits every page, as a user who looks at each tab once.
double OpenEveryPage(qxhost::ModulePackage& module, const std::vector<int32_t>& pages, std::vector<uint8_t>& record) {
  const double start = Now();
  qxhost::HostSheet sheet(module, {L"QX_Office", pages, 0}, record.data());
  const HWND window = sheet.Create(nullptr);
  for (size_t i = 0; window != nullptr && i < pages.size(); ++i) {
    PropSheet_SetCurSel(window, nullptr, static_cast<int>(i));
    sheet.Pump();
  }
  const double elapsed = Now() - start;
  sheet.Close();
  return elapsed;
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: qxbench PACKAGE-MODULE (for example packages\\office\\QX5000U.DLL)\n");
    return 2;
  }
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"qxbench.DAT";
  const std::vector<Key> keys = WriteTextFile(path);

  wchar_t buffer[256];
  const double platform = MedianSeconds(15, [&] {
    for (const Key& k : keys) GetPrivateProfileStringW(k.section.c_str(), k.name.c_str(), L"", buffer, 256, path.c_str());
  });

  qxge::Win32ProfileStorage storage;
  qxge::ProfileFile file(storage);
  file.SetFile(platform::U(path), false);
  const double ours = MedianSeconds(15, [&] {
    std::wstring section;
    for (const Key& k : keys) {
      if (k.section != section) file.SetSection(platform::U(section = k.section));
      file.ReadString(platform::U(k.name), platform::U(buffer), 256, nullptr);
    }
  });

  DeleteFileW(path.c_str());

  // The sheet runs in this process on the module's code; the package supplies its files and
  // templates, as it does for the module itself.
  const HMODULE package = LoadLibraryW(argv[1]);
  if (package == nullptr) {
    std::fprintf(stderr, "qxbench: cannot load %ls\n", argv[1]);
    return 1;
  }
  qxge::SetAppModule(package);
  InitCommonControls();
  qxhost::ModulePackage module;
  module.PageInfo = QXGE_PageInfo;
  module.DialogProc = QXGE_DialogProc;
  module.Page0CallBack = QXGE_Page0CallBack;
  module.GetText = QXGE_GetText;
  module.SaveDefDevMode = QXGE_SaveDefDevMode;
  qxhost::ModulePackage bare;
  bare.PageInfo = QXGE_PageInfo;
  bare.DialogProc = BareDialogProc;
  bare.Page0CallBack = QXGE_Page0CallBack;

  const std::vector<int32_t> pages = {0, 1, 2, 3, 4, 5};
  std::vector<uint8_t> record = qxhost::DefaultRecord(L"QX_Office");
  OpenEveryPage(module, pages, record);  // the first sheet of a process also reads the labels
  const size_t readsBefore = qxge::App().TextFile().Reads();
  OpenEveryPage(module, pages, record);
  const size_t reads = qxge::App().TextFile().Reads() - readsBefore;
  const double sheetOpen = MedianSeconds(15, [&] { OpenEveryPage(module, pages, record); });
  const double floor = MedianSeconds(15, [&] { OpenEveryPage(bare, pages, record); });

  // One change through the change hook (store, compare, mark the sheet, reselect the
  // favorite), as a control handler makes it; and a click on the units, which changes the
  // layout and so refills the whole page, against the same click on a bare template.
  double change = 0, orientationClick = 0;
  const auto clickTime = [&](qxhost::ModulePackage& host, bool hook) {
    qxhost::HostSheet sheet(host, {L"QX_Office", {0}, 0}, record.data());
    const HWND window = sheet.Create(nullptr);
    sheet.Pump();
    if (hook) {
      auto* page = static_cast<qxge::SettingsPage*>(sheet.Table().slots[0]);
      qxge::DriverDevMode* working = page->WorkingRecord();
      // Between two choices that both differ from every favorite, as most changes do.
      int16_t toner = 1;
      change = MedianSeconds(201, [&] {
        working->dmPrivate.iTonerSave = toner ^= 3;
        page->OnSettingChanged();
      });
    }
    const HWND page = GetWindow(PropSheet_GetCurrentPageHwnd(window), GW_CHILD);
    int click = 0;
    if (hook) {
      // A Layout choice that is not a layout change: store, compare, mark, pictures, and the
      // preview repainted.
      const HWND preview = GetDlgItem(page, IDC_PREVIEW);
      orientationClick = MedianSeconds(201, [&] {
        SendDlgItemMessageW(page, (click++ % 2) != 0 ? IDC_PORTRAIT : IDC_LANDSCAPE, BM_CLICK, 0, 0);
        UpdateWindow(preview);
      });
    }
    const double median = MedianSeconds(201, [&] {
      SendDlgItemMessageW(page, (click++ % 2) != 0 ? IDC_UNITS_MM : IDC_UNITS_INCH, BM_CLICK, 0, 0);
    });
    sheet.Close();
    return median;
  };
  // The preview: a full paint of a 16-up sheet, and a change that moves it between two grids
  // (the record handed over and the sheet drawn again), as a user's choice does.
  double previewPaint = 0, previewChange = 0;
  {
    qxhost::HostSheet sheet(module, {L"QX_Office", {0}, 0}, record.data());
    const HWND window = sheet.Create(nullptr);
    sheet.Pump();
    auto* page = static_cast<qxge::SettingsPage*>(sheet.Table().slots[0]);
    qxge::DriverDevMode* working = page->WorkingRecord();
    const HWND preview = GetDlgItem(GetWindow(PropSheet_GetCurrentPageHwnd(window), GW_CHILD), IDC_PREVIEW);
    working->dmPrivate.iNup = 5;
    page->OnSettingChanged();
    UpdateWindow(preview);
    previewPaint = MedianSeconds(201, [&] {
      InvalidateRect(preview, nullptr, TRUE);
      UpdateWindow(preview);
    });
    int16_t nup = 5;
    previewChange = MedianSeconds(201, [&] {
      working->dmPrivate.iNup = nup = static_cast<int16_t>(nup == 5 ? 2 : 5);
      page->OnSettingChanged();
      UpdateWindow(preview);
    });
    sheet.Close();
  }
  const double unitsClick = clickTime(module, true);
  const double bareClick = clickTime(bare, false);

  std::printf("%-52s %12s\n", "measure (median)", "value");
  std::printf("%-52s %9.3f ms\n", "300 text-file reads, GetPrivateProfileStringW", platform * 1e3);
  std::printf("%-52s %9.3f ms\n", "300 text-file reads, ProfileFile", ours * 1e3);
  std::printf("%-52s %9.3f ms\n", "sheet of 6 pages, every page shown (module)", sheetOpen * 1e3);
  std::printf("%-52s %9.3f ms\n", "sheet of 6 pages, every page shown (bare templates)", floor * 1e3);
  std::printf("%-52s %9.2f x\n", "module against bare templates", sheetOpen / floor);
  std::printf("%-52s %9.3f ms\n", "one change through the change hook", change * 1e3);
  std::printf("%-52s %9.3f ms\n", "a click on the orientation, preview repainted", orientationClick * 1e3);
  std::printf("%-52s %9.3f ms\n", "a click on the units (the page refills)", unitsClick * 1e3);
  std::printf("%-52s %9.3f ms\n", "the same click on a bare template", bareClick * 1e3);
  std::printf("%-52s %9zu\n", "text-file reads per sheet opened", reads);
  std::printf("%-52s %9.3f ms\n", "preview paint, 16 pages per sheet", previewPaint * 1e3);
  std::printf("%-52s %9.3f ms\n", "preview change (update and repaint)", previewChange * 1e3);
  return 0;
}
