// The Layout pages: orientation, rotation and double-sided printing in the base; layout
// types, pages per side and posters on the full page; the compact page keeps the options in
// a dialog of their own.
#pragma once

#include <cstdint>
#include <vector>

#include "pagebase/settings_page.h"
#include "pages/numeric_controls.h"
#include "preview/layout_preview.h"
#include "preview/owner_drawn.h"
#include "resources/resource.h"

namespace qxge {

struct ModelFeatures;

// A list item: its English text, also its key in the text file, and its record value.
struct ListItem {
  const char16_t* text;
  intptr_t data;
};
// Pages refill on every change: a list that already holds these items keeps them, since every
// item added is a round trip through the combo box and the text file.
void SetItems(const SettingsPage& page, int id, const std::vector<ListItem>& items);
// The picture resource of the orientation, rotated by 0, 90 or 180 degrees.
int OrientationPicture(bool landscape, int rotation);

// The orders of the pages on a side for a count of pages per side (its list index).
std::vector<ListItem> PageOrderItems(int pagesPerSide, bool landscape);

// The duplex choice (0 Printer Default, 1 None, 2 Long Edge, 3 Short Edge) that shows the
// record's duplex value.
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
  // The double-sided group grew by dy pixels, or shrank when dy is negative.
  virtual void OnDuplexGroupResized(int /*dy*/) {}

 private:
  void FillRotation();
  bool Manual() const;
  bool UnitMissing() const;
  // Printer Default is a choice only on a model that offers it and has its duplex unit.
  bool PrinterDefaultOffered() const;

  // The double-sided rows shown, stacked from the group's first row without holes; the frames
  // end below the last one.
  void StackDuplexRows(bool printerDefault, bool reverse);

  static constexpr int kDuplexRowCount = 5;
  LargeIcon orientationPicture_, duplexPicture_;
  bool rotateCombo_ = false;
  int rowTops_[kDuplexRowCount] = {};  // the template's rows, from the frame's top
  int frameMargin_ = 0;                // from the last row's bottom to the frame's
  int stacked_ = -1;                   // the rows last stacked
};

// The groups of the layout types that the full page and the More Layout Options dialog share,
// under the same control ids in both: their lists, spins, rules and record fields.
class LayoutTypeGroups {
 public:
  enum Type { kMultiple = 0, kPoster = 1, kBooklet = 2, kVirtual = 3, kFit = 4, kScale = 5, kNone = 6 };
  // What a command meant: not one of ours, nothing, a changed value, or a change of what the
  // groups show.
  enum class Command { NotOurs, Ignored, Changed, Reshow };

  // The page keeps the overlap to what its unit can need; the dialog takes any text.
  LayoutTypeGroups(SettingsPage& owner, bool limitOverlapText) : owner_(owner), limitOverlapText_(limitOverlapText) {}
  void Init(const DriverDevMode& record);
  void Fill(const DriverDevMode& record, int pagesPerSide);
  // The orders for a count of pages per side, keeping the chosen one where it still exists.
  void FillPageOrders(int pagesPerSide, const DriverDevMode& record);
  void Show(int type, bool editable, const DriverDevMode& record);
  void Enable(bool enable);
  void Store(int type, DriverDevMode& record) const;
  Command OnCommand(int id, int code, const DriverDevMode& record);
  // An up-down step of one of the spins; false when it was not ours.
  bool OnDelta(const NMHDR& header);

 private:
  bool InchesShown(const DriverDevMode& record) const;
  void FillPageOrders(int pagesPerSide, intptr_t selected, const DriverDevMode& record);
  void ShowOverlapUnit(const DriverDevMode& record);

  SettingsPage& owner_;
  const bool limitOverlapText_;
  NumberSpin scale_;
  LengthSpin overlap_;
};

// The papers a target-paper list offers, as item text and paper id.
void AddOfferedPapers(HWND combo, const DriverDevMode& record);

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
  void EnableOptions();
  void OnTypeChange(bool optionsEnabled);

  LayoutTypeGroups groups_{*this, true};
  bool scalingActive_ = false;
  int previousType_ = -1;
};

class CompactLayoutPage : public LayoutPageBase {
 public:
  CompactLayoutPage(int templateId, int32_t pageId) : LayoutPageBase(templateId, u"Layout", pageId) {}
  void OnSetActive() override;

 protected:
  bool OnCommand(int id, int code, HWND control) override;
  void OnDuplexGroupResized(int dy) override;

 private:
  // A booklet or a poster chosen in the dialog rules out double-sided printing.
  bool LayoutBlocksDuplex() const;
  void EnableMoreButton();
};

// Every layout type of the compact page, the Paper page's two scaling types among them. It
// edits the page's record only on OK; until then its preview shows a scratch copy.
class MoreLayoutOptionsDialog : public SettingsPage {
 public:
  MoreLayoutOptionsDialog(HWND parent, DriverDevMode* record)
      : SettingsPage(IDD_MORE_LAYOUT, u"Layout More", parent, record) {}
  void OnSetActive() override;
  void OnStoreControls() override;
  void OnSettingChanged() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;

 private:
  void PlaceRadios();
  int SelectedType() const;
  void ShowType();
  void Store(DriverDevMode& record) const;

  LayoutTypeGroups groups_{*this, false};
  NumberSpin percent_;
  LayoutPreview preview_;
  DriverDevMode scratch_{};
};

}  // namespace qxge
