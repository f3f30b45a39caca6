// The product's About pages and the About box; they show texts and links and edit nothing.
#pragma once

#include <array>
#include <string>

#include "pagebase/settings_page.h"
#include "preview/owner_drawn.h"

namespace qxge {

class AboutPage : public SettingsPage {
 public:
  AboutPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"About", pageId) {}
  void OnSetActive() override {}
  void OnStoreControls() override {}

 protected:
  // A modal form over parent, showing the texts of record's printer.
  AboutPage(int templateId, HWND parent, DriverDevMode* record) : SettingsPage(templateId, u"About", parent, record) {}
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  static constexpr int kLinks = 3;
  std::array<LinkLabel, kLinks> links_;
  std::array<std::u16string, kLinks> targets_;
};

class AboutDialog : public AboutPage {
 public:
  AboutDialog(HWND parent, DriverDevMode* record, int templateId = IDD_ABOUT_BOX);
};

}  // namespace qxge
