// The Paper pages: copies, size, source, type, separator and first page in the base; collate
// and scaling on the full page.
#pragma once

#include <cstdint>
#include <vector>

#include "pagebase/settings_page.h"
#include "pages/numeric_controls.h"
#include "printer/paper_list.h"

namespace qxge {

struct ModelFeatures;

// The bins a list offers for the record on this model: named bins, the envelope feeder only
// with its supply, and the bins of the optional tray only when it is fitted.
std::vector<PaperEntry> BinsByRule(const std::vector<PaperEntry>& bins, const DriverDevMode& record,
                                   const ModelFeatures& model);

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

// The form of models whose scaling lives in the More Layout Options dialog. Its template holds
// no controls yet, so it must store nothing: the paper options' store would write what empty
// lists give.
class CompactPaperPage : public SettingsPage {
 public:
  CompactPaperPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Paper", pageId) {}
};

}  // namespace qxge
