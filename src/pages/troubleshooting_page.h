// Test and information prints and the support links.
#pragma once

#include <array>
#include <string>

#include "pagebase/settings_page.h"
#include "preview/owner_drawn.h"

namespace qxge {

class TroubleshootingPage : public SettingsPage {
 public:
  TroubleshootingPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Troubleshooting", pageId) {}

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  static constexpr int kLinks = 6;
  void FillTestPages();
  void PrintTestPage();
  void ViewLastTopic();

  LinkLabel sentryLink_;
  std::array<LinkLabel, kLinks> links_;
  std::array<std::u16string, kLinks> targets_;
};

}  // namespace qxge
