#include "pagebase/web_links.h"

#include <objbase.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "app/driver_ui_app.h"
#include "config/profile_file.h"
#include "config/text_format.h"
#include "pagebase/settings_page.h"
#include "platform/registry_key.h"
#include "platform/win_text.h"
#include "printer/printer_lookup.h"
#include "printer/raw_job.h"

namespace qxge {
namespace {

constexpr std::u16string_view kPrintScheme = u"print://";

struct LinkRequest {
  HMODULE module;  // the worker's own reference to this module
  HWND owner;
  std::wstring browser;  // empty: the system opens the target by its kind
  std::wstring target;
};

std::wstring Cut(std::wstring text) {
  if (text.size() > kMaxLinkChars) text.resize(kMaxLinkChars);
  return text;
}

// The browser registered for opening pages, without the placeholder its command ends with.
std::wstring BrowserCommand() {
  platform::RegistryKey key;
  if (!key.Open(HKEY_CLASSES_ROOT, L"Applications\\iexplore.exe\\shell\\open\\command", KEY_READ)) return {};
  wchar_t value[kMaxLinkChars + 1] = {};
  DWORD type = 0, size = sizeof value - sizeof(wchar_t);
  if (RegQueryValueExW(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return {};
  std::wstring command(value, wcsnlen(value, size / sizeof(wchar_t)));
  const size_t placeholder = command.find(L" %1");
  if (placeholder != std::wstring::npos) command.resize(placeholder);
  return command;
}

void Launch(const LinkRequest& request) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOW execute = {};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_DOENVSUBST | SEE_MASK_FLAG_NO_UI;
  execute.hwnd = request.owner;
  execute.lpVerb = L"open";
  const bool browser = !request.browser.empty();
  execute.lpFile = browser ? request.browser.c_str() : request.target.c_str();
  execute.lpParameters = browser ? request.target.c_str() : nullptr;
  execute.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&execute);
  if (SUCCEEDED(com)) CoUninitialize();
}

DWORD WINAPI LinkWorker(void* parameter) {
  HMODULE module = nullptr;
  {
    const std::unique_ptr<LinkRequest> request(static_cast<LinkRequest*>(parameter));
    module = request->module;
    try {
      Launch(*request);
    } catch (...) {
    }
  }
  // The page, and whoever loaded the module, may have gone since the click.
  FreeLibraryAndExitThread(module, 0);
}

}  // namespace

void OpenLink(HWND owner, const DriverDevMode& record, std::u16string_view target) {
  if (target.substr(0, kPrintScheme.size()) == kPrintScheme) {
    const DriverUiApp& app = App();
    SendFileAsJob(record, app.ModuleDir() + std::u16string(target.substr(kPrintScheme.size())), u"Test Page");
    return;
  }
  auto request = std::make_unique<LinkRequest>(
      LinkRequest{nullptr, owner, Cut(BrowserCommand()), Cut(std::wstring(platform::W(target)))});
  HMODULE& module = request->module;
  if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&LinkWorker), &module)) {
    if (const HANDLE thread = CreateThread(nullptr, 0, LinkWorker, request.get(), 0, nullptr)) {
      request.release();
      CloseHandle(thread);
      return;
    }
    FreeLibrary(module);
  }
  Launch(*request);
}

void SetUpLinks(SettingsPage& page, int firstId, std::u16string* targets, int count) {
  ProfileFile& text = App().TextFile();
  std::u16string host;
  bool hostAsked = false;
  for (int i = 0; i < count; ++i) {
    const int id = firstId + i;
    targets[i].clear();
    std::u16string value = text.ReadText(FormatText(u"Ref_URL_%d", {i + 1}, 32), u"", true);
    if (value.empty()) {
      page.ShowControl(id, 0);
      continue;
    }
    const size_t hostAt = value.find(u"%s");
    if (hostAt != std::u16string::npos) {
      // The printer's own pages: its address may take a name look-up, asked once.
      if (!hostAsked && page.WorkingRecord() != nullptr) host = GetPrinterHost(*page.WorkingRecord());
      hostAsked = true;
      if (host.empty()) {
        page.EnableControl(id, false);
        continue;
      }
      // The address goes where the first "%s" is; any other placeholder is the translator's text.
      value.replace(hostAt, 2, host);
    }
    CutText(value, kMaxLinkChars);
    targets[i] = value;
  }
}

}  // namespace qxge
