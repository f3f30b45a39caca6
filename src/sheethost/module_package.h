// A model package's plug-in loaded the way the driver loads it: by path, with its five
// exported functions looked up by name.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/host_blocks.h"

namespace qxhost {

// Where the printing system keeps an installed driver's file, by its name.
std::wstring InstalledDriverFile(const std::wstring& name);

class ModulePackage {
 public:
  ModulePackage() = default;
  ~ModulePackage();
  ModulePackage(const ModulePackage&) = delete;
  ModulePackage& operator=(const ModulePackage&) = delete;

  // False, with error() saying why, when the file is missing or lacks an export.
  bool Load(const std::wstring& path);
  void Unload();
  bool IsLoaded() const { return module_ != nullptr; }
  const std::wstring& Error() const { return error_; }
  // The user's default record as the loaded module keeps it; false when none is stored.
  bool UserDefault(std::vector<uint8_t>& record) const;

  qxge::PageInfoFn PageInfo = nullptr;
  qxge::DialogProcFn DialogProc = nullptr;
  qxge::Page0CallBackFn Page0CallBack = nullptr;
  qxge::GetTextFn GetText = nullptr;
  qxge::SaveDefDevModeFn SaveDefDevMode = nullptr;

 private:
  HMODULE module_ = nullptr;
  std::wstring base_;  // the module's name without its U: where it keeps the user's data
  std::wstring error_;
};

}  // namespace qxhost
