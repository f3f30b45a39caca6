#include "host_sheet.h"

#include <winspool.h>

#include <algorithm>
#include <cstring>

namespace qxhost {
namespace {

constexpr int kPublicBytes = 220;
constexpr int kPrivateBytes = static_cast<int>(qxge::kDriverDevModeBytes) - kPublicBytes;

void AppendText(std::vector<WORD>& words, const wchar_t* text) {
  do words.push_back(static_cast<WORD>(*text)); while (*text++ != L'\0');
}

// An empty container page of the size the module asked for, in dialog units.
std::vector<WORD> ContainerTemplate(int32_t width, int32_t height) {
  std::vector<WORD> t;
  const DWORD style = DS_SETFONT | DS_CONTROL | WS_CHILD | WS_CAPTION;
  t.push_back(LOWORD(style));
  t.push_back(HIWORD(style));
  t.push_back(0);  // extended style
  t.push_back(0);
  t.push_back(0);  // no controls: the module creates its own page inside
  t.push_back(0);  // x, y
  t.push_back(0);
  t.push_back(static_cast<WORD>(std::clamp(width, 0, 0x7FFF)));
  t.push_back(static_cast<WORD>(std::clamp(height, 0, 0x7FFF)));
  t.push_back(0);  // menu
  t.push_back(0);  // class
  t.push_back(0);  // title
  t.push_back(8);  // point size
  AppendText(t, L"MS Shell Dlg");
  return t;
}

}  // namespace

const std::vector<int32_t> kPreferencePages = {0, 1, 2, 3, 4, 5};
const std::vector<int32_t> kPrinterPages = {4, 20, 12, 5};

std::vector<uint8_t> DefaultRecord(const std::wstring& printer) {
  std::vector<uint8_t> buffer;
  const DEVMODEW* found = nullptr;
  HANDLE handle = nullptr;
  std::wstring name = printer;
  if (!printer.empty() && OpenPrinterW(&name[0], &handle, nullptr)) {
    const LONG size = DocumentPropertiesW(nullptr, handle, &name[0], nullptr, nullptr, 0);
    if (size >= static_cast<LONG>(sizeof(DEVMODEW))) {
      buffer.resize(static_cast<size_t>(size));
      auto* devmode = reinterpret_cast<DEVMODEW*>(buffer.data());
      if (DocumentPropertiesW(nullptr, handle, &name[0], devmode, nullptr, DM_OUT_BUFFER) == IDOK) found = devmode;
    }
    ClosePrinter(handle);
  }
  return RecordWithPublicPart(found, printer);
}

std::vector<uint8_t> RecordWithPublicPart(const DEVMODEW* publicPart, const std::wstring& printer) {
  std::vector<uint8_t> record(qxge::kDriverDevModeBytes, 0);
  DEVMODEW header = {};
  // A driver's public part may be shorter than ours: what it lacks stays zero.
  if (publicPart != nullptr) std::memcpy(&header, publicPart, std::min<size_t>(sizeof header, publicPart->dmSize));
  if (header.dmSpecVersion == 0) header.dmSpecVersion = DM_SPECVERSION;
  lstrcpynW(header.dmDeviceName, printer.c_str(), CCHDEVICENAME);
  header.dmSize = kPublicBytes;
  header.dmDriverExtra = kPrivateBytes;
  static_assert(sizeof header == kPublicBytes, "the public part of the record is a DEVMODEW");
  std::memcpy(record.data(), &header, kPublicBytes);
  return record;
}

HostSheet::HostSheet(ModulePackage& module, SheetOptions options, uint8_t* liveRecord)
    : module_(module),
      options_(std::move(options)),
      context_(new SheetContext{}),
      table_(new PageSlotTable{}) {
  context_->sheetFlags = options_.sheetFlags;
  context_->liveRecord = liveRecord;
  lstrcpynW(context_->printerName, options_.printer.c_str(), qxge::kPrinterNameChars);
  table_->context = context_.get();
}

HostSheet::~HostSheet() {
  if (sheet_ != nullptr) DestroyWindow(sheet_);
}

const std::vector<PROPSHEETPAGEW>& HostSheet::Prepare() {
  qxge::PageInfoBlock sheetInfo = {};
  module_.PageInfo(&sheetInfo, -1);
  caption_ = options_.caption.empty() ? sheetInfo.caption : options_.caption;
  if (caption_.empty()) caption_ = options_.printer + L" Printing Preferences";

  infos_.clear();
  templates_.clear();
  links_.clear();
  pages_.clear();
  links_.reserve(options_.pages.size());
  for (int32_t id : options_.pages) {
    qxge::PageInfoBlock info = {};
    module_.PageInfo(&info, id);
    if (info.width <= 0 || info.height <= 0) continue;  // a page number the module does not have
    infos_.push_back(info);
    templates_.push_back(ContainerTemplate(info.width, info.height));
    links_.push_back(PageLink{this, id});
  }
  for (size_t i = 0; i < infos_.size(); ++i) {
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE | (i == 0 ? PSP_USECALLBACK : 0);
    page.pResource = reinterpret_cast<const DLGTEMPLATE*>(templates_[i].data());
    page.pszTitle = infos_[i].caption;
    page.pfnDlgProc = ContainerProc;
    page.lParam = reinterpret_cast<LPARAM>(&links_[i]);
    if (i == 0) page.pfnCallback = FirstPageCallback;
    pages_.push_back(page);
  }
  return pages_;
}

void HostSheet::BuildHeader(PROPSHEETHEADERW& header, HWND owner, bool modeless) {
  Prepare();
  header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | (modeless ? PSH_MODELESS : 0);
  header.hwndParent = owner;
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(pages_.size());
  header.ppsp = pages_.data();
}

void HostSheet::RunModal(HWND owner) {
  PROPSHEETHEADERW header;
  BuildHeader(header, owner, false);
  if (!pages_.empty()) PropertySheetW(&header);
}

HWND HostSheet::Create(HWND owner) {
  PROPSHEETHEADERW header;
  BuildHeader(header, owner, true);
  if (pages_.empty()) return nullptr;
  sheet_ = reinterpret_cast<HWND>(PropertySheetW(&header));
  return sheet_;
}

bool HostSheet::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (sheet_ == nullptr || !PropSheet_IsDialogMessage(sheet_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  // A modeless sheet that was closed has no current page; its owner destroys it.
  if (sheet_ != nullptr && PropSheet_GetCurrentPageHwnd(sheet_) == nullptr) {
    DestroyWindow(sheet_);
    sheet_ = nullptr;
  }
  return sheet_ != nullptr;
}

void HostSheet::Close() {
  if (sheet_ == nullptr) return;
  PropSheet_PressButton(sheet_, PSBTN_CANCEL);
  Pump();
  if (sheet_ != nullptr) {
    DestroyWindow(sheet_);
    sheet_ = nullptr;
  }
}

INT_PTR CALLBACK HostSheet::ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* link = reinterpret_cast<PageLink*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(link));
    // A sheet that another builds from these pages (Wine's common property sheet keeps a title
    // of its own) shows the module's caption all the same.
    if (link == &link->sheet->links_.front()) PropSheet_SetTitle(GetParent(hwnd), 0, link->sheet->caption_.c_str());
    // The module expects the sheet's slot table where a dialog expects its init parameter.
    return link->sheet->module_.DialogProc(hwnd, message, wParam, reinterpret_cast<LPARAM>(link->sheet->table_.get()),
                                           link->pageId);
  }
  const auto* link = reinterpret_cast<const PageLink*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (link == nullptr) return FALSE;
  return link->sheet->module_.DialogProc(hwnd, message, wParam, lParam, link->pageId);
}

UINT CALLBACK HostSheet::FirstPageCallback(HWND hwnd, UINT message, PROPSHEETPAGEW* page) {
  auto* link = reinterpret_cast<PageLink*>(page->lParam);
  return link->sheet->module_.Page0CallBack(hwnd, message, link->sheet->table_.get());
}

}  // namespace qxhost
