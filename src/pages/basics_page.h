// The two compact pages of the photo models: borderless printing, orientation, a two-level
// quality, the photo paper and its type on Basics; copies, orientation, the photo paper and how
// pictures fill the sheet on Main.
#pragma once

#include <cstdint>

#include "pagebase/settings_page.h"
#include "pages/numeric_controls.h"
#include "preview/owner_drawn.h"

namespace qxge {

// What both pages show alike: the orientation with its picture, the printer's papers and the
// unit the photo sizes are given in.
class PhotoPageBase : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void FillPaper();
  void StorePaper();
  bool Landscape() const;
  intptr_t SelectedPaper() const;
  bool Inches() const;
  // The orientation was turned by the user; the picture already shows it.
  virtual void OnOrientationChanged() {}

 private:
  LargeIcon orientationPicture_;
};

class BasicsPage : public PhotoPageBase {
 public:
  BasicsPage(int templateId, int32_t pageId) : PhotoPageBase(templateId, u"Basics", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  bool Best() const;
  void ShowQualityPicture();
  // Borderless was just switched: the paper becomes its twin on the other side, if it has one.
  void SwitchToTwin();
  // A paper made for one side of borderless printing sets the check.
  void MatchBorderlessToPaper();

  LargeIcon qualityPicture_;
};

class MainPage : public PhotoPageBase {
 public:
  MainPage(int templateId, int32_t pageId) : PhotoPageBase(templateId, u"Main", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnOrientationChanged() override;

 private:
  bool SameImage() const;
  bool FixedSizes() const;
  // The fixed sizes a paper takes, named in the unit; a size chosen before stays chosen.
  void FillFixedSizes(bool inches, int32_t paper);
  void SelectRecordFixedSize();
  void FillPictureOrders(intptr_t selected);
  void ApplyLayoutRule();
  void ApplySameImageRule();
  // A count chosen in one list shows in the other; the fixed size then no longer holds.
  void ApplyCountRule(int fromId);

  NumberSpin copies_;
  bool fixedInInches_ = false;
};

}  // namespace qxge
