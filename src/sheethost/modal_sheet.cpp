#include "modal_sheet.h"

#include <utility>

namespace qxhost {
namespace {

// Among a window's own children only a property sheet has the Apply button.
constexpr int kApplyButton = 0x3021;

thread_local ModalSheetHook* g_current = nullptr;

}  // namespace

ModalSheetHook::ModalSheetHook(std::function<void(HWND)> act) : act_(std::move(act)) {
  g_current = this;
  hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

ModalSheetHook::~ModalSheetHook() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  g_current = nullptr;
}

LRESULT CALLBACK ModalSheetHook::Hook(int code, WPARAM wParam, LPARAM lParam) {
  const auto window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && g_current != nullptr && g_current->sheet_ == nullptr &&
      GetDlgItem(window, kApplyButton) != nullptr) {
    g_current->sheet_ = window;
    // The sheet places its focus after it activates; the act waits for its loop.
    SetTimer(nullptr, 0, 1, Act);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK ModalSheetHook::Act(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (g_current != nullptr) g_current->act_(g_current->sheet_);
}

void SettleSheet() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace qxhost
