#include "module_package.h"

namespace qxhost {
namespace {

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn& fn, std::wstring& error) {
  fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (fn == nullptr) error = L"the module does not export " + std::wstring(name, name + strlen(name));
  return fn != nullptr;
}

}  // namespace

ModulePackage::~ModulePackage() { Unload(); }

bool ModulePackage::Load(const std::wstring& path) {
  Unload();
  module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module_ == nullptr) {
    error_ = L"cannot load " + path + L" (error " + std::to_wstring(GetLastError()) + L")";
    return false;
  }
  if (Resolve(module_, "QXGE_PageInfo", PageInfo, error_) && Resolve(module_, "QXGE_DialogProc", DialogProc, error_) &&
      Resolve(module_, "QXGE_Page0CallBack", Page0CallBack, error_) &&
      Resolve(module_, "QXGE_GetText", GetText, error_) &&
      Resolve(module_, "QXGE_SaveDefDevMode", SaveDefDevMode, error_))
    return true;
  Unload();
  return false;
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
