// Stands in for the HTML Help control in the test process: loaded under its name before the
// module asks for it, it keeps the last request instead of opening a help window.
#include <windows.h>

#include <string>

namespace {
std::wstring g_address;
UINT g_command = 0;
HWND g_owner = reinterpret_cast<HWND>(-1);
}  // namespace

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpW(HWND owner, LPCWSTR address, UINT command, DWORD_PTR) {
  g_owner = owner;
  g_address = address != nullptr ? address : L"";
  g_command = command;
  return nullptr;
}

// The last request, empty when none came since the last look.
extern "C" __declspec(dllexport) const wchar_t* LastHtmlHelp(UINT* command, HWND* owner) {
  static std::wstring taken;
  taken.swap(g_address);
  g_address.clear();
  *command = g_command;
  *owner = g_owner;
  return taken.c_str();
}
