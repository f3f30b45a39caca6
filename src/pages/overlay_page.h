// The user's overlay files and the job's use of one, as the Overlay page and as the Edit
// Overlay dialog. Files the user deletes from the list go from the disk only when the change
// is committed (Apply on the page, OK in the dialog), never on Cancel.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "pagebase/settings_page.h"

namespace qxge {

// An overlay file chosen in the overlays folder, whose folder is remembered for next time:
// save asks before overwriting, open needs an existing file. Empty when the user cancelled.
std::u16string ChooseOverlayFile(HWND owner, const std::u16string& title, const std::u16string& description,
                                 const char16_t* extension, bool save);

class OverlayEditor : public SettingsPage {
 public:
  OverlayEditor(int templateId, int32_t pageId) : SettingsPage(templateId, u"Overlay", pageId) {}
  // record: changed only when the dialog ends with OK.
  OverlayEditor(HWND parent, DriverDevMode* record);

  void OnSetActive() override;
  void OnStoreControls() override;
  int OnApply() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnDestroy() override;

 private:
  enum Mode { kNoOverlay = 0, kUseOverlay = 1, kCreateOverlay = 2 };
  bool IsDialog() const { return target_ != nullptr; }
  void Refresh();
  void Choose(bool create);
  void Delete();
  // The deleted files, and a stale copy of the file the job is to create, leave the disk.
  void CleanUp();

  DriverDevMode* target_ = nullptr;
  DriverDevMode edited_{};
  int mode_ = kNoOverlay;
  std::vector<std::u16string> pendingDeletions_;
};

}  // namespace qxge
