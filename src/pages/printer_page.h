// The printer's installed options, and the maintenance page of the photo models; both use
// the Printer section of the text file.
#pragma once

#include <array>

#include "pagebase/settings_page.h"
#include "preview/owner_drawn.h"

namespace qxge {

class PrinterPage : public SettingsPage {
 public:
  PrinterPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Printer", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void ApplyPowerSaveRule();
  // A fresh page shows the window switch on until the monitor's key says otherwise.
  bool statusWindow_ = true;
};

class MaintenancePage : public SettingsPage {
 public:
  MaintenancePage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Printer", pageId) {}

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  // texts: the title and description beside the button, zero-terminated.
  void BindPictureButton(ImageButton& button, int id, int stripId, const std::array<int, 3>& texts);

  ImageButton alignment_, cleaning_;
};

}  // namespace qxge
