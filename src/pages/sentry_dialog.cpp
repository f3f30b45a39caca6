#include "pages/sentry_dialog.h"

#include "printer/status_watch.h"

namespace qxge {
namespace {

const int kIntervalControls[] = {IDC_SENTRY_INTERVAL, IDC_SENTRY_INTERVAL_SPIN, IDC_SENTRY_INTERVAL_LABEL, 0};

}  // namespace

BOOL SentrySettingsDialog::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  interval_.Bind(Handle(), IDC_SENTRY_INTERVAL, IDC_SENTRY_INTERVAL_SPIN, kMinSentryInterval, kMaxSentryInterval, 2);
  const SentrySettings settings = working_ != nullptr ? ReadSentrySettings(*working_) : SentrySettings{};
  interval_.SetValue(settings.interval);
  Check(IDC_SENTRY_ENABLE, settings.enabled);
  ApplyEnablingRule();
  return result;
}

void SentrySettingsDialog::ApplyEnablingRule() {
  EnableControls(kIntervalControls, Editable() && Checked(IDC_SENTRY_ENABLE));
}

bool SentrySettingsDialog::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_SENTRY_ENABLE:
      if (code == BN_CLICKED) ApplyEnablingRule();
      return true;
    case IDC_SENTRY_INTERVAL:
      interval_.OnEditCommand(code);
      return true;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
}

bool SentrySettingsDialog::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS || header.idFrom != IDC_SENTRY_INTERVAL_SPIN)
    return SettingsPage::OnNotify(header, result);
  interval_.OnDelta(reinterpret_cast<const NMUPDOWN&>(header));
  result = TRUE;  // the spin keeps its value in the edit, not in the up-down
  return true;
}

void SentrySettingsDialog::OnStoreControls() {
  // The settings are the printer's, not the job's: the record stays as it is.
  if (working_ != nullptr) WriteSentrySettings(*working_, {Checked(IDC_SENTRY_ENABLE), interval_.Value()});
}

}  // namespace qxge
