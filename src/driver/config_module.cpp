// QXDRVUI.DLL: the printer driver's configuration module. The printing system loads it for a
// printer whose driver names it and calls it for the printer's preferences and properties,
// for device modes and for the printer's capabilities. It hosts the model package's plug-in
// exactly as the reference host does and leaves rendering to the renderer the driver names.
#include <windows.h>
#include <compstui.h>
#include <prsht.h>
#include <winspool.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/host_blocks.h"
#include "driver/driver_package.h"
#include "driver/printer_interface.h"
#include "platform/no_throw.h"
#include "sheethost/host_sheet.h"

using namespace qxdrv;
using platform::Guarded;

namespace {

constexpr LONG kRecordBytes = static_cast<LONG>(qxge::kDriverDevModeBytes);
constexpr size_t kPublicBytes = sizeof(DEVMODEW);
constexpr size_t kPrivateBytes = qxge::kDriverDevModeBytes - kPublicBytes;
constexpr size_t kFieldsAt = offsetof(DEVMODEW, dmFields);

// Asking the renderer for its settings may bring the printing system back here for this
// printer's settings; the nested call answers without asking again.
thread_local bool g_askingRenderer = false;

// The printer's whole name. A record's device name holds 31 characters, so a name a caller took
// from a record may be cut short; the printer's handle knows the name it was opened with.
std::wstring PrinterName(HANDLE printer, const wchar_t* given) {
  DWORD needed = 0;
  if (printer != nullptr && !GetPrinterW(printer, 4, nullptr, 0, &needed) && needed >= sizeof(PRINTER_INFO_4W)) {
    std::vector<uint8_t> block(needed);
    const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(block.data());
    if (GetPrinterW(printer, 4, block.data(), needed, &needed) && info->pPrinterName != nullptr &&
        *info->pPrinterName != L'\0')
      return info->pPrinterName;
  }
  return given != nullptr ? given : L"";
}

// The printer's record before a program's settings: the renderer's public settings (paper,
// orientation, resolution as the model's PPD says) and an empty private part.
std::vector<uint8_t> PrinterRecord(const DriverPackage& package, HANDLE printer, const std::wstring& name) {
  std::vector<uint8_t> buffer;
  const DEVMODEW* found = nullptr;
  if (package.rendererSettings != nullptr && !g_askingRenderer) {
    g_askingRenderer = true;
    DocumentPropertyHeader header = {sizeof header, 0, printer, const_cast<LPWSTR>(name.c_str()), nullptr, nullptr, 0, 0};
    const LONG size = package.rendererSettings(nullptr, reinterpret_cast<LPARAM>(&header));
    // A renderer's device mode is a few kilobytes; anything else is not one.
    if (size >= static_cast<LONG>(kPublicBytes) && size <= 0x10000) {
      buffer.resize(static_cast<size_t>(size));
      header.out = reinterpret_cast<DEVMODEW*>(buffer.data());
      header.outBytes = static_cast<DWORD>(size);
      header.mode = DM_OUT_BUFFER;
      if (package.rendererSettings(nullptr, reinterpret_cast<LPARAM>(&header)) == IDOK) found = header.out;
    }
    g_askingRenderer = false;
  }
  return qxhost::RecordWithPublicPart(found, name);
}

// A document's record before a program's settings: the user's default when the plug-in keeps
// one, so a changed default shows in every program, else the printer's record.
std::vector<uint8_t> DocumentRecord(const DriverPackage& package, HANDLE printer, const std::wstring& name) {
  std::vector<uint8_t> record;
  if (package.plugIn != nullptr && package.plugIn->UserDefault(record)) return record;
  return PrinterRecord(package, printer, name);
}

// A program's settings over the record: a record of ours whole; another driver's device mode
// for its public fields, as far as its structure reaches, without its private part. The sizes
// are the program's word: what cannot be read is not taken, rather than fault in its process.
void Adopt(std::vector<uint8_t>& record, const DEVMODEW* in) {
  if (in == nullptr || IsBadReadPtr(in, kFieldsAt + sizeof in->dmFields) || in->dmSize <= kFieldsAt) return;
  const size_t reach = std::min<size_t>(in->dmSize, kPublicBytes);
  if (IsBadReadPtr(in, reach)) return;
  if (in->dmSize == kPublicBytes && in->dmDriverExtra == kPrivateBytes && !IsBadReadPtr(in, record.size())) {
    std::memcpy(record.data(), in, record.size());
    return;
  }
  std::memcpy(record.data() + kFieldsAt, reinterpret_cast<const uint8_t*>(in) + kFieldsAt, reach - kFieldsAt);
}

// One printing-preferences or printer-properties sheet: the pages the plug-in fills inside
// the common property sheet, on a record of its own until the sheet closes.
class PropertiesSheet {
 public:
  PropertiesSheet(qxhost::ModulePackage& plugIn, qxhost::SheetOptions options, std::vector<uint8_t> record,
                  DEVMODEW* out, bool makeDefault)
      : plugIn_(plugIn),
        record_(std::move(record)),
        before_(record_),
        out_(out),
        readOnly_((options.sheetFlags & qxge::kSheetReadOnly) != 0),
        makeDefault_(makeDefault),
        sheet_(plugIn, std::move(options), record_.data()) {}

  LONG AddPages(const PROPSHEETUI_INFO& info) {
    const std::vector<PROPSHEETPAGEW>& pages = sheet_.Prepare();
    if (pages.empty()) return ERR_CPSUI_NO_PROPSHEETPAGE;
    for (const PROPSHEETPAGEW& page : pages) {
      if (info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(&page), 0) == 0)
        return ERR_CPSUI_CREATEPROPPAGE_FAILED;
    }
    return 1;
  }

  // After the sheet: the program gets the applied record, made the user's default when it asked
  // for that, or its own settings back. A user who may not change the settings changes nothing,
  // whatever reached the pages.
  bool Finish() {
    const bool applied = sheet_.Context().applied != 0 && !readOnly_;
    if (out_ != nullptr) std::memcpy(out_, (applied ? record_ : before_).data(), record_.size());
    if (applied && makeDefault_) plugIn_.SaveDefDevMode(record_.data());
    return applied;
  }

 private:
  qxhost::ModulePackage& plugIn_;
  std::vector<uint8_t> record_;
  const std::vector<uint8_t> before_;
  DEVMODEW* out_;
  const bool readOnly_, makeDefault_;
  qxhost::HostSheet sheet_;
};

// A sheet of pages for the printer options name, on the record start gives with a program's
// settings over it (in), the record to return to the program (out) and whether an applied
// record becomes the user's default; none, with the reason as the last error, when the driver's
// package has no plug-in that loads.
using StartingRecord = std::vector<uint8_t> (*)(const DriverPackage&, HANDLE, const std::wstring&);

std::unique_ptr<PropertiesSheet> OpenSheet(HANDLE printer, StartingRecord start, qxhost::SheetOptions options,
                                           const DEVMODEW* in, DEVMODEW* out, bool makeDefault) {
  const DriverPackage package = FindDriverPackage(options.printer);
  if (package.plugIn == nullptr) {
    SetLastError(package.failure);
    return nullptr;
  }
  std::vector<uint8_t> record = start(package, printer, options.printer);
  Adopt(record, in);
  return std::make_unique<PropertiesSheet>(*package.plugIn, std::move(options), std::move(record), out, makeDefault);
}

// The common property sheet's calls, for either kind of sheet; open builds the sheet from the
// header of the first call. The sheet's title is the plug-in's caption, which the pages set
// themselves: Wine asks only the outermost caller for the title.
template <typename Open>
LONG SheetCall(PROPSHEETUI_INFO* info, LPARAM lParam, Open open) {
  auto* sheet = reinterpret_cast<PropertiesSheet*>(info->UserData);
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT: {
      std::unique_ptr<PropertiesSheet> made = open(lParam);
      if (made == nullptr) return ERR_CPSUI_GETLASTERROR;
      // Kept even when adding pages fails: the destroy call that follows frees it.
      sheet = made.release();
      info->UserData = reinterpret_cast<ULONG_PTR>(sheet);
      return sheet->AddPages(*info);
    }
    case PROPSHEETUI_REASON_DESTROY:
      if (sheet != nullptr) {
        info->Result = sheet->Finish() ? CPSUI_OK : CPSUI_CANCEL;
        delete sheet;
        info->UserData = 0;
      }
      return 1;
    default:
      return 1;
  }
}

// Settings without a sheet: the size of our record, or the record itself. Without a place for
// the record the call asks for its size, unless it only updates the user's default.
LONG DocumentSettings(DocumentPropertyHeader& header) {
  if (header.mode == 0 || (header.out == nullptr && (header.mode & DM_UPDATE) == 0)) {
    header.outBytes = static_cast<DWORD>(kRecordBytes);
    return kRecordBytes;
  }
  const std::wstring printer = PrinterName(header.printer, header.printerName);
  const DriverPackage package = FindDriverPackage(printer);
  std::vector<uint8_t> record = DocumentRecord(package, header.printer, printer);
  if ((header.mode & DM_IN_BUFFER) != 0) Adopt(record, header.in);
  // An update makes the settings the user's default, where the plug-in keeps it, unless the
  // user may not change them.
  if ((header.mode & (DM_UPDATE | kModeNoPermission)) == DM_UPDATE && package.plugIn != nullptr)
    package.plugIn->SaveDefDevMode(record.data());
  // Wine hands over the output's own dmSize as its size, so the size query's answer is what
  // the program has made room for.
  if ((header.mode & DM_OUT_BUFFER) != 0 && header.out != nullptr) std::memcpy(header.out, record.data(), record.size());
  return IDOK;
}

}  // namespace

extern "C" {

LONG WINAPI DrvDocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
  return Guarded<LONG>(ERR_CPSUI_GETLASTERROR, [&]() -> LONG {
    // Settings without a sheet: the spooler's own calls, and those that ask for no prompt, which
    // Wine's spooler brings through the common property sheet when they do more than read. (Of
    // the sheet's calls, only the first has the header as lParam.)
    auto* header = reinterpret_cast<DocumentPropertyHeader*>(lParam);
    const bool first = info == nullptr || info->Reason == PROPSHEETUI_REASON_INIT;
    if (info == nullptr || (first && header != nullptr && (header->mode & DM_PROMPT) == 0)) {
      if (header == nullptr || (header->printerName == nullptr && header->printer == nullptr)) return -1;
      return DocumentSettings(*header);
    }
    return SheetCall(info, lParam, [](LPARAM param) -> std::unique_ptr<PropertiesSheet> {
      auto* header = reinterpret_cast<DocumentPropertyHeader*>(param);
      if (header == nullptr) return nullptr;
      const uint32_t flags = (header->mode & kModeNoPermission) != 0 ? qxge::kSheetReadOnly : 0;
      return OpenSheet(header->printer, DocumentRecord,
                       {PrinterName(header->printer, header->printerName), qxhost::kPreferencePages, flags},
                       (header->mode & DM_IN_BUFFER) != 0 ? header->in : nullptr,
                       (header->mode & DM_OUT_BUFFER) != 0 ? header->out : nullptr, (header->mode & DM_UPDATE) != 0);
    });
  });
}

LONG WINAPI DrvDevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
  if (info == nullptr) return ERR_CPSUI_GETLASTERROR;
  return Guarded<LONG>(ERR_CPSUI_GETLASTERROR, [&]() -> LONG {
    return SheetCall(info, lParam, [](LPARAM param) -> std::unique_ptr<PropertiesSheet> {
      auto* header = reinterpret_cast<DevicePropertyHeader*>(param);
      if (header == nullptr) return nullptr;
      const std::wstring name = PrinterName(header->printer, header->printerName);
      const uint32_t flags = (header->flags & kDeviceNoPermission) != 0 ? qxge::kSheetReadOnly : 0;
      return OpenSheet(header->printer, PrinterRecord, {name, qxhost::kPrinterPages, flags, name + L" Properties"},
                       nullptr, nullptr, false);
    });
  });
}

DWORD WINAPI DrvDeviceCapabilities(HANDLE printer, LPWSTR device, WORD capability, void* output, DEVMODEW* devmode) {
  return Guarded<DWORD>(GDI_ERROR, [&]() -> DWORD {
    // The record's own shape is ours, whatever the renderer keeps for itself.
    if (capability == DC_SIZE) return static_cast<DWORD>(kPublicBytes);
    if (capability == DC_EXTRA) return static_cast<DWORD>(kPrivateBytes);
    if (device == nullptr && printer == nullptr) return GDI_ERROR;
    // The papers, names, sizes and bins of the model's PPD, as the renderer that prints them
    // reads it.
    std::wstring name = PrinterName(printer, device);
    const DriverPackage package = FindDriverPackage(name);
    if (package.rendererCapabilities == nullptr) return GDI_ERROR;
    return package.rendererCapabilities(printer, &name[0], capability, output, devmode);
  });
}

BOOL WINAPI DrvConvertDevMode(LPWSTR printer, DEVMODEW* in, DEVMODEW* out, LONG* needed, DWORD mode) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (printer == nullptr || needed == nullptr || (mode != kDriverDefault && mode != kConvertToCurrent)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    if (out == nullptr || *needed < kRecordBytes) {
      *needed = kRecordBytes;
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return FALSE;
    }
    std::vector<uint8_t> record = PrinterRecord(FindDriverPackage(printer), nullptr, printer);
    if (mode == kConvertToCurrent) Adopt(record, in);
    std::memcpy(out, record.data(), record.size());
    *needed = kRecordBytes;
    return TRUE;
  });
}

}  // extern "C"
