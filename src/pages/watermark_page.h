// The user's watermarks and the job's choice among them, as the Watermark page (every change
// goes into the job at once) and as the Edit Watermark dialog (the job changes on OK).
#pragma once

#include <windows.h>

#include <memory>

#include "collections/watermarks.h"
#include "pagebase/font_attributes.h"
#include "pagebase/settings_page.h"
#include "pages/numeric_controls.h"

namespace qxge {

class WatermarkEditor : public SettingsPage {
 public:
  WatermarkEditor(int templateId, int32_t pageId) : SettingsPage(templateId, u"Watermark", pageId) {}
  // record: changed only when the dialog ends with OK.
  WatermarkEditor(HWND parent, DriverDevMode* record);

  void OnSetActive() override;
  void OnStoreControls() override;
  int OnKillActive() override;
  int OnApply() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnDestroy() override;

 private:
  // What the edits may do against the list entry at a position.
  struct Verdict {
    bool canAdd = false, canUpdate = false;
  };
  bool IsDialog() const { return target_ != nullptr; }
  std::unique_ptr<WatermarkItem> Edited() const;
  Verdict Evaluate(int position) const;
  void Show(const WatermarkItem* item);
  void ShowAngleMode(int mode);
  void Refresh();
  void Add();
  void Update();
  void Delete();
  void OnSelectionChange();
  // Save Changes? for the shown entry: IDYES, IDNO, IDCANCEL; IDYES when nothing is pending.
  int AskToKeepEdits();

  DriverDevMode* target_ = nullptr;
  DriverDevMode edited_{};
  FontAttributes font_;
  NumberSpin angle_, size_;
  int shown_ = -1;  // the list position the controls were filled from
  bool showing_ = false;  // the controls are being filled: their notifications are ours
  bool saving_ = false;   // the page stores itself after a refresh: no entry is added
  bool listChanged_ = true;  // the list differs from what the registry holds
};

}  // namespace qxge
