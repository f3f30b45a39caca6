// Page frames, notes and dates printed with the photos.
#pragma once

#include "pagebase/settings_page.h"

namespace qxge {

class DecoPage : public SettingsPage {
 public:
  DecoPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Deco", pageId) {}
};

}  // namespace qxge
