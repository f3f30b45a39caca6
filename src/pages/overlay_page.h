// The overlay list and the job's choice of an overlay.
#pragma once

#include "pagebase/settings_page.h"

namespace qxge {

class OverlayPage : public SettingsPage {
 public:
  OverlayPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Overlay", pageId) {}
};

}  // namespace qxge
