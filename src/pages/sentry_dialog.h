// The status watch's settings for the record's printer: whether it watches and how often it
// asks the printer. Only OK writes them.
#pragma once

#include "pagebase/settings_page.h"
#include "pages/numeric_controls.h"
#include "resources/resource.h"

namespace qxge {

class SentrySettingsDialog : public SettingsPage {
 public:
  SentrySettingsDialog(HWND parent, DriverDevMode* record) : SettingsPage(IDD_SENTRY, u"Sentry", parent, record) {}
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;

 private:
  void ApplyEnablingRule();
  NumberSpin interval_;
};

}  // namespace qxge
