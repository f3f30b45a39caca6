// The page factory: which page class serves a host page number on this model.
#pragma once

#include <cstdint>
#include <memory>

#include "pagebase/settings_page.h"

namespace qxge {

// A new, windowless page for a host page number, chosen by the model; none for numbers the
// module does not have.
std::unique_ptr<SettingsPage> CreatePage(int32_t pageId);

}  // namespace qxge
