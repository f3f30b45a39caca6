// The product's About pages; they show texts and links and edit nothing.
#pragma once

#include "pagebase/settings_page.h"

namespace qxge {

class AboutPage : public SettingsPage {
 public:
  AboutPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"About", pageId) {}
  void OnSetActive() override {}
  void OnStoreControls() override {}
};

}  // namespace qxge
