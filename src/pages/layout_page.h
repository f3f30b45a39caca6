// The Layout pages: orientation, rotation and double-sided printing in the base; layout
// types, pages per side and posters on the full page; the compact page keeps the options in
// a dialog of their own.
#pragma once

#include <cstdint>

#include "host/settings_page.h"
#include "pages/numeric_controls.h"
#include "preview/owner_drawn.h"

namespace qxge {

struct ModelFeatures;

// Picture resources of the orientation (rotation 0, 90 or 180 degrees) and of the duplex
// choice (0 Printer Default, 1 None, 2 Long Edge, 3 Short Edge).
int OrientationPicture(bool landscape, int rotation);
int DuplexPicture(bool landscape, int rotation, int choice, bool reverse);

// Duplex choice to the record's duplex value and back.
int16_t DuplexValue(int choice);
int DuplexChoice(int16_t value, bool printerDefaultOffered);

class LayoutPageBase : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

  // Enables the double-sided group unless the record, the model or the layout rule it out.
  void EnableDuplex(bool blockedByLayout);
  int Rotation() const;
  bool Landscape() const;
  int CurrentDuplexChoice() const;
  void UpdatePictures();
  // True when 90 degrees is chosen on a paper that may be turned: the sheet is then fixed.
  bool RotatedPaper() const;

 private:
  void FillRotation();
  bool Manual() const;
  bool UnitMissing() const;

  LargeIcon orientationPicture_, duplexPicture_;
  bool rotateCombo_ = false;
};

class LayoutPage : public LayoutPageBase {
 public:
  LayoutPage(int templateId, int32_t pageId) : LayoutPageBase(templateId, u"Layout", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;

 private:
  int SelectedType() const;
  void FillTypes();
  void FillPageOrders(int pagesPerSide);
  void EnableOptions();
  void OnTypeChange(bool optionsEnabled);
  void ShowOverlapUnit();
  bool InchesShown() const;

  NumberSpin scale_;
  LengthSpin overlap_;
  bool scalingActive_ = false;
  int previousType_ = -1;
};

class CompactLayoutPage : public LayoutPageBase {
 public:
  CompactLayoutPage(int templateId, int32_t pageId) : LayoutPageBase(templateId, u"Layout", pageId) {}
};

}  // namespace qxge
