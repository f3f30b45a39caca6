// The printer's installed options, and the maintenance page of the photo models; both use
// the Printer section of the text file.
#pragma once

#include "pagebase/settings_page.h"

namespace qxge {

class PrinterPage : public SettingsPage {
 public:
  PrinterPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Printer", pageId) {}
};

class MaintenancePage : public SettingsPage {
 public:
  MaintenancePage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Printer", pageId) {}
};

}  // namespace qxge
