// Mouse messages for tooltips without subclassing each tool's window. A subclassed window pays
// a window-property look-up on every message it gets, which under Wine is a server round trip;
// a dialog that gives every control a tip would pay it on every message of every control. One
// mouse hook per thread instead hands the tooltip only the mouse messages, once each.
#pragma once

#include <windows.h>

namespace platform {

// Relays the mouse messages of owner and of every window inside it to tooltip, until the
// tooltip is detached. Tools added to tooltip then leave out TTF_SUBCLASS.
void AttachTooltipRelay(HWND owner, HWND tooltip);
void DetachTooltipRelay(HWND tooltip);

}  // namespace platform
