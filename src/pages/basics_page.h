// The two compact pages of the photo models.
#pragma once

#include "pagebase/settings_page.h"

namespace qxge {

class BasicsPage : public SettingsPage {
 public:
  BasicsPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Basics", pageId) {}
};

class MainPage : public SettingsPage {
 public:
  MainPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Main", pageId) {}
};

}  // namespace qxge
