// The user's named paper sizes, edited from the Paper page: sizes are added, updated and
// deleted in the list, and nothing reaches the registry or the record before OK.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "collections/custom_papers.h"
#include "pagebase/settings_page.h"
#include "pages/numeric_controls.h"
#include "resources/resource.h"

namespace qxge {

class CustomPageSizeDialog : public SettingsPage {
 public:
  // record: the page's working record; changed only when the dialog ends with OK.
  CustomPageSizeDialog(HWND parent, DriverDevMode* record)
      : SettingsPage(IDD_CUSTOM_PAGE_SIZE, u"Custom Paper", parent, &edited_), target_(record), edited_(*record) {}
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnDestroy() override;

 private:
  // What the typed values may do at a list position (-1: none).
  struct Verdict {
    bool canAdd = false, canUpdate = false, selectedValid = false;
  };
  std::unique_ptr<CustomPaperItem> Edited() const;
  Verdict Check(int position) const;
  void Show(const CustomPaperItem* item);
  void ShowSelected();
  void RefreshUnit();
  void UpdateButtons();
  void Add();
  void Update();
  void Delete();
  void OnSelectionChange();
  bool Inches() const { return Checked(IDC_CUSTOM_INCHES); }

  DriverDevMode* target_;
  DriverDevMode edited_;
  LengthSpin width_, height_;
  std::u16string widthLabel_, heightLabel_;
  int remembered_ = -1;
};

}  // namespace qxge
