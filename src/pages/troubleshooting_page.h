// Test and information prints and the support links.
#pragma once

#include "pagebase/settings_page.h"

namespace qxge {

class TroubleshootingPage : public SettingsPage {
 public:
  TroubleshootingPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Troubleshooting", pageId) {}
};

}  // namespace qxge
