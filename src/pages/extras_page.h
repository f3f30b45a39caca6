// The Extras and Output pages: output options shared by all three, the destination, print
// order and stapling of the Extras pages, the watermark and overlay choices of the full one,
// and the two dialogs the Extras pages open: More Options and Print and Hold.
#pragma once

#include <cstdint>
#include <vector>

#include "pagebase/settings_page.h"
#include "pages/extras_rules.h"
#include "pages/numeric_controls.h"
#include "resources/resource.h"

namespace qxge {

// The output option checks and the form file, on a page or in the More Options dialog.
class OutputOptionsBase : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  bool OnCommand(int id, int code, HWND control) override;
  // The option rows in their order: those the model has, or none when the form does not hold
  // the options. PlaceOptions closes up over the rows not shown and gives the height given up.
  void AddOptionRows(bool onForm, std::vector<ControlRow>& rows) const;
  int PlaceOptions(bool onForm);

 private:
  void ApplySaveAsFormRule();

  EditText formFile_;
};

class ExtrasPageBase : public OutputOptionsBase {
 public:
  // variant: the option rows the page has free (2 beside watermark and overlay, 7 without).
  ExtrasPageBase(int templateId, int32_t pageId, int variant)
      : OutputOptionsBase(templateId, u"Extras", pageId), variant_(variant) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void ApplyPrintOrderRule();
  void ShowStapleRow(bool show);

  const int variant_;
  bool optionsHere_ = false;
  bool stapleShown_ = true;  // the template's row, until a record has no stapler
};

class ExtrasPage : public ExtrasPageBase {
 public:
  ExtrasPage(int templateId, int32_t pageId, int variant) : ExtrasPageBase(templateId, pageId, variant) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnDestroy() override;

 private:
  bool OverlaysAvailable() const;
  void FillWatermarks();
  void FillOverlays();

  bool overlays_ = false;
  uint64_t watermarkStamp_ = 0, overlayStamp_ = 0;  // the collections as the lists show them
};

class SimpleExtrasPage : public ExtrasPageBase {
 public:
  SimpleExtrasPage(int templateId, int32_t pageId, int variant) : ExtrasPageBase(templateId, pageId, variant) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
};

// The options the Extras page had no room for, on the page's record, changed on OK only.
class MoreOptionsDialog : public OutputOptionsBase {
 public:
  MoreOptionsDialog(HWND parent, DriverDevMode* record) : OutputOptionsBase(IDD_MORE_OPTIONS, u"More", parent, record) {}
  void OnSettingChanged() override {}

 protected:
  BOOL OnInitDialog() override;
};

// How the printer keeps a job: printed at once, proofed, kept behind a passcode, stored,
// spooled or printed later; the record changes on OK only.
class PrintAndHoldDialog : public SettingsPage {
 public:
  PrintAndHoldDialog(HWND parent, DriverDevMode* record)
      : SettingsPage(IDD_PRINT_AND_HOLD, u"Hold", parent, record) {}
  void OnSetActive() override;
  void OnStoreControls() override;
  void OnSettingChanged() override {}

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  bool OptionsEnabled() const;
  int16_t Mode() const;
  void ApplyModeRule();
  void ShowSharedRow(bool show);
  void ApplyFlagRule();
  // Refuses a passcode that is not as the model asks, with the message; empties hidden ones.
  bool CheckPasscode();

  PasscodeLimits limits_;
  bool sharedRowShown_ = true;  // the row of the store choices and the delayed time
};

class OutputPage : public SettingsPage {
 public:
  OutputPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Output", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;

 private:
  // The clone sizes in the record's unit.
  void FillTypes();
  void FillPageOrders(intptr_t selected);
  void ApplyTypeRule();
  void ApplyPagesPerSideRule();

  NumberSpin copies_;
  bool typesInInches_ = false;
};

}  // namespace qxge
