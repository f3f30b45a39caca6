#include <windows.h>

#include <string>

#include "app/driver_ui_app.h"
#include "pagebase/settings_page.h"
#include "platform/win_text.h"
#include "printer/paper_names.h"

namespace qxge {
namespace {

bool EndsWithNoCase(const std::u16string& text, std::u16string_view tail) {
  if (text.size() < tail.size()) return false;
  return CompareStringOrdinal(platform::W(text.data() + text.size() - tail.size()), static_cast<int>(tail.size()),
                              platform::W(tail.data()), static_cast<int>(tail.size()), TRUE) == CSTR_EQUAL;
}

std::string Ansi(const std::u16string& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, platform::W(text), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string ansi(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, platform::W(text), -1, &ansi[0], size, nullptr, nullptr);
  ansi.resize(static_cast<size_t>(size - 1));
  return ansi;
}

}  // namespace

// HTML Help lives in its own library, which only a help request loads.
void ShowHtmlHelp(const std::u16string& address) {
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  static HMODULE library = LoadLibraryW(L"hhctrl.ocx");
  if (library == nullptr) return;
  const auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
  constexpr UINT kDisplayTopic = 0;
  if (htmlHelp != nullptr) htmlHelp(nullptr, platform::W(address), kDisplayTopic, 0);
}

void SettingsPage::ShowPageHelp(int controlId) {
  const HelpTopic* help = nullptr;
  for (const HelpTopic& h : help_) {
    if (h.controlId == controlId) {
      help = &h;
      break;
    }
  }
  if (help == nullptr) return;
  DriverUiApp& app = App();
  const wchar_t* helpFile = platform::W(app.HelpFile());
  if (help->contextId != 0) {
    WinHelpW(Handle(), helpFile, HELP_CONTEXT, static_cast<ULONG_PTR>(static_cast<uint32_t>(help->contextId)));
  } else if (help->topic.empty()) {
    return;
  } else if (EndsWithNoCase(help->topic, u".htm") || EndsWithNoCase(help->topic, u".html")) {
    std::u16string anchor;
    if (working_ != nullptr) {
      PrinterPaperNames names(*working_);
      anchor = app.Features().HelpAnchor(names);
    }
    ShowHtmlHelp(app.TextFileBase() + u".chm::/" + help->topic + u"#" + anchor);
  } else {
    // WinHelp works in ANSI: Windows converts a keyword on the way, Wine passes the wide text
    // on as it came and the help window reads its first letter. The module converts it itself.
    const std::string file = Ansi(app.HelpFile()), keyword = Ansi(help->topic);
    WinHelpA(Handle(), file.c_str(), HELP_KEY, reinterpret_cast<ULONG_PTR>(keyword.c_str()));
  }
}

}  // namespace qxge
