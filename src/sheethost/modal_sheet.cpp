#include "modal_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <utility>

namespace qxhost {
namespace {

thread_local ModalHook* g_current = nullptr;

}  // namespace

ModalHook::ModalHook(int marker, std::function<void(HWND)> act) : marker_(marker), act_(std::move(act)) {
  g_current = this;
  hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

ModalHook::~ModalHook() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  g_current = nullptr;
}

LRESULT CALLBACK ModalHook::Hook(int code, WPARAM wParam, LPARAM lParam) {
  const auto window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && g_current != nullptr && g_current->window_ == nullptr &&
      GetDlgItem(window, g_current->marker_) != nullptr) {
    g_current->window_ = window;
    SetTimer(nullptr, 0, 1, Act);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK ModalHook::Act(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (g_current != nullptr) g_current->act_(g_current->window_);
}

void SettleSheet() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::vector<std::wstring> TabCaptions(HWND sheet) {
  const HWND tabs = PropSheet_GetTabControl(sheet);
  std::vector<std::wstring> captions;
  for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
    wchar_t text[128] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 128;
    TabCtrl_GetItem(tabs, i, &item);
    captions.emplace_back(text);
  }
  return captions;
}

namespace {

struct TooltipSearch {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTooltip(HWND window, LPARAM data) {
  auto* s = reinterpret_cast<TooltipSearch*>(data);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == s->owner) s->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> OwnedTooltips(HWND owner) {
  TooltipSearch search{owner, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectTooltip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void ShowEachPage(HWND sheet, const std::function<void()>& settle,
                  const std::function<void(size_t index, const std::wstring& caption)>& visit) {
  const std::vector<std::wstring> captions = TabCaptions(sheet);
  for (size_t i = 0; i < captions.size(); ++i) {
    PropSheet_SetCurSel(sheet, nullptr, static_cast<int>(i));
    SetForegroundWindow(sheet);
    settle();
    visit(i, captions[i]);
  }
}

void OpenEachDialog(HWND page, const std::function<std::wstring(HWND)>& textOf,
                    const std::function<void(HWND dialog)>& visit) {
  std::vector<HWND> buttons;
  for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16] = {};
    const LONG style = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
    if (GetClassNameW(child, kind, 16) != 0 && lstrcmpiW(kind, WC_BUTTONW) == 0 &&
        (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON))
      buttons.push_back(child);
  }
  for (HWND button : buttons) {
    const std::wstring text = textOf(button);
    if (!IsWindowVisible(button) || !IsWindowEnabled(button) || text.size() < 3 ||
        text.compare(text.size() - 3, 3, L"...") != 0)
      continue;
    ModalHook hook(IDCANCEL, [&](HWND dialog) {
      visit(dialog);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    SettleSheet();
  }
}

}  // namespace qxhost
