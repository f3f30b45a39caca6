#include "platform/tooltip_relay.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

struct Relay {
  HWND owner;
  HWND tooltip;
};

// Windows belong to the thread that made them, and so do thread hooks: one table per thread.
thread_local std::vector<Relay> t_relays;
thread_local HHOOK t_hook = nullptr;

HWND TooltipFor(HWND window) {
  // Few owners are attached at once (the pages of one sheet); the walk up is in-process.
  for (HWND w = window; w != nullptr; w = (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) != 0 ? GetParent(w) : nullptr) {
    for (const Relay& r : t_relays)
      if (r.owner == w) return r.tooltip;
  }
  return nullptr;
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  const UINT message = static_cast<UINT>(wParam);
  // HC_NOREMOVE is a peek that leaves the message queued: it is relayed when it is taken.
  if (code == HC_ACTION && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    const HWND tooltip = TooltipFor(mouse->hwnd);
    if (tooltip != nullptr) {
      POINT client = mouse->pt;
      ScreenToClient(mouse->hwnd, &client);
      MSG msg = {};
      msg.hwnd = mouse->hwnd;
      msg.message = message;
      msg.lParam = MAKELPARAM(client.x, client.y);
      msg.time = GetMessageTime();
      msg.pt = mouse->pt;
      SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void AttachTooltipRelay(HWND owner, HWND tooltip) {
  if (owner == nullptr || tooltip == nullptr) return;
  DetachTooltipRelay(tooltip);
  if (t_hook == nullptr) t_hook = SetWindowsHookExW(WH_MOUSE, MouseHook, nullptr, GetCurrentThreadId());
  if (t_hook != nullptr) t_relays.push_back({owner, tooltip});
}

void DetachTooltipRelay(HWND tooltip) {
  t_relays.erase(std::remove_if(t_relays.begin(), t_relays.end(), [&](const Relay& r) { return r.tooltip == tooltip; }),
                 t_relays.end());
  if (t_relays.empty() && t_hook != nullptr) {
    UnhookWindowsHookEx(t_hook);
    t_hook = nullptr;
  }
}

}  // namespace platform
