#include "platform/tooltip_relay.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

struct Relay {
  DWORD thread;
  HWND owner;
  HWND tooltip;
};
struct ThreadHook {
  DWORD thread;
  HHOOK hook;
};

// Windows belong to the thread that made them, and so do thread hooks. Plain tables rather
// than thread-local ones: a thread-local object with a destructor would pin the module in
// memory until its thread ends. A host may run sheets on several threads, so the tables are
// shared under one lock.
SRWLOCK g_lock = SRWLOCK_INIT;

std::vector<Relay>& Relays() {
  static std::vector<Relay> relays;
  return relays;
}
std::vector<ThreadHook>& Hooks() {
  static std::vector<ThreadHook> hooks;
  return hooks;
}

HWND TooltipFor(HWND window) {
  // Few owners are attached at once (the pages of one sheet); the walk up is in-process.
  const DWORD thread = GetCurrentThreadId();
  AcquireSRWLockShared(&g_lock);
  HWND found = nullptr;
  for (HWND w = window; w != nullptr; w = (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) != 0 ? GetParent(w) : nullptr) {
    for (const Relay& r : Relays())
      if (r.thread == thread && r.owner == w) found = r.tooltip;
    if (found != nullptr) break;
  }
  ReleaseSRWLockShared(&g_lock);
  return found;
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
  const DWORD thread = GetCurrentThreadId();
  AcquireSRWLockExclusive(&g_lock);
  std::vector<ThreadHook>& hooks = Hooks();
  bool hooked = std::any_of(hooks.begin(), hooks.end(), [&](const ThreadHook& h) { return h.thread == thread; });
  if (!hooked) {
    const HHOOK hook = SetWindowsHookExW(WH_MOUSE, MouseHook, nullptr, thread);
    hooked = hook != nullptr;
    if (hooked) hooks.push_back({thread, hook});
  }
  if (hooked) Relays().push_back({thread, owner, tooltip});
  ReleaseSRWLockExclusive(&g_lock);
}

void DetachTooltipRelay(HWND tooltip) {
  const DWORD thread = GetCurrentThreadId();
  HHOOK unhook = nullptr;
  AcquireSRWLockExclusive(&g_lock);
  std::vector<Relay>& relays = Relays();
  relays.erase(std::remove_if(relays.begin(), relays.end(), [&](const Relay& r) { return r.tooltip == tooltip; }),
               relays.end());
  // The last tooltip of a thread takes its hook along: nothing may call into a module that the
  // host unloads after its sheets have gone.
  if (std::none_of(relays.begin(), relays.end(), [&](const Relay& r) { return r.thread == thread; })) {
    std::vector<ThreadHook>& hooks = Hooks();
    for (auto h = hooks.begin(); h != hooks.end(); ++h) {
      if (h->thread != thread) continue;
      unhook = h->hook;
      hooks.erase(h);
      break;
    }
  }
  ReleaseSRWLockExclusive(&g_lock);
  if (unhook != nullptr) UnhookWindowsHookEx(unhook);
}

}  // namespace platform
