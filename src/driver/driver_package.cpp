#include "driver/driver_package.h"

#include <winspool.h>

#include <cwctype>
#include <map>
#include <vector>

namespace qxdrv {
namespace {

// The plug-in of a model package is named after the model with a U: QX5000U.DLL.
constexpr wchar_t kPlugInTail[] = L"U.DLL";

std::vector<uint8_t> DriverInfo(const std::wstring& printer) {
  std::wstring name = printer;
  HANDLE handle = nullptr;
  if (name.empty() || !OpenPrinterW(&name[0], &handle, nullptr)) return {};
  DWORD needed = 0;
  GetPrinterDriverW(handle, nullptr, 3, nullptr, 0, &needed);
  std::vector<uint8_t> block(needed);
  if (needed < sizeof(DRIVER_INFO_3W) || !GetPrinterDriverW(handle, nullptr, 3, block.data(), needed, &needed))
    block.clear();
  ClosePrinter(handle);
  return block;
}

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

bool IsPlugIn(const std::wstring& path) {
  const std::wstring tail = kPlugInTail, name = Upper(path);
  return name.size() > tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

qxhost::ModulePackage* LoadedPlugIn(const std::wstring& path) {
  // Never destroyed: at the process's end the plug-in goes with it, and unloading it from
  // inside this module's own unload is what a library must not do.
  static auto& loaded = *new std::map<std::wstring, qxhost::ModulePackage*>;
  const std::wstring key = Upper(path);
  if (const auto found = loaded.find(key); found != loaded.end()) return found->second;
  auto* module = new qxhost::ModulePackage;
  // A package that fails now is asked again next time: its files may be installed meanwhile.
  if (!module->Load(path)) {
    const DWORD failure = GetLastError();
    delete module;
    SetLastError(failure);
    return nullptr;
  }
  return loaded[key] = module;
}

}  // namespace

DriverPackage FindDriverPackage(const std::wstring& printer) {
  DriverPackage package;
  package.failure = ERROR_INVALID_PRINTER_NAME;
  const std::vector<uint8_t> block = DriverInfo(printer);
  if (block.empty()) return package;
  package.failure = ERROR_FILE_NOT_FOUND;  // until the driver's files name a plug-in
  const auto* info = reinterpret_cast<const DRIVER_INFO_3W*>(block.data());
  for (const wchar_t* file = info->pDependentFiles; file != nullptr && *file != L'\0'; file += wcslen(file) + 1) {
    if (IsPlugIn(file)) {
      package.plugIn = LoadedPlugIn(file);
      package.failure = package.plugIn != nullptr ? ERROR_SUCCESS : GetLastError();
      break;
    }
  }
  // The renderer from its place in the driver folder, as the printing system loads a driver's
  // own modules: there Wine keeps the stand-in for its built-in PostScript driver.
  if (info->pDriverPath != nullptr) {
    HMODULE renderer = GetModuleHandleW(info->pDriverPath);
    if (renderer == nullptr) renderer = LoadLibraryW(info->pDriverPath);
    if (renderer != nullptr) {
      package.rendererSettings = reinterpret_cast<DocumentPropertySheetsFn>(
          reinterpret_cast<void*>(GetProcAddress(renderer, "DrvDocumentPropertySheets")));
      package.rendererCapabilities = reinterpret_cast<DeviceCapabilitiesFn>(
          reinterpret_cast<void*>(GetProcAddress(renderer, "DrvDeviceCapabilities")));
    }
  }
  return package;
}

}  // namespace qxdrv
