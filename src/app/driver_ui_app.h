// The module's one application object: where the module lives and what it is called, the
// user's text language, the text, model and version files, the model features and the
// optional libraries. Everything a page reads that is not in the job settings starts here.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "config/model_features.h"
#include "config/profile_file.h"
#include "config/profile_storage_win.h"

namespace qxge {

class DriverUiApp {
 public:
  using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

  DriverUiApp();
  ~DriverUiApp();
  DriverUiApp(const DriverUiApp&) = delete;
  DriverUiApp& operator=(const DriverUiApp&) = delete;

  // Start-up for a module at modulePath; never fails and shows nothing.
  void Initialise(const std::wstring& modulePath);
  void Terminate();

  ProfileFile& TextFile() { return textFile_; }
  ProfileFile& ModelFile() { return modelFile_; }
  ProfileFile& VersionFile() { return versionFile_; }
  ModelFeatures& Features() { return features_; }

  // The module's own file, whose version block the About pages show.
  const std::u16string& ModulePath() const { return modulePath_; }
  const std::u16string& ModuleDir() const { return moduleDir_; }
  const std::u16string& ModuleName() const { return moduleName_; }
  const std::u16string& ModuleBase() const { return moduleBase_; }
  const std::u16string& TextFileBase() const { return textFileBase_; }
  const std::u16string& HelpFile() const { return helpFile_; }
  // HKEY_CURRENT_USER path of this module's per-user data.
  std::wstring UserKeyPath() const;

  HMODULE ResourceLibrary() const { return resourceLibrary_; }
  TransparentBltFn TransparentBlt() const { return transparentBlt_; }

  // The two-letter text-file code of the user's default language.
  static std::u16string LanguageCode();

 private:
  std::u16string StoredLanguageCode() const;

  Win32ProfileStorage storage_;
  ProfileFile textFile_{storage_};
  ProfileFile modelFile_{storage_};
  ProfileFile versionFile_{storage_};
  ModelFeatures features_;

  std::u16string modulePath_, moduleDir_, moduleName_, moduleBase_, textFileBase_, helpFile_;
  HMODULE imageLibrary_ = nullptr;
  TransparentBltFn transparentBlt_ = nullptr;
  HMODULE resourceLibrary_ = nullptr;
};

// The process's application object, started on first use.
DriverUiApp& App();
// Where App() finds the module: set by the module's entry point.
void SetAppModule(HMODULE module);
// The module whose resources (templates, cursor) the pages use.
HMODULE AppModule();
// Frees what start-up loaded, when it ran.
void StopApp();

}  // namespace qxge
