// Following a link of the pages: web addresses open in the user's browser, off the page's
// thread; "print://" names a file beside the module that goes to the printer instead.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "record/driver_dev_mode.h"

namespace qxge {

// A target, for the tooltip or the browser, is cut to this many characters.
constexpr size_t kMaxLinkChars = 260;

void OpenLink(HWND owner, const DriverDevMode& record, std::u16string_view target);

class SettingsPage;

// The targets of count links from firstId, from the text file's "Ref_URL_1" on: a link without
// a value is hidden; one naming the printer's host ("%s") stays greyed while the printer has
// no address. targets takes count entries; a hidden or greyed link's stays empty.
void SetUpLinks(SettingsPage& page, int firstId, std::u16string* targets, int count);

}  // namespace qxge
