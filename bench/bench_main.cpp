// Benchmarks run under Wine, printed as a table. Measures what a user feels: how long the
// module's work takes against the platform doing the same job.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/driver_ui_app.h"
#include "collections/overlays.h"
#include "collections/user_registry.h"
#include "collections/watermarks.h"
#include "config/profile_file.h"
#include "config/profile_storage_win.h"
#include "host/exports.h"
#include "host/file_refresh.h"
#include "host/page_catalogue.h"
#include "pagebase/settings_page.h"
#include "sheethost/host_sheet.h"
#include "sheethost/modal_sheet.h"
#include "sheethost/module_package.h"
#include "pages/layout_page.h"
#include "preview/color_sample_preview.h"
#include "preview/photo_preview.h"
#include "platform/combo_box.h"
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

// prepare runs before each round, outside the time.
template <typename Prepare, typename Body>
double MedianSeconds(int rounds, Prepare prepare, Body body) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    prepare();
    const double start = Now();
    body();
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

template <typename Body>
double MedianSeconds(int rounds, Body body) {
  return MedianSeconds(rounds, [] {}, body);
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

// The given package's files copied under another model name (base), into a folder of the
// same name. Returns the module's path, empty on failure.
std::wstring StageModel(const std::wstring& module, const std::wstring& base) {
  const size_t slash = module.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  const std::wstring from = module.substr(0, slash + 1);
  const std::wstring oldName = module.substr(slash + 1, module.size() - slash - 1 - 5);  // without "U.DLL"
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring to = std::wstring(temp) + L"qxbench-" + base + L"\\";
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((from + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  do {
    std::wstring name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    if (name.compare(0, oldName.size(), oldName) == 0) name = base + name.substr(oldName.size());
    CopyFileW((from + found.cFileName).c_str(), (to + name).c_str(), FALSE);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return to + base + L"U.DLL";
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// A new model: an empty text file that fills itself, so every control gets a placeholder tip.
std::wstring StageNewModel(const std::wstring& module) {
  const std::wstring dll = StageModel(module, L"QXBN");
  const std::wstring dir = dll.substr(0, dll.size() - 9);
  WriteFileBytes(dir + L"QXBNEN.DAT", "");
  WritePrivateProfileStringW(L"Common", L"ShowDevmodeChanges", L"1", (dir + L"QXBNU.INI").c_str());
  return dll;
}

// The worst a damaged installation leaves: a model file of endless lines, a stored default of
// the wrong size, and counts of favorites and paper sizes of two thousand million.
std::wstring StageDamagedModel(const std::wstring& module) {
  const std::wstring dll = StageModel(module, L"QXBW");
  const std::wstring dir = dll.substr(0, dll.size() - 9);
  std::string lines = "[Common]\r\nDoubleSidedPapers=";
  for (int i = 0; i < 50000; ++i) lines += "9;";
  lines += "\r\nCaption=" + std::string(100000, 'x') + "\r\n" + std::string(100000, '=') + "\r\n";
  WriteFileBytes(dir + L"QXBWU.INI", lines);
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\QXPrint\\QXBW\\TSF\\Device Modes", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key, L"DMNum", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"2147483647"), 22);
    RegCloseKey(key);
  }
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\QXPrint\\QXBW\\TSF\\Custom Paper Data", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key, L"CPNum", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"2147483647"), 22);
    RegCloseKey(key);
  }
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\QXPrint\\QXBW\\TSF", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    const std::string junk(65536, '\x5A');
    RegSetValueExW(key, L"Default DevMode", 0, REG_BINARY, reinterpret_cast<const BYTE*>(junk.data()), 65536);
    RegCloseKey(key);
  }
  return dll;
}

// A modal dialog that does nothing but close on Cancel.
INT_PTR CALLBACK BareModalProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
  return message == WM_INITDIALOG || message == WM_COMMAND;
}

// Cancels the Print and Hold dialog as soon as it is shown.
LRESULT CALLBACK CancelHoldDialog(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && GetDlgItem(reinterpret_cast<HWND>(wParam), IDC_HOLD_MODE) != nullptr)
    PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDCANCEL, 0);
  return CallNextHookEx(nullptr, code, wParam, lParam);
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
double OpenEveryPage(qxhost::ModulePackage& module, const std::vector<int32_t>& pages, std::vector<uint8_t>& record,
                     const std::wstring& printer = L"QX_Office") {
  const double start = Now();
  qxhost::HostSheet sheet(module, {printer, pages, 0}, record.data());
  const HWND window = sheet.Create(nullptr);
  for (size_t i = 0; window != nullptr && i < pages.size(); ++i) {
    PropSheet_SetCurSel(window, nullptr, static_cast<int>(i));
    sheet.Pump();
  }
  const double elapsed = Now() - start;
  sheet.Close();
  return elapsed;
}

// The printer's preferences as a program opens them, through the printing system and the
// printer's driver: every page shown, then cancelled. 0 when the printer is not installed.
double PrintingSystemOpen(const std::wstring& printerName) {
  std::wstring name = printerName;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(&name[0], &printer, nullptr)) return 0;
  const LONG size = DocumentPropertiesW(nullptr, printer, &name[0], nullptr, nullptr, 0);
  std::vector<uint8_t> out(size > 0 ? static_cast<size_t>(size) : 0);
  double elapsed = 0;
  if (!out.empty()) {
    qxhost::ModalHook visit(qxhost::kSheetApplyButton, [](HWND sheet) {
      for (int i = 0; i < TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet)); ++i) {
        PropSheet_SetCurSel(sheet, nullptr, i);
        qxhost::SettleSheet();
      }
      PostMessageW(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
    });
    const double start = Now();
    DocumentPropertiesW(nullptr, printer, &name[0], reinterpret_cast<DEVMODEW*>(out.data()), nullptr,
                        DM_IN_PROMPT | DM_OUT_BUFFER);
    elapsed = visit.Seen() ? Now() - start : 0;
  }
  ClosePrinter(printer);
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
  // The About family: each page loads and lays out its pictures from the package's files.
  const std::vector<int32_t> aboutPages = {5, 10, 11, 13, 14, 15};
  const double aboutOpen = MedianSeconds(15, [&] { OpenEveryPage(module, aboutPages, record); });
  const double aboutFloor = MedianSeconds(15, [&] { OpenEveryPage(bare, aboutPages, record); });

  // One change through the change hook (store, compare, mark the sheet, reselect the
  // favorite), as a control handler makes it. Two clicks, each also on a bare template, whose
  // do-nothing dialog procedure leaves Wine's part: one on the orientation (store, compare,
  // mark, pictures, the preview repainted), and one on the units, which changes the layout and
  // so refills the whole page. The orientation click once more as the page receives it, the
  // radios already set: the module's own share of the click.
  struct Clicks {
    double orientation = 0, units = 0, change = 0, orientationShare = 0;
  };
  const auto clickTimes = [&](qxhost::ModulePackage& host, bool hook) {
    Clicks clicks;
    qxhost::HostSheet sheet(host, {L"QX_Office", {0}, 0}, record.data());
    const HWND window = sheet.Create(nullptr);
    sheet.Pump();
    if (hook) {
      auto* page = static_cast<qxge::SettingsPage*>(sheet.Table().slots[0]);
      qxge::DriverDevMode* working = page->WorkingRecord();
      // Between two choices that both differ from every favorite, as most changes do.
      int16_t toner = 1;
      clicks.change = MedianSeconds(201, [&] {
        working->dmPrivate.iTonerSave = toner ^= 3;
        page->OnSettingChanged();
      });
    }
    const HWND page = GetWindow(PropSheet_GetCurrentPageHwnd(window), GW_CHILD);
    const HWND preview = GetDlgItem(page, IDC_PREVIEW);
    int click = 0;
    const auto orientation = [&] { return (click % 2) != 0 ? IDC_PORTRAIT : IDC_LANDSCAPE; };
    clicks.orientation = MedianSeconds(201, [&] {
      SendDlgItemMessageW(page, orientation(), BM_CLICK, 0, 0);
      UpdateWindow(preview);
      ++click;
    });
    if (hook) {
      HWND radio = nullptr;
      clicks.orientationShare = MedianSeconds(
          201,
          [&] {
            ++click;
            radio = GetDlgItem(page, orientation());
            CheckRadioButton(page, IDC_LANDSCAPE, IDC_PORTRAIT, orientation());
          },
          [&] {
            SendMessageW(page, WM_COMMAND, MAKEWPARAM(orientation(), BN_CLICKED), reinterpret_cast<LPARAM>(radio));
            UpdateWindow(preview);
          });
    }
    clicks.units = MedianSeconds(201, [&] {
      SendDlgItemMessageW(page, (click++ % 2) != 0 ? IDC_UNITS_MM : IDC_UNITS_INCH, BM_CLICK, 0, 0);
    });
    sheet.Close();
    return clicks;
  };
  // The preview: a full paint of a 16-up sheet, and a change that moves it between two grids
  // (the record handed over and the sheet drawn again), as a user's choice does. The choices
  // go through the page's lists: the change hook stores what the controls show.
  double previewPaint = 0, previewChange = 0;
  {
    qxhost::HostSheet sheet(module, {L"QX_Office", {0}, 0}, record.data());
    const HWND window = sheet.Create(nullptr);
    sheet.Pump();
    auto* page = static_cast<qxge::SettingsPage*>(sheet.Table().slots[0]);
    const HWND dialog = GetWindow(PropSheet_GetCurrentPageHwnd(window), GW_CHILD);
    const HWND preview = GetDlgItem(dialog, IDC_PREVIEW);
    const auto choose = [&](int list, intptr_t data) {
      const HWND combo = GetDlgItem(dialog, list);
      platform::ComboBox(combo).SelectByData(data);
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    };
    choose(IDC_LAYOUT_TYPE, qxge::LayoutTypeGroups::kMultiple);
    choose(IDC_NUP, 5);
    UpdateWindow(preview);
    previewPaint = MedianSeconds(201, [&] {
      InvalidateRect(preview, nullptr, TRUE);
      UpdateWindow(preview);
    });
    // 16 and 4 pages: neither is a change of layout, which would refill the page.
    const platform::ComboBox pagesPerSide(GetDlgItem(dialog, IDC_NUP));
    intptr_t nup = 5;
    previewChange = MedianSeconds(201, [&] {
      pagesPerSide.SelectByData(nup = nup == 5 ? 2 : 5);
      page->OnSettingChanged();
      UpdateWindow(preview);
    });
    sheet.Close();
  }
  const Clicks clicks = clickTimes(module, true);
  const Clicks bareClicks = clickTimes(bare, false);

  // The Paper page: a fill, which asks the printer for its papers, bins and media, and a size
  // chosen in its list as the page receives it (stored, compared, the preview repainted).
  double paperFill = 0, paperSize = 0;
  {
    qxhost::HostSheet sheet(module, {L"QX_Office", {1}, 0}, record.data());
    const HWND window = sheet.Create(nullptr);
    sheet.Pump();
    auto* page = static_cast<qxge::SettingsPage*>(sheet.Table().slots[1]);  // slots are by page number
    const HWND dialog = GetWindow(PropSheet_GetCurrentPageHwnd(window), GW_CHILD);
    const HWND preview = GetDlgItem(dialog, IDC_PREVIEW);
    paperFill = MedianSeconds(51, [&] { page->Refill(); });
    const HWND combo = GetDlgItem(dialog, IDC_PAPER_SIZE);
    int16_t size = DMPAPER_A4;
    paperSize = MedianSeconds(
        201, [&] { platform::ComboBox(combo).SelectByData(size = size == DMPAPER_A4 ? DMPAPER_LETTER : DMPAPER_A4); },
        [&] {
          SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_PAPER_SIZE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
          UpdateWindow(preview);
        });
    sheet.Close();
  }
  // A resolution chosen on the Graphics page as the page receives it (its image modes, the
  // store and the preview's caption repainted).
  double graphicsClick = 0;
  {
    qxhost::HostSheet sheet(module, {L"QX_Office", {2}, 0}, record.data());
    const HWND window = sheet.Create(nullptr);
    sheet.Pump();
    const HWND dialog = GetWindow(PropSheet_GetCurrentPageHwnd(window), GW_CHILD);
    const HWND preview = GetDlgItem(dialog, IDC_PREVIEW);
    int click = 0;
    graphicsClick = MedianSeconds(
        201, [&] { CheckRadioButton(dialog, IDC_RESOLUTION_FIRST, IDC_RESOLUTION_FIRST + 23, IDC_RESOLUTION_FIRST + 11 + (++click % 2)); },
        [&] {
          const int id = IDC_RESOLUTION_FIRST + 11 + (click % 2);
          SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
          UpdateWindow(preview);
        });
    sheet.Close();
  }

  // The colour sample as the Adjust Color dialog shows it: a level moved, the sample made anew
  // from the original picture and repainted; then a photo sheet drawn whole.
  double sampleStep = 0, photoSheet = 0;
  {
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 160, 260, nullptr, nullptr,
                                        nullptr, nullptr);
    {
      qxge::ColorSamplePreview sample;
      sample.Attach(window);
      qxge::DriverDevMode scratch = *reinterpret_cast<const qxge::DriverDevMode*>(record.data());
      qxge::PrivateDevMode& p = scratch.dmPrivate;
      p.iGrayMode = 1;
      p.iEqualizer = 0;
      p.iBrightness = p.iContrast = p.iSaturation = 50;
      p.iRed = p.iGreen = p.iBlue = p.iCyan = p.iMagenta = p.iYellow = 50;
      sample.Update(scratch);
      UpdateWindow(window);
      sampleStep = MedianSeconds(201, [&] {
        p.iRed = p.iRed == 50 ? 60 : 50;
        sample.Update(scratch);
        UpdateWindow(window);
      });
    }
    // A photo sheet of 16 pages, each the sample in a frame with a message.
    {
      qxge::PhotoPreview photos(2);
      photos.Attach(window);
      qxge::DriverDevMode sheet = *reinterpret_cast<const qxge::DriverDevMode*>(record.data());
      qxge::PrivateDevMode& p = sheet.dmPrivate;
      p.iGrayMode = 1;
      p.iNup = 5;
      p.iClone = 0;
      p.FrameStyle = 2;
      p.StrDate.Write(u"2026-12-06");
      p.StrDecoNote.Write(u"Holiday");
      p.DecoStrFaceName.Write(u"Arial");
      p.lfDecoWeight = FW_NORMAL;
      photos.Update(sheet);
      UpdateWindow(window);
      photoSheet = MedianSeconds(51, [&] {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
      });
    }
    DestroyWindow(window);
  }

  // The files an apply leaves for the printer driver once the watermark or the frame changed:
  // two watermark and four decoration pages through the PostScript driver into temporary files.
  double fileRefresh = 0;
  {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"qxbench-files";
    CreateDirectoryW(folder.c_str(), nullptr);
    SetEnvironmentVariableW(L"TMP", folder.c_str());
    qxge::ModelFeatures& model = qxge::App().Features();
    model.CheckWaterMarkFile = model.CheckDecoFile = 1;
    std::vector<uint8_t> live = record;
    qxge::PrivateDevMode& p = reinterpret_cast<qxge::DriverDevMode*>(live.data())->dmPrivate;
    p.cWaterText.Write(u"DRAFT");
    p.WaterStrFaceName.Write(u"Arial");
    p.iWaterSize = 72;
    p.FrameStyle = 4;
    p.DecoStrFaceName.Write(u"Arial");
    p.lfDecoWeight = FW_NORMAL;
    p.StrDecoNote.Write(u"Holiday");
    qxge::SheetContext sheet{};
    sheet.applied = 1;
    sheet.liveRecord = live.data();
    int round = 0;
    // Each round's message differs from the last one's, as a user's change does.
    fileRefresh = MedianSeconds(
        9, [&] { p.StrDate.Write(++round % 2 != 0 ? u"Summer" : u"Winter"); }, [&] { qxge::ApplyFileRefresh(sheet); });
    model.CheckWaterMarkFile = model.CheckDecoFile = 0;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\TMP*.tmp").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do DeleteFileW((folder + L"\\" + found.cFileName).c_str());
      while (FindNextFileW(search, &found));
      FindClose(search);
    }
    SetEnvironmentVariableW(L"TMP", temp);
  }

  // A keystroke in the Watermark page's text with a full list of 32: the buttons weighed
  // against every entry, the sheet's record stored and the preview repainted. The list is the
  // benchmark's own and goes again afterwards.
  double watermarkKey = 0;
  {
    qxge::UserRegistry::DeleteCollection(L"Watermark Data");
    for (int i = 0; i < 32; ++i) {
      qxge::WatermarkItem::Look look;
      look.text = u"Watermark " + qxge::DecimalText(i);
      look.face = u"Arial";
      look.size = 72;
      look.angle = 45;
      look.weight = FW_NORMAL;
      qxge::WatermarkItem(look).Save(i);
    }
    qxge::WatermarkItem(nullptr).SetCount(32, nullptr);
    qxhost::HostSheet sheet(module, {L"QX_Office", {6}, 0}, record.data());
    const HWND window = sheet.Create(nullptr);
    sheet.Pump();
    const HWND dialog = GetWindow(PropSheet_GetCurrentPageHwnd(window), GW_CHILD);
    const HWND text = GetDlgItem(dialog, IDC_WATERMARK_TEXT);
    const HWND preview = GetDlgItem(dialog, IDC_WATERMARK_PREVIEW);
    int key = 0;
    watermarkKey = MedianSeconds(101, [&] {
      SetWindowTextW(text, ++key % 2 != 0 ? L"CONFIDENTIAL" : L"CONFIDENTIAL!");
      UpdateWindow(preview);
    });
    sheet.Close();
    qxge::UserRegistry::DeleteCollection(L"Watermark Data");
  }

  // The Extras page made active with 32 watermarks and 32 overlays stored, the lists rebuilt
  // from the registry and the overlay files looked for, against the same tab change on bare
  // templates; then Print and Hold opened and closed. The lists and files are the benchmark's
  // own and go again afterwards.
  double extrasActivate = 0, bareExtrasActivate = 0, holdOpen = 0, bareHoldOpen = 0;
  {
    qxge::UserRegistry::DeleteCollection(L"Watermark Data");
    qxge::UserRegistry::DeleteCollection(L"Overlay Data");
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"qxbench-overlays";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < 32; ++i) {
      qxge::WatermarkItem::Look look;
      look.text = u"Watermark " + qxge::DecimalText(i);
      look.face = u"Arial";
      look.size = 72;
      look.weight = FW_NORMAL;
      qxge::WatermarkItem(look).Save(i);
      const std::wstring path = folder + L"\\Form" + std::to_wstring(i) + L".OVL";
      WriteFileBytes(path, "overlay");
      qxge::OverlayItem(std::u16string(platform::U(path.c_str()))).Save(i);
    }
    qxge::WatermarkItem(nullptr).SetCount(32, nullptr);
    qxge::OverlayItem(nullptr).SetCount(32, nullptr);
    const auto activate = [&](qxhost::ModulePackage& host) {
      qxhost::HostSheet sheet(host, {L"QX_Office", {0, 3}, 0}, record.data());
      const HWND window = sheet.Create(nullptr);
      sheet.Pump();
      const double t = MedianSeconds(
          31, [&] { PropSheet_SetCurSel(window, nullptr, 0); sheet.Pump(); },
          [&] { PropSheet_SetCurSel(window, nullptr, 1); sheet.Pump(); });
      sheet.Close();
      return t;
    };
    extrasActivate = activate(module);
    bareExtrasActivate = activate(bare);

    qxhost::HostSheet sheet(module, {L"QX_Office", {3}, 0}, record.data());
    const HWND window = sheet.Create(nullptr);
    sheet.Pump();
    const HWND dialog = GetWindow(PropSheet_GetCurrentPageHwnd(window), GW_CHILD);
    const HHOOK hook = SetWindowsHookExW(WH_CBT, CancelHoldDialog, nullptr, GetCurrentThreadId());
    holdOpen = MedianSeconds(31, [&] { SendDlgItemMessageW(dialog, IDC_PRINT_AND_HOLD, BM_CLICK, 0, 0); });
    bareHoldOpen = MedianSeconds(31, [&] {
      DialogBoxParamW(qxge::AppModule(), MAKEINTRESOURCEW(IDD_PRINT_AND_HOLD), dialog, BareModalProc, 0);
    });
    UnhookWindowsHookEx(hook);
    sheet.Close();
    qxge::UserRegistry::DeleteCollection(L"Watermark Data");
    qxge::UserRegistry::DeleteCollection(L"Overlay Data");
    for (int i = 0; i < 32; ++i) DeleteFileW((folder + L"\\Form" + std::to_wstring(i) + L".OVL").c_str());
    RemoveDirectoryW(folder.c_str());
  }

  // A click on the Printer page's status-window switch: the record stored, the switch written
  // to the machine's registry, the printer's picture repainted. An even number of clicks leaves
  // the switch as it was.
  double printerClick = 0, rawJob = 0;
  {
    qxhost::HostSheet sheet(module, {L"QX_Office", {4, 20}, 0}, record.data());
    const HWND window = sheet.Create(nullptr);
    sheet.Pump();
    const HWND dialog = GetWindow(PropSheet_GetCurrentPageHwnd(window), GW_CHILD);
    const HWND check = GetDlgItem(dialog, IDC_STATUS_WINDOW);
    printerClick = MedianSeconds(100, [&] { SendMessageW(check, BM_CLICK, 0, 0); });
    // Head Cleaning from the click to the end of the spooler's document.
    PropSheet_SetCurSel(window, nullptr, 1);
    sheet.Pump();
    const HWND maintenance = GetWindow(PropSheet_GetCurrentPageHwnd(window), GW_CHILD);
    const HWND cleaning = GetDlgItem(maintenance, IDC_CLEANING);
    rawJob = MedianSeconds(11, [&] { SendMessageW(cleaning, BM_CLICK, 0, 0); });
    sheet.Close();
  }

  // The same clicks on a new model's package, whose empty text file fills itself: every
  // control then carries a placeholder tooltip.
  qxge::StopApp();
  const std::wstring fresh = StageNewModel(argv[1]);
  const HMODULE freshPackage = fresh.empty() ? nullptr : LoadLibraryW(fresh.c_str());
  if (freshPackage == nullptr) {
    std::fprintf(stderr, "qxbench: cannot stage a new model beside %ls\n", argv[1]);
    return 1;
  }
  qxge::SetAppModule(freshPackage);
  const Clicks tipClicks = clickTimes(module, true);

  qxge::StopApp();
  const std::wstring damaged = StageDamagedModel(argv[1]);
  const HMODULE damagedPackage = damaged.empty() ? nullptr : LoadLibraryW(damaged.c_str());
  if (damagedPackage == nullptr) {
    std::fprintf(stderr, "qxbench: cannot stage a damaged model beside %ls\n", argv[1]);
    return 1;
  }
  qxge::SetAppModule(damagedPackage);
  const double damagedOpen = MedianSeconds(5, [&] { OpenEveryPage(module, pages, record); });

  // The same pages of the installed package, through the printing system and through the
  // reference host.
  const std::wstring driverPrinter = L"QX Office 5000";
  double systemOpen = 0, hostOpen = 0;
  qxhost::ModulePackage installed;
  if (installed.Load(qxhost::InstalledDriverFile(L"QX5000U.DLL"))) {
    std::vector<uint8_t> driverRecord = qxhost::DefaultRecord(driverPrinter);
    hostOpen = MedianSeconds(15, [&] { OpenEveryPage(installed, qxhost::kPreferencePages, driverRecord, driverPrinter); });
    systemOpen = MedianSeconds(15, [&] { PrintingSystemOpen(driverPrinter); });
  }

  std::printf("%-52s %12s\n", "measure (median)", "value");
  std::printf("%-52s %9.3f ms\n", "300 text-file reads, GetPrivateProfileStringW", platform * 1e3);
  std::printf("%-52s %9.3f ms\n", "300 text-file reads, ProfileFile", ours * 1e3);
  std::printf("%-52s %9.3f ms\n", "sheet of 6 pages, every page shown (module)", sheetOpen * 1e3);
  std::printf("%-52s %9.3f ms\n", "sheet of 6 pages, every page shown (bare templates)", floor * 1e3);
  std::printf("%-52s %9.2f x\n", "module against bare templates", sheetOpen / floor);
  std::printf("%-52s %9.3f ms\n", "sheet of the 6 About pages (module)", aboutOpen * 1e3);
  std::printf("%-52s %9.3f ms\n", "sheet of the 6 About pages (bare templates)", aboutFloor * 1e3);
  std::printf("%-52s %9.3f ms\n", "one change through the change hook", clicks.change * 1e3);
  std::printf("%-52s %9.3f ms\n", "a click on the orientation, preview repainted", clicks.orientation * 1e3);
  std::printf("%-52s %9.3f ms\n", "the orientation click on a bare template", bareClicks.orientation * 1e3);
  std::printf("%-52s %9.3f ms\n", "the page's share of it: command, preview repainted", clicks.orientationShare * 1e3);
  std::printf("%-52s %9.3f ms\n", "a click on the units (the page refills)", clicks.units * 1e3);
  std::printf("%-52s %9.3f ms\n", "the same click on a bare template", bareClicks.units * 1e3);
  std::printf("%-52s %9.3f ms\n", "a new model (tooltip on every control): the click", tipClicks.orientation * 1e3);
  std::printf("%-52s %9.3f ms\n", "a new model: the page's share of the click", tipClicks.orientationShare * 1e3);
  std::printf("%-52s %9.3f ms\n", "a new model: the change hook", tipClicks.change * 1e3);
  std::printf("%-52s %9.3f ms\n", "sheet of 6 pages, damaged files and stores", damagedOpen * 1e3);
  std::printf("%-52s %9zu\n", "text-file reads per sheet opened", reads);
  std::printf("%-52s %9.3f ms\n", "preview paint, 16 pages per sheet", previewPaint * 1e3);
  std::printf("%-52s %9.3f ms\n", "preview change (update and repaint)", previewChange * 1e3);
  std::printf("%-52s %9.3f ms\n", "Paper page filled (lists asked of the printer)", paperFill * 1e3);
  std::printf("%-52s %9.3f ms\n", "Paper page: a size chosen, preview repainted", paperSize * 1e3);
  std::printf("%-52s %9.3f ms\n", "Graphics page: a resolution chosen, preview repainted", graphicsClick * 1e3);
  std::printf("%-52s %9.3f ms\n", "colour sample: a level moved, sample repainted", sampleStep * 1e3);
  std::printf("%-52s %9.3f ms\n", "photo sheet of 16 framed photos painted", photoSheet * 1e3);
  std::printf("%-52s %9.3f ms\n", "six-file refresh (watermark and decoration files)", fileRefresh * 1e3);
  std::printf("%-52s %9.3f ms\n", "Watermark page: a keystroke with 32 stored", watermarkKey * 1e3);
  std::printf("%-52s %9.3f ms\n", "Extras page made active, 32 watermarks and overlays", extrasActivate * 1e3);
  std::printf("%-52s %9.3f ms\n", "the same tab change on bare templates", bareExtrasActivate * 1e3);
  std::printf("%-52s %9.3f ms\n", "Print and Hold opened and closed", holdOpen * 1e3);
  std::printf("%-52s %9.3f ms\n", "its bare template opened and closed", bareHoldOpen * 1e3);
  if (hostOpen > 0 && systemOpen > 0) {
    std::printf("%-52s %9.3f ms\n", "preferences through the printing system, 6 pages", systemOpen * 1e3);
    std::printf("%-52s %9.3f ms\n", "the same pages through the reference host", hostOpen * 1e3);
    std::printf("%-52s %9.2f x\n", "printing system against reference host", systemOpen / hostOpen);
  } else {
    std::printf("%-52s %12s\n", "preferences through the printing system", "not installed");
  }
  std::printf("%-52s %9.3f ms\n", "Printer page: a click with its registry write", printerClick * 1e3);
  std::printf("%-52s %9.3f ms\n", "raw job: Head Cleaning, click to end of document", rawJob * 1e3);
  return 0;
}
