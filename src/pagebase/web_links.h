// Following a link of the pages: web addresses open in the user's browser, off the page's
// thread; "print://" names a file beside the module that goes to the printer instead.
#pragma once

#include <windows.h>

#include <string_view>

#include "record/driver_dev_mode.h"

namespace qxge {

// A target, for the tooltip or the browser, is cut to this many characters.
constexpr size_t kMaxLinkChars = 260;

void OpenLink(HWND owner, const DriverDevMode& record, std::u16string_view target);

}  // namespace qxge
