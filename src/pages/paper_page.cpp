#include "pages/paper_page.h"

#include <algorithm>

#include "app/driver_ui_app.h"
#include "collections/custom_papers.h"
#include "config/profile_file.h"
#include "config/model_features.h"
#include "pages/custom_page_size_dialog.h"
#include "platform/combo_box.h"
#include "platform/win_text.h"
#include "printer/paper_names.h"
#include "printer/printer_lookup.h"
#include "record/record_compare.h"
#include "resources/resource.h"

namespace qxge {
namespace {

using platform::ComboBox;

const ModelFeatures& Model() { return App().Features(); }

// The media type the printer lists as Transparency, and the bin that feeds it.
constexpr intptr_t kTransparency = 3;
constexpr int32_t kTransparencyBin = 6;
constexpr int32_t kUpperBin = 1, kLowerBin = 2, kEnvelopeBin = 5, kAutomaticBin = 7, kOptionalTrayBins = 256;
constexpr intptr_t kScaleFit = 4, kScaleReduce = 5, kScaleNone = 6;

const int kSeparatorControls[] = {IDC_SEPARATOR_LABEL, IDC_SEPARATOR, 0};
const int kFirstPageControls[] = {IDC_FIRST_PAGE_LABEL, IDC_FIRST_PAGE, 0};
const int kSourceControls[] = {IDC_SOURCE_LABEL, IDC_SOURCE, 0};
const int kTrayControls[] = {IDC_TRAY_AUTO, IDC_TRAY_FORCE, 0};
const int kScalingTypeControls[] = {IDC_SCALING_TYPE_LABEL, IDC_SCALING_TYPE, 0};
const int kFitControls[] = {IDC_FIT_PAPER_LABEL, IDC_FIT_PAPER, 0};
const int kPercentControls[] = {IDC_PERCENT_LABEL, IDC_PERCENT, IDC_PERCENT_SPIN, 0};
const int kScalingControls[] = {IDC_SCALING_FRAME, IDC_SCALING_TYPE_LABEL, IDC_SCALING_TYPE, IDC_FIT_PAPER_LABEL,
                                IDC_FIT_PAPER, IDC_PERCENT_LABEL, IDC_PERCENT, IDC_PERCENT_SPIN, 0};

// A list the printer left empty offers nothing to choose: it is shown grey.
void GreyIfEmpty(SettingsPage& page, int id) {
  if (ComboBox(page.Item(id)).Count() == 0) page.EnableControl(id, false);
}

// Several pages per side, or a booklet the record can print.
bool LayoutInForce(const DriverDevMode& record) {
  const ModelFeatures& m = Model();
  const PrivateDevMode& p = record.dmPrivate;
  return p.iNup >= 1 || (m.LayoutBooklet != 0 && !IsDuplexBlocked(record, m) && p.iBooklet != 0);
}

}  // namespace

void AddEntries(const ComboBox& combo, const std::vector<PaperEntry>& entries) {
  for (const PaperEntry& entry : entries) combo.Add(platform::W(entry.name), entry.id);
}

std::vector<PaperEntry> BinsByRule(const std::vector<PaperEntry>& bins, const DriverDevMode& record,
                                   const ModelFeatures& model, std::initializer_list<int32_t> only) {
  const PrivateDevMode& p = record.dmPrivate;
  std::vector<PaperEntry> offered;
  for (const PaperEntry& bin : bins) {
    if (bin.name.empty()) continue;
    if (only.size() != 0 && std::find(only.begin(), only.end(), bin.id) == only.end()) continue;
    if (bin.id == kEnvelopeBin && p.iEvlSupply < 1) continue;
    // Without the optional tray a model names its bins either above 256 or as the lower bin.
    if (p.iOptTray < 1 && (model.PrinterTray34 != 0 ? bin.id > kOptionalTrayBins : bin.id == kLowerBin)) continue;
    offered.push_back(bin);
  }
  return offered;
}

// ---- PaperPageBase ----------------------------------------------------------------------

BOOL PaperPageBase::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  BindSpin(copies_, IDC_COPIES, IDC_COPIES_SPIN, 1, 999);
  if (working_ == nullptr) return result;
  AddEntries(ComboBox(Item(IDC_MEDIA_TYPE)), PrinterMediaTypes(*working_));
  GreyIfEmpty(*this, IDC_MEDIA_TYPE);
  if (Model().PaperSeparator != 0) {
    const ComboBox separators(Item(IDC_SEPARATOR));
    static const char16_t* const kSeparators[] = {u"No Separator", u"Printed Separator...", u"Blank Separator...",
                                                  u"Colored Separator..."};
    for (int i = 0; i < 4; ++i) separators.Add(platform::W(ItemText(kSeparators[i])), i);
  }
  return result;
}

void PaperPageBase::FillPaperOptions() {
  const ModelFeatures& m = Model();
  DriverDevMode& r = *working_;
  const PrivateDevMode& p = r.dmPrivate;

  papers_ = SizeListPapers(r);
  const ComboBox sizes(Item(IDC_PAPER_SIZE));
  sizes.Clear();
  AddEntries(sizes, papers_);
  sizes.SelectByData(r.dmPublic.dmPaperSize);

  // One question to the printer serves both bin lists.
  const std::vector<PaperEntry> bins = BinsByRule(PrinterBins(r), r, m);
  if (m.PaperFirstPage != 0) {
    const ComboBox first(Item(IDC_FIRST_PAGE));
    first.Clear();
    first.Add(platform::W(ItemText(u"None")), 0);
    AddEntries(first, bins);
    first.SelectByData(p.iDiffPaper != 0 ? p.wCoverSource : 0);
  }
  const ComboBox sources(Item(IDC_SOURCE));
  sources.Clear();
  AddEntries(sources, bins);
  if (!sources.SelectByData(r.dmPublic.dmDefaultSource) && baseline_ != nullptr)
    sources.SelectByData(baseline_->dmPublic.dmDefaultSource);

  copies_.SetValue(r.dmPublic.dmCopies);
  ComboBox(Item(IDC_MEDIA_TYPE)).SelectByData(p.iPaperType);
  ComboBox(Item(IDC_SEPARATOR)).SelectByData(std::clamp<int16_t>(p.iOhp, 0, 3));
  ApplyTypeRule();
}

void PaperPageBase::OnSetActive() {
  if (working_ == nullptr) return;
  FillPaperOptions();
  SettingsPage::OnSetActive();
}

void PaperPageBase::ApplyTypeRule() {
  const bool transparency = ComboBox(Item(IDC_MEDIA_TYPE)).SelectedData() == kTransparency;
  if (Editable()) {
    EnableControls(kSeparatorControls, transparency);
    EnableControls(kFirstPageControls, !transparency);
  }
  // Transparencies feed from their own bin.
  if (transparency) ComboBox(Item(IDC_SOURCE)).SelectByData(kTransparencyBin);
  if (Model().PaperSeparator != 0) SetOptionUsageTip(IDC_SEPARATOR, 5, !transparency, IDC_SEPARATOR_LABEL);
}

bool PaperPageBase::ApplyLargePaperRule() {
  const intptr_t size = ComboBox(Item(IDC_PAPER_SIZE)).SelectedData();
  if (size < 0 || !ModelFeatures::ListContains(static_cast<int32_t>(size), Model().PaperIndex)) return false;
  PrivateDevMode& p = working_->dmPrivate;
  p.iNup = 0;
  p.iPoster = 0;
  p.iVirtualPrint = 0;
  p.iER = 0;
  p.iFitPage = 1;
  return true;
}

void PaperPageBase::OnStoreControls() {
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  PublicDevMode& pub = working_->dmPublic;
  PrivateDevMode& p = working_->dmPrivate;
  pub.dmFields |= dm::kPaperSize | dm::kCopies | dm::kDefaultSource;
  pub.dmCopies = static_cast<int16_t>(copies_.Value());
  const intptr_t size = ComboBox(Item(IDC_PAPER_SIZE)).SelectedData();
  pub.dmPaperSize = static_cast<int16_t>(size);
  bool ownSize = false;
  if (size >= kFirstCustomPaper) {
    // A size deleted meanwhile prints as a printer paper would, never as a sheet of no size.
    const CustomPaperItem custom(static_cast<int32_t>(size - kFirstCustomPaper));
    ownSize = custom.IsValid(nullptr);
    if (ownSize) custom.ApplyTo(*working_);
  }
  if (!ownSize) pub.dmFields &= ~(dm::kPaperLength | dm::kPaperWidth);
  pub.dmDefaultSource = static_cast<int16_t>(ComboBox(Item(IDC_SOURCE)).SelectedData());
  // Wine's driver lists no media: the record keeps the type it came with.
  const ComboBox types(Item(IDC_MEDIA_TYPE));
  if (types.Count() > 0) p.iPaperType = static_cast<int16_t>(types.SelectedData());
  if (m.PaperSeparator != 0) p.iOhp = static_cast<int16_t>(ComboBox(Item(IDC_SEPARATOR)).SelectedData());
  if (m.PaperFirstPage != 0) p.wCoverSource = static_cast<uint16_t>(ComboBox(Item(IDC_FIRST_PAGE)).SelectedData());
  p.iDiffPaper = p.wCoverSource != 0 ? 1 : 0;
  SettingsPage::OnStoreControls();
}

void PaperPageBase::OnCustomPaper() {
  if (working_ == nullptr) return;
  CustomPageSizeDialog dialog(Handle(), working_);
  if (dialog.RunModal() != IDOK) return;
  // The sizes were renumbered and the record holds the chosen one: every list and the preview
  // show them anew. A size that went gives way to the baseline's paper.
  if (PreviewWnd* preview = Preview()) preview->ForgetPapers();
  Refill();
  const ComboBox sizes(Item(IDC_PAPER_SIZE));
  if (sizes.SelectedData() != working_->dmPublic.dmPaperSize && baseline_ != nullptr)
    sizes.SelectByData(baseline_->dmPublic.dmPaperSize);
  OnSettingChanged();
}

void PaperPageBase::OnSeparatorChosen() {
  if (working_ == nullptr || ComboBox(Item(IDC_SEPARATOR)).SelectedData() <= 0) return;
  // The dialog writes the record on OK; its answer does not matter, the page's choice is taken.
  SeparatorDialog(Handle(), working_).RunModal();
}

void PaperPageBase::BindSpin(NumberSpin& spin, int editId, int spinId, int32_t min, int32_t max) {
  spin.Bind(Handle(), editId, spinId, min, max, 3);
  spins_.push_back({&spin, editId, spinId});
}

bool PaperPageBase::OnCommand(int id, int code, HWND control) {
  for (const BoundSpin& bound : spins_) {
    if (bound.editId != id) continue;
    NumberSpin& spin = *bound.spin;
    if (spin.OnEditCommand(code)) OnSettingChanged();
    return true;
  }
  switch (id) {
    case IDC_MEDIA_TYPE:
      if (code != CBN_SELCHANGE) return true;
      ApplyTypeRule();
      break;
    case IDC_SEPARATOR:
      if (code != CBN_SELCHANGE) return true;
      OnSeparatorChosen();
      break;
    case IDC_PAPER_SIZE:
    case IDC_SOURCE:
    case IDC_FIRST_PAGE:
      if (code != CBN_SELCHANGE) return true;
      break;
    case IDC_CUSTOM_PAPER:
      if (code == BN_CLICKED) OnCustomPaper();
      return true;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

bool PaperPageBase::OnNotify(const NMHDR& header, LRESULT& result) {
  for (const BoundSpin& bound : spins_) {
    if (header.code != UDN_DELTAPOS || header.idFrom != static_cast<UINT_PTR>(bound.spinId)) continue;
    bound.spin->OnDelta(reinterpret_cast<const NMUPDOWN&>(header));
    result = TRUE;  // the position is ours; the up-down must not move on its own
    OnSettingChanged();
    return true;
  }
  return SettingsPage::OnNotify(header, result);
}

// ---- PaperPage --------------------------------------------------------------------------

BOOL PaperPage::OnInitDialog() {
  const BOOL result = PaperPageBase::OnInitDialog();
  const ModelFeatures& m = Model();
  BindSpin(percent_, IDC_PERCENT, IDC_PERCENT_SPIN, 25, 400);
  ShowControl(IDC_COLLATE, m.PaperCollate != 0 ? 1 : 0);
  // The separator and first-page rows close up from the bottom of their group, and the scaling
  // group follows.
  const int pitch = ControlOffset(IDC_FIRST_PAGE, IDC_SEPARATOR, false).y;
  const int moved = CloseUpRows({{kSeparatorControls, m.PaperSeparator != 0, pitch},
                                 {kFirstPageControls, m.PaperFirstPage != 0, pitch}});
  if (moved != 0) {
    const SIZE shorter{0, -moved};
    const POINT groupUp{0, -moved};
    PlaceControl(IDC_PAPER_FRAME, nullptr, &shorter);
    ShowControls(kScalingControls, -1, &groupUp);
  }
  return result;
}

bool PaperPage::LayoutBlocksScaling() const {
  const PrivateDevMode& p = working_->dmPrivate;
  return p.iPoster > 0 || p.iVirtualPrint != 0 || (LayoutInForce(*working_) && Model().LayoutFitToPage == 0);
}

void PaperPage::OnSetActive() {
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  const DriverDevMode& r = *working_;
  const PrivateDevMode& p = r.dmPrivate;
  Check(IDC_COLLATE, p.bDrvCollate >= 1);

  const ComboBox types(Item(IDC_SCALING_TYPE));
  types.Clear();
  if (m.PaperScaleNone != 0) types.Add(platform::W(ItemText(u"None")), kScaleNone);
  types.Add(platform::W(ItemText(u"Fit to Page")), kScaleFit);
  // With several pages per side the Layout page fits them itself; it cannot also scale them.
  if (!(m.LayoutFitToPage != 0 && LayoutInForce(r))) types.Add(platform::W(ItemText(u"Reduce/Enlarge")), kScaleReduce);
  types.SelectByData(p.iFitPage != 0 ? kScaleFit : p.iER != 0 ? kScaleReduce : m.PaperScaleNone != 0 ? kScaleNone : kScaleReduce);
  percent_.SetValue(p.iERRatio >= 25 && p.iERRatio <= 400 ? p.iERRatio : 100);

  FillPaperOptions();
  const ComboBox targets(Item(IDC_FIT_PAPER));
  targets.Clear();
  AddEntries(targets, OfferedPapers(Papers(), m.PaperIndex));
  targets.SelectByData(p.iFitPagePaper != 0 ? p.iFitPagePaper : r.dmPublic.dmPaperSize);
  ApplyScalingRule();
  SettingsPage::OnSetActive();
}

bool PaperPage::ApplyScalingRule() {
  const ModelFeatures& m = Model();
  const DriverDevMode& r = *working_;
  const bool large = ApplyLargePaperRule();
  if (large) ComboBox(Item(IDC_SCALING_TYPE)).SelectByData(kScaleFit);
  const bool blocked = LayoutBlocksScaling();
  const bool rotated = m.LayoutRotate != 0 && ModelFeatures::ListContains(r.dmPublic.dmPaperSize, m.RotatePapers) &&
                       r.dmPrivate.iRotate == 90;
  const bool disabled = blocked || rotated;
  const bool enable = !disabled && Editable();
  EnableControl(IDC_SCALING_FRAME, enable);
  EnableControls(kScalingTypeControls, enable && !large);
  EnableControls(kFitControls, enable);
  EnableControls(kPercentControls, enable);
  SetOptionUsageTip(IDC_SCALING_TYPE, 15, !disabled && large, IDC_SCALING_TYPE_LABEL);
  const int tip = blocked ? (m.LayoutTypeNone != 0 ? 11 : 1) : 10;
  SetOptionUsageTip(IDC_SCALING_FRAME, tip - 1, disabled, 0);
  ShowScalingType();
  return large;
}

void PaperPage::ShowScalingType() {
  const intptr_t type = ComboBox(Item(IDC_SCALING_TYPE)).SelectedData();
  ShowControls(kFitControls, type == kScaleFit ? 1 : 0);
  ShowControls(kPercentControls, type == kScaleReduce ? 1 : 0);
  percent_.SetValue(percent_.Value());
}

void PaperPage::OnStoreControls() {
  PaperPageBase::OnStoreControls();
  if (working_ == nullptr) return;
  PublicDevMode& pub = working_->dmPublic;
  PrivateDevMode& p = working_->dmPrivate;
  if (Model().PaperCollate != 0) {
    if (p.bDrvCollate >= 0) p.bDrvCollate = Checked(IDC_COLLATE) ? 1 : 0;
    if ((pub.dmFields & dm::kCollate) != 0) pub.dmCollate = p.bDrvCollate > 0 ? 1 : 0;
  }
  const intptr_t type = ComboBox(Item(IDC_SCALING_TYPE)).SelectedData();
  p.iFitPage = type == kScaleFit ? 1 : 0;
  if (type == kScaleFit) p.iFitPagePaper = static_cast<int16_t>(ComboBox(Item(IDC_FIT_PAPER)).SelectedData());
  p.iER = type == kScaleReduce ? 1 : 0;
  p.iERRatio = static_cast<int16_t>(percent_.Value());
}

bool PaperPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_PAPER_SIZE:
      if (code != CBN_SELCHANGE) return true;
      OnSettingChanged();
      // A large paper rewrote the layout after the change was taken: take that too.
      if (ApplyScalingRule()) OnSettingChanged();
      return true;
    case IDC_SCALING_TYPE:
      if (code != CBN_SELCHANGE) return true;
      ShowScalingType();
      break;
    case IDC_FIT_PAPER:
      if (code != CBN_SELCHANGE) return true;
      break;
    case IDC_COLLATE:
      if (code != BN_CLICKED) return true;
      break;
    default:
      return PaperPageBase::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

// ---- CompactPaperPage -------------------------------------------------------------------

BOOL CompactPaperPage::OnInitDialog() {
  const BOOL result = PaperPageBase::OnInitDialog();
  const ModelFeatures& m = Model();
  // Each row's height is the distance to the row below it, measured before anything moves.
  const int separator = ControlOffset(IDC_TRAY_AUTO, IDC_SEPARATOR, false).y;
  const int trays = ControlOffset(IDC_SOURCE, IDC_TRAY_AUTO, false).y;
  const int cover = ControlOffset(IDC_FIRST_PAGE, IDC_SOURCE, false).y;
  const int moved = CloseUpRows({{kSeparatorControls, m.PaperSeparator != 0, separator},
                                 {kTrayControls, m.PaperTrayRadio != 0, trays},
                                 {kSourceControls, true, 0},
                                 {kFirstPageControls, m.PaperFirstPage != 0, cover}});
  const POINT up{0, -moved};
  ShowControl(IDC_BANNER_SHEET, m.PaperBannerSheet != 0 ? 1 : 0, &up);
  if (moved != 0) {
    const SIZE shorter{0, -moved};
    PlaceControl(IDC_PAPER_FRAME, nullptr, &shorter);
  }
  return result;
}

bool CompactPaperPage::ForcesTray() const { return Model().PaperTrayRadio == 0 || Checked(IDC_TRAY_FORCE); }

void CompactPaperPage::OnSetActive() {
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  const DriverDevMode& r = *working_;
  Check(IDC_BANNER_SHEET, r.dmPrivate.iBannerSheet >= 1);
  const bool force = m.PaperTrayRadio == 0 || r.dmPrivate.iForceTray > 0;
  CheckRadio(IDC_TRAY_AUTO, IDC_TRAY_FORCE, force ? IDC_TRAY_FORCE : IDC_TRAY_AUTO);
  FillPaperOptions();
  if (m.PaperTrayRadio != 0) {
    // "Let printer select" is the radio's to say, not the list's.
    const ComboBox sources(Item(IDC_SOURCE));
    sources.Remove(kAutomaticBin);
    if (force) sources.SelectByData(r.dmPublic.dmDefaultSource);
  }
  ShowTrayChoice();
  SettingsPage::OnSetActive();
}

void CompactPaperPage::ShowTrayChoice() {
  const bool force = ForcesTray();
  EnableControls(kSourceControls, force && Editable());
  if (force) return;
  ComboBox(Item(IDC_SOURCE)).SelectByData(Model().DefaultPaperSource);
}

void CompactPaperPage::OnStoreControls() {
  PaperPageBase::OnStoreControls();
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  PublicDevMode& pub = working_->dmPublic;
  PrivateDevMode& p = working_->dmPrivate;
  if (m.PaperTrayRadio != 0) {
    const bool force = ForcesTray();
    p.iForceTray = force ? 1 : 0;
    if (!force) {
      pub.dmFields |= dm::kDefaultSource;
      pub.dmDefaultSource = kAutomaticBin;
    }
  }
  if (m.PaperBannerSheet != 0 && p.iBannerSheet >= 0) p.iBannerSheet = Checked(IDC_BANNER_SHEET) ? 1 : 0;
}

bool CompactPaperPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_PAPER_SIZE:
      if (code != CBN_SELCHANGE) return true;
      // A large paper is fitted to a page; with no page chosen yet, to the first.
      if (ApplyLargePaperRule() && working_->dmPrivate.iFitPagePaper < 1) working_->dmPrivate.iFitPagePaper = 1;
      break;
    case IDC_TRAY_AUTO:
    case IDC_TRAY_FORCE:
      if (code != BN_CLICKED) return true;
      ShowTrayChoice();
      break;
    case IDC_BANNER_SHEET:
      if (code != BN_CLICKED) return true;
      break;
    default:
      return PaperPageBase::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

// ---- SeparatorDialog --------------------------------------------------------------------

BOOL SeparatorDialog::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  AddEntries(ComboBox(Item(IDC_SOURCE)), BinsByRule(PrinterBins(*working_), *working_, Model(), {kUpperBin, kLowerBin}));
  GreyIfEmpty(*this, IDC_SOURCE);
  Refill();
  return result;
}

void SeparatorDialog::OnSetActive() {
  const PrivateDevMode& p = working_->dmPrivate;
  ComboBox(Item(IDC_SOURCE)).SelectByData(p.iOhpSpTray);
  Check(IDC_SEPARATOR_BEFORE, p.iLocateOhp < 1);
  Check(IDC_SEPARATOR_AFTER, p.iLocateOhp >= 1);
}

void SeparatorDialog::OnStoreControls() {
  PrivateDevMode& p = working_->dmPrivate;
  p.iOhpSpTray = static_cast<int16_t>(ComboBox(Item(IDC_SOURCE)).SelectedData());
  p.iLocateOhp = Checked(IDC_SEPARATOR_AFTER) ? 1 : 0;
}

}  // namespace qxge
