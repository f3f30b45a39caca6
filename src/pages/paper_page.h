// The Paper pages: copies, size, source, type, separator and first page in the base; collate
// and scaling on the full page.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "pagebase/settings_page.h"
#include "pages/numeric_controls.h"
#include "platform/combo_box.h"
#include "printer/paper_list.h"
#include "resources/resource.h"

namespace qxge {

struct ModelFeatures;

// Papers, bins or media types as items: the name shown, the number as the item's data.
void AddEntries(const platform::ComboBox& combo, const std::vector<PaperEntry>& entries);

// The bins a list offers for the record on this model: named bins, the envelope feeder only
// with its supply, and the bins of the optional tray only when it is fitted; only those in
// `only` when it names any.
std::vector<PaperEntry> BinsByRule(const std::vector<PaperEntry>& bins, const DriverDevMode& record,
                                   const ModelFeatures& model, std::initializer_list<int32_t> only = {});

class PaperPageBase : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;

  // Fills the base's controls from the working record; the papers the printer reported stay
  // in Papers() until the next fill.
  void FillPaperOptions();
  const std::vector<PaperEntry>& Papers() const { return papers_; }
  // A large paper prints one page per sheet, fitted: true when the chosen size is one and the
  // record was made so.
  bool ApplyLargePaperRule();
  // "Custom...": the user's own sizes, edited in a dialog of their own.
  void OnCustomPaper();
  // The page routes the spin's typing and steps to it and runs the change hook after them.
  void BindSpin(NumberSpin& spin, int editId, int spinId, int32_t min, int32_t max);

 private:
  void ApplyTypeRule();
  // Any separator but none asks for its tray and place.
  void OnSeparatorChosen();

  struct BoundSpin {
    NumberSpin* spin;
    int editId, spinId;
  };
  std::vector<BoundSpin> spins_;
  NumberSpin copies_;
  std::vector<PaperEntry> papers_;
};

class PaperPage : public PaperPageBase {
 public:
  PaperPage(int templateId, int32_t pageId) : PaperPageBase(templateId, u"Paper", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  // The record's layout leaves no room for scaling.
  bool LayoutBlocksScaling() const;
  // Enables the scaling as the paper and the layout allow; true when the paper is a large one.
  bool ApplyScalingRule();
  void ShowScalingType();

  NumberSpin percent_;
};

// The form of models whose scaling lives in the More Layout Options dialog: who picks the tray,
// and a banner sheet before each job.
class CompactPaperPage : public PaperPageBase {
 public:
  CompactPaperPage(int templateId, int32_t pageId) : PaperPageBase(templateId, u"Paper", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  bool ForcesTray() const;
  // The source list is the user's only while a tray is forced; otherwise it shows the model's.
  void ShowTrayChoice();
};

// Where the separator sheets between transparencies come from, and on which side they go.
class SeparatorDialog : public SettingsPage {
 public:
  SeparatorDialog(HWND parent, DriverDevMode* record) : SettingsPage(IDD_SEPARATOR, u"Separator", parent, record) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
};

}  // namespace qxge
