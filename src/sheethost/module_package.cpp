#include "module_package.h"

#include <winspool.h>

#include <utility>

#include "app/module_names.h"
#include "platform/win_text.h"

namespace qxhost {
namespace {

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn& fn, std::wstring& error) {
  fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (fn == nullptr) error = L"the module does not export " + std::wstring(name, name + strlen(name));
  return fn != nullptr;
}

}  // namespace

std::wstring InstalledDriverFile(const std::wstring& name) {
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) return {};
  // Drivers of the current kind live in its version folder.
  return std::wstring(dir) + L"\\3\\" + name;
}

ModulePackage::~ModulePackage() { Unload(); }

bool ModulePackage::Load(const std::wstring& path) {
  Unload();
  module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module_ == nullptr) {
    error_ = L"cannot load " + path + L" (error " + std::to_wstring(GetLastError()) + L")";
    return false;
  }
  base_ = platform::W(qxge::SplitModulePath(platform::U(path)).base);
  if (Resolve(module_, "QXGE_PageInfo", PageInfo, error_) && Resolve(module_, "QXGE_DialogProc", DialogProc, error_) &&
      Resolve(module_, "QXGE_Page0CallBack", Page0CallBack, error_) &&
      Resolve(module_, "QXGE_GetText", GetText, error_) &&
      Resolve(module_, "QXGE_SaveDefDevMode", SaveDefDevMode, error_))
    return true;
  Unload();
  SetLastError(ERROR_PROC_NOT_FOUND);
  return false;
}

bool ModulePackage::UserDefault(std::vector<uint8_t>& record) const {
  const std::wstring path = qxge::kUserKeyRoot + base_ + L"\\" + qxge::kUserSettingsKey;
  std::vector<uint8_t> value(qxge::kDriverDevModeBytes);
  DWORD type = 0, size = static_cast<DWORD>(value.size());
  HKEY key = nullptr;
  if (module_ == nullptr || RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  const LSTATUS read = RegQueryValueExW(key, qxge::kUserDefaultValue, nullptr, &type, value.data(), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS || type != REG_BINARY || size != value.size()) return false;
  record = std::move(value);
  return true;
}

void ModulePackage::Unload() {
  if (module_ != nullptr) FreeLibrary(module_);
  module_ = nullptr;
  PageInfo = nullptr;
  DialogProc = nullptr;
  Page0CallBack = nullptr;
  GetText = nullptr;
  SaveDefDevMode = nullptr;
}

}  // namespace qxhost
