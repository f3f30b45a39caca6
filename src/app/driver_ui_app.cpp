#include "app/driver_ui_app.h"

#include <commctrl.h>

#include "app/host_blocks.h"
#include "app/module_names.h"
#include "platform/registry_key.h"
#include "platform/win_file.h"
#include "platform/win_text.h"

namespace qxge {

using platform::U;
using platform::W;

DriverUiApp::DriverUiApp() = default;

DriverUiApp::~DriverUiApp() = default;

std::wstring DriverUiApp::UserKeyPath() const { return kUserKeyRoot + std::wstring(W(moduleBase_)); }

std::u16string DriverUiApp::LanguageCode() {
  wchar_t text[16] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE, text, 16) == 0) text[0] = L'\0';
  return LanguageCodeFor(ParseLanguageId(U(text)));
}

std::u16string DriverUiApp::StoredLanguageCode() const {
  platform::RegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, UserKeyPath().c_str(), KEY_READ)) return {};
  wchar_t code[17] = {};
  DWORD bytes = 0;
  if (!key.Query(L"DrvCntCode", code, 32, bytes)) return {};
  code[bytes / sizeof(wchar_t)] = L'\0';
  return U(code);
}

void DriverUiApp::Initialise(const std::wstring& modulePath) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  // Windows 95 and 98 lack a working TransparentBlt; drawing falls back to masks there.
  const DWORD version = GetVersion();
  const unsigned major = LOBYTE(LOWORD(version)), minor = HIBYTE(LOWORD(version));
  if (!(major == 4 && (minor == 0 || minor == 10))) {
    imageLibrary_ = LoadLibraryW(L"MSIMG32.DLL");
    if (imageLibrary_ != nullptr)
      transparentBlt_ = reinterpret_cast<TransparentBltFn>(
          reinterpret_cast<void*>(GetProcAddress(imageLibrary_, "TransparentBlt")));
  }

  modulePath_ = U(modulePath);
  const ModuleNames names = SplitModulePath(modulePath_);
  moduleDir_ = names.dir;
  moduleName_ = names.name;
  moduleBase_ = names.base;

  std::u16string code = StoredLanguageCode();
  if (code.empty()) {
    code = LanguageCode();
    platform::RegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, UserKeyPath().c_str(), KEY_ALL_ACCESS))
      key.SetString(L"DrvCntCode", std::wstring(W(code)));
  }

  const std::u16string textPath =
      ChooseTextFile(names, code, [](const std::u16string& path) { return platform::FileExists(W(path)); });
  textFileBase_ = textPath.substr(0, textPath.size() - 4);
  textFile_.SetFile(textPath, true);
  helpFile_ = textFileBase_ + u".HLP";

  modelFile_.SetFile(moduleDir_ + moduleName_ + u".INI", false);
  textFile_.SetWriteBack(&features_.ShowDevmodeChanges);
  modelFile_.SetWriteBack(&features_.ShowDevmodeChanges);
  versionFile_.SetWriteBack(&features_.ShowDevmodeChanges);
  textFile_.SetMacroSource(&versionFile_);
  features_.Load(modelFile_, textFile_);

  resourceLibrary_ = LoadLibraryExW(W(moduleDir_ + moduleName_ + u"2.dll"), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void DriverUiApp::Terminate() {
  if (imageLibrary_ != nullptr) FreeLibrary(imageLibrary_);
  if (resourceLibrary_ != nullptr) FreeLibrary(resourceLibrary_);
  imageLibrary_ = resourceLibrary_ = nullptr;
  transparentBlt_ = nullptr;
}

namespace {

HMODULE g_module = nullptr;
DriverUiApp* g_started = nullptr;

}  // namespace

void SetAppModule(HMODULE module) { g_module = module; }

HMODULE AppModule() { return g_module != nullptr ? g_module : GetModuleHandleW(nullptr); }

DriverUiApp& App() {
  // Start-up loads libraries and writes the registry, which must not happen under the loader
  // lock, so it runs on the host's first call instead of in the entry point.
  static DriverUiApp app;
  if (g_started == nullptr) {
    g_started = &app;
    app.Initialise(platform::ModulePath(g_module));
  }
  return app;
}

void StopApp() {
  if (g_started != nullptr) g_started->Terminate();
  g_started = nullptr;
}

}  // namespace qxge
