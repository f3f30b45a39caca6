#include "pages/layout_page.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "app/driver_ui_app.h"
#include "config/model_features.h"
#include "platform/combo_box.h"
#include "platform/win_text.h"
#include "printer/paper_names.h"
#include "record/record_compare.h"
#include "resources/resource.h"

namespace qxge {
namespace {

using platform::ComboBox;

const ModelFeatures& Model() { return App().Features(); }

constexpr int kTypeMultiple = LayoutTypeGroups::kMultiple, kTypePoster = LayoutTypeGroups::kPoster,
              kTypeBooklet = LayoutTypeGroups::kBooklet, kTypeVirtual = LayoutTypeGroups::kVirtual,
              kTypeFit = LayoutTypeGroups::kFit, kTypeScale = LayoutTypeGroups::kScale,
              kTypeNone = LayoutTypeGroups::kNone;
constexpr int kPosterCustom = 4;

const int kTypeControls[] = {IDC_LAYOUT_FRAME, IDC_LAYOUT_TYPE_LABEL, IDC_LAYOUT_TYPE, 0};
const int kMultipleControls[] = {IDC_NUP, IDC_NUP_LABEL, IDC_NUP_BORDER, IDC_PAGE_ORDER_LABEL, IDC_PAGE_ORDER, 0};
const int kOrderControls[] = {IDC_PAGE_ORDER_LABEL, IDC_PAGE_ORDER, 0};
const int kPosterControls[] = {IDC_POSTER_LABEL, IDC_POSTER, IDC_OVERLAP_LABEL, IDC_OVERLAP, IDC_OVERLAP_SPIN,
                               IDC_OVERLAP_MM, IDC_OVERLAP_INCHES, IDC_OVERLAP_UNITS, IDC_SCALE_LABEL, IDC_SCALE,
                               IDC_SCALE_SPIN, 0};
const int kScaleControls[] = {IDC_SCALE_LABEL, IDC_SCALE, IDC_SCALE_SPIN, 0};
const int kVirtualControls[] = {IDC_VIRTUAL_LABEL, IDC_VIRTUAL_PAPER, IDC_VIRTUAL_POS_LABEL, IDC_VIRTUAL_POSITION, 0};
const int kPositionControls[] = {IDC_VIRTUAL_POS_LABEL, IDC_VIRTUAL_POSITION, 0};
const int kFitControls[] = {IDC_FIT_PAPER_LABEL, IDC_FIT_PAPER, 0};
const int kPercentControls[] = {IDC_PERCENT_LABEL, IDC_PERCENT, IDC_PERCENT_SPIN, 0};
const int kDuplexControls[] = {IDC_DUPLEX_FRAME, IDC_DUPLEX_MANUAL_FRAME, IDC_DUPLEX_PICTURE, IDC_DUPLEX_DEFAULT,
                               IDC_DUPLEX_NONE, IDC_DUPLEX_LONG, IDC_DUPLEX_SHORT, IDC_DUPLEX_REVERSE, 0};
// The group's rows from the top: the four duplex choices in their order, then Reverse Duplex.
constexpr int kDuplexRows[] = {IDC_DUPLEX_DEFAULT, IDC_DUPLEX_NONE, IDC_DUPLEX_LONG, IDC_DUPLEX_SHORT,
                               IDC_DUPLEX_REVERSE};
constexpr int kDuplexChoices = 4;

bool PaperRotates(const DriverDevMode& record) {
  return Model().LayoutRotate != 0 && ModelFeatures::ListContains(record.dmPublic.dmPaperSize, Model().RotatePapers);
}

int RotationIndex(int rotation) { return rotation == 90 ? 1 : rotation == 180 ? 2 : 0; }

// The duplex radios are not numbered in a row, so CheckRadio would touch others.
void CheckDuplexRadio(const SettingsPage& page, int choice) {
  for (int i = 0; i < kDuplexChoices; ++i) page.Check(kDuplexRows[i], i == choice);
}

}  // namespace

void SetItems(const SettingsPage& page, int id, const std::vector<ListItem>& items) {
  const ComboBox combo(page.Item(id));
  bool same = combo.Count() == static_cast<int>(items.size());
  for (size_t i = 0; same && i < items.size(); ++i) same = combo.DataAt(static_cast<int>(i)) == items[i].data;
  if (same) return;
  combo.Clear();
  for (const ListItem& item : items) combo.Add(platform::W(page.ItemText(item.text)), item.data);
}

std::vector<ListItem> PageOrderItems(int pagesPerSide, bool landscape) {
  if (pagesPerSide == 1 && landscape) return {{u"Down", 0}, {u"Up", 4}};
  if (pagesPerSide == 1) return {{u"Right", 0}, {u"Left", 2}};
  return {{u"Right, Then Down", 0}, {u"Down, Then Right", 1}, {u"Left, Then Down", 2}, {u"Down, Then Left", 3}};
}

int OrientationPicture(bool landscape, int rotation) {
  static const int kPictures[3][2] = {{4040, 4036}, {4080, 4078}, {4042, 4038}};
  return kPictures[RotationIndex(rotation)][landscape ? 1 : 0];
}

namespace {

// Picture resources of the duplex choice (0 Printer Default, 1 None, 2 Long Edge, 3 Short Edge).
int DuplexPicture(bool landscape, int rotation, int choice, bool reverse) {
  // Rows: portrait 0, 90, 180, then landscape 0, 90, 180.
  static const int kNormal[6][4] = {{4082, 4026, 4024, 4034}, {4084, 4068, 4066, 4070}, {4086, 4030, 4028, 4032},
                                    {4084, 4014, 4012, 4022}, {4082, 4074, 4072, 4076}, {4088, 4018, 4016, 4020}};
  static const int kReverse[6][2] = {{4093, 4098}, {4099, 4100}, {4094, 4097},
                                     {4091, 4096}, {4101, 4102}, {4092, 4095}};
  const int row = (landscape ? 3 : 0) + RotationIndex(rotation);
  choice = std::clamp(choice, 0, 3);
  if (choice >= 2 && reverse) return kReverse[row][choice - 2];
  return kNormal[row][choice];
}

// The record's duplex value of a duplex choice.
int16_t DuplexValue(int choice) {
  static const int16_t kValues[4] = {3, 0, 1, 2};
  return kValues[std::clamp(choice, 0, 3)];
}

}  // namespace

int DuplexChoice(int16_t value, bool printerDefaultOffered) {
  switch (value) {
    case 3: return printerDefaultOffered ? 0 : 1;
    case 0: return 1;
    case 1: return 2;
    case 2: return 3;
    default: return printerDefaultOffered ? 0 : 1;  // a value nobody chose shows as the default
  }
}

// ---- LayoutPageBase --------------------------------------------------------------------

bool LayoutPageBase::Manual() const {
  return Model().LayoutDoubleManual != 0 && (Model().PrinterDuplex == 0 || working_->dmPrivate.iDuplexUnit < 1);
}

bool LayoutPageBase::PrinterDefaultOffered() const { return Model().LayoutDoublePrinter != 0 && !UnitMissing(); }

bool LayoutPageBase::UnitMissing() const {
  return Model().LayoutDoubleManual != 0 && Model().PrinterDuplex != 0 && working_->dmPrivate.iDuplexUnit < 1;
}

BOOL LayoutPageBase::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  const ModelFeatures& m = Model();
  orientationPicture_.Attach(Item(IDC_ORIENTATION_PICTURE));
  duplexPicture_.Attach(Item(IDC_DUPLEX_PICTURE));
  rotateCombo_ = m.LayoutRotate != 0 && !m.RotatePapers.empty();
  ShowControl(IDC_ROTATE_180, m.LayoutRotate != 0 && !rotateCombo_ ? 1 : 0);
  for (int id : {IDC_ROTATE_LABEL, IDC_ROTATE, IDC_DEGREES_LABEL}) ShowControl(id, rotateCombo_ ? 1 : 0);
  if (m.LayoutDoubleSided == 0) {
    ShowControls(kDuplexControls, 0);
    return result;
  }
  for (int i = 0; i < kDuplexRowCount; ++i) rowTops_[i] = ControlOffset(kDuplexRows[i], IDC_DUPLEX_FRAME, false).y;
  frameMargin_ = ControlOffset(IDC_DUPLEX_FRAME, kDuplexRows[kDuplexRowCount - 1], true).y;
  StackDuplexRows(m.LayoutDoublePrinter != 0, m.LayoutDoubleReverse != 0);
  return result;
}

void LayoutPageBase::StackDuplexRows(bool printerDefault, bool reverse) {
  const int shown = (printerDefault ? 1 : 0) | (reverse ? 2 : 0);
  if (shown == stacked_) return;
  stacked_ = shown;
  // Only the first and the last row come and go, so each row shown keeps the distance the
  // template puts after it.
  const bool visible[kDuplexRowCount] = {printerDefault, true, true, true, reverse};
  const RECT frame = ControlRect(IDC_DUPLEX_FRAME);
  int top = frame.top + rowTops_[0], bottom = top;
  for (int i = 0; i < kDuplexRowCount; ++i) {
    if (!visible[i]) continue;
    const RECT row = ControlRect(kDuplexRows[i]);
    const POINT at = {row.left, top};
    PlaceControl(kDuplexRows[i], &at, nullptr);
    bottom = top + (row.bottom - row.top);
    if (i + 1 < kDuplexRowCount) top += rowTops_[i + 1] - rowTops_[i];
  }
  const SIZE grow = {0, bottom + frameMargin_ - frame.bottom};
  if (grow.cy == 0) return;
  for (int id : {IDC_DUPLEX_FRAME, IDC_DUPLEX_MANUAL_FRAME}) PlaceControl(id, nullptr, &grow);
  RECT changed = frame;
  changed.bottom = std::max(frame.bottom, frame.bottom + grow.cy);
  InvalidateRect(Handle(), &changed, TRUE);
  OnDuplexGroupResized(grow.cy);
}

void LayoutPageBase::FillRotation() {
  const int16_t rotate = working_->dmPrivate.iRotate;
  Check(IDC_ROTATE_180, rotate == 180);
  if (!rotateCombo_) return;
  ComboBox combo(Item(IDC_ROTATE));
  combo.Clear();
  combo.Add(platform::W(ItemText(u"0")), 0);
  if (ModelFeatures::ListContains(working_->dmPublic.dmPaperSize, Model().RotatePapers))
    combo.Add(platform::W(ItemText(u"90")), 90);
  combo.Add(platform::W(ItemText(u"180")), 180);
  combo.SelectByData(std::clamp<int>(rotate, 0, 180));
}

void LayoutPageBase::OnSetActive() {
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  CheckRadio(IDC_LANDSCAPE, IDC_PORTRAIT, working_->dmPublic.dmOrientation == 2 ? IDC_LANDSCAPE : IDC_PORTRAIT);
  FillRotation();
  if (m.LayoutDoubleSided != 0) {
    const bool manual = Manual(), unitMissing = UnitMissing();
    ShowControl(IDC_DUPLEX_MANUAL_FRAME, manual ? 1 : 0);
    ShowControl(IDC_DUPLEX_FRAME, manual ? 0 : 1);
    const bool reverse = m.LayoutDoubleReverse != 0 && !unitMissing;
    ShowControl(IDC_DUPLEX_DEFAULT, PrinterDefaultOffered() ? 1 : 0);
    ShowControl(IDC_DUPLEX_REVERSE, reverse ? 1 : 0);
    StackDuplexRows(PrinterDefaultOffered(), reverse);
    const int16_t value = manual ? working_->dmPrivate.iManualDuplex : working_->dmPrivate.iHardwareDuplex;
    const int choice = DuplexChoice(value, PrinterDefaultOffered());
    CheckDuplexRadio(*this, choice);
    Check(IDC_DUPLEX_REVERSE, working_->dmPrivate.ReverseDuplex > 0);
  }
  UpdatePictures();
  SettingsPage::OnSetActive();
}

int LayoutPageBase::Rotation() const {
  if (rotateCombo_) return static_cast<int>(std::max<intptr_t>(0, ComboBox(Item(IDC_ROTATE)).SelectedData()));
  return Checked(IDC_ROTATE_180) ? 180 : 0;
}

bool LayoutPageBase::Landscape() const { return Checked(IDC_LANDSCAPE); }

int LayoutPageBase::CurrentDuplexChoice() const {
  for (int i = 0; i < kDuplexChoices; ++i)
    if (Checked(kDuplexRows[i])) return i;
  return 1;
}

bool LayoutPageBase::RotatedPaper() const { return PaperRotates(*working_) && Rotation() == 90; }

void LayoutPageBase::OnStoreControls() {
  if (working_ == nullptr) return;
  PrivateDevMode& p = working_->dmPrivate;
  working_->dmPublic.dmOrientation = Landscape() ? 2 : 1;
  working_->dmPublic.dmFields |= DM_ORIENTATION;
  if (Model().LayoutRotate != 0) p.iRotate = static_cast<int16_t>(Rotation());
  if (Model().LayoutDoubleSided != 0) {
    const int choice = CurrentDuplexChoice();
    const bool toManual = Model().LayoutDoubleManual != 0 && !(Model().PrinterDuplex != 0 && p.iDuplexUnit > 0);
    (toManual ? p.iManualDuplex : p.iHardwareDuplex) = DuplexValue(choice);
    static const int16_t kPublic[4] = {DMDUP_SIMPLEX, DMDUP_SIMPLEX, DMDUP_VERTICAL, DMDUP_HORIZONTAL};
    if ((working_->dmPublic.dmFields & DM_DUPLEX) != 0) working_->dmPublic.dmDuplex = kPublic[choice];
    p.ReverseDuplex = Checked(IDC_DUPLEX_REVERSE) ? 1 : 0;
  }
  SettingsPage::OnStoreControls();
}

void LayoutPageBase::EnableDuplex(bool blockedByLayout) {
  const ModelFeatures& m = Model();
  if (m.LayoutDoubleSided == 0 || working_ == nullptr) return;
  const DriverDevMode& r = *working_;
  const bool fit = r.dmPrivate.iFitPage != 0 && r.dmPrivate.iFitPagePaper != r.dmPublic.dmPaperSize;
  const bool noUnit = m.PrinterDuplex != 0 && r.dmPrivate.iDuplexUnit == 0 && m.LayoutDoubleManual == 0;
  const int32_t paper = fit ? r.dmPrivate.iFitPagePaper : r.dmPublic.dmPaperSize;
  const bool paperBad = !ModelFeatures::ListContains(paper, m.DoubleSidedPapers);
  const bool mediaBad = !m.DoubleSidedMedias.empty() && !ModelFeatures::ListContains(r.dmPrivate.iPaperType, m.DoubleSidedMedias);
  // Fitting to another paper blocks nothing by itself: it only decides which paper must allow it.
  const bool blocked = blockedByLayout || noUnit || paperBad || mediaBad;

  EnableControls(kDuplexControls, Editable() && !blocked);
  const int choice = CurrentDuplexChoice();
  EnableControl(IDC_DUPLEX_REVERSE, Editable() && !blocked && choice >= 2);
  ShowControl(IDC_DUPLEX_PICTURE, blocked ? 0 : 1);
  const int tip = noUnit ? 12 : paperBad && fit ? 18 : paperBad ? 7 : mediaBad ? 13 : 8;
  SetOptionUsageTip(IDC_DUPLEX_FRAME, tip - 1, blocked, 0);
  SetOptionUsageTip(IDC_DUPLEX_MANUAL_FRAME, tip - 1, blocked, 0);
}

void LayoutPageBase::UpdatePictures() {
  const bool landscape = Landscape();
  const int rotation = Rotation();
  orientationPicture_.SetIcon(OrientationPicture(landscape, rotation));
  duplexPicture_.SetIcon(DuplexPicture(landscape, rotation, CurrentDuplexChoice(), Checked(IDC_DUPLEX_REVERSE)));
}

bool LayoutPageBase::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_ORIENTATION_PICTURE:
      if (code != STN_CLICKED || !Editable()) return true;
      CheckRadio(IDC_LANDSCAPE, IDC_PORTRAIT, Landscape() ? IDC_PORTRAIT : IDC_LANDSCAPE);
      break;
    case IDC_DUPLEX_PICTURE: {
      if (code != STN_CLICKED || !Editable()) return true;
      int next = (CurrentDuplexChoice() + 1) % 4;
      if (next == 0 && !PrinterDefaultOffered()) next = 1;
      CheckDuplexRadio(*this, next);
      EnableDuplex(false);
      break;
    }
    case IDC_LANDSCAPE:
    case IDC_PORTRAIT:
    case IDC_ROTATE_180:
      if (code != BN_CLICKED) return true;
      break;
    case IDC_ROTATE:
      if (code != CBN_SELCHANGE) return true;
      break;
    case IDC_DUPLEX_DEFAULT:
    case IDC_DUPLEX_NONE:
    case IDC_DUPLEX_LONG:
    case IDC_DUPLEX_SHORT:
    case IDC_DUPLEX_REVERSE:
      if (code != BN_CLICKED) return true;
      EnableControl(IDC_DUPLEX_REVERSE, IsWindowEnabled(Item(IDC_DUPLEX_LONG)) && CurrentDuplexChoice() >= 2);
      break;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  UpdatePictures();
  OnSettingChanged();
  return true;
}

// ---- LayoutTypeGroups -------------------------------------------------------------------

void AddOfferedPapers(HWND combo, const DriverDevMode& record) {
  const ComboBox papers(combo);
  for (const PaperEntry& paper : OfferedPapers(record, Model().PaperIndex)) papers.Add(platform::W(paper.name), paper.id);
}

void LayoutTypeGroups::Init(const DriverDevMode& record) {
  const ModelFeatures& m = Model();
  auto add = [this](int id, const char16_t* text, intptr_t data) {
    ComboBox(owner_.Item(id)).Add(platform::W(owner_.ItemText(text)), data);
  };
  static const char16_t* const kCounts[] = {u"1", u"2", u"4", u"6", u"9", u"16"};
  for (int i = 0; i < 6; ++i) add(IDC_NUP, kCounts[i], i);
  add(IDC_POSTER, u"2x2", 1);
  add(IDC_POSTER, u"3x3", 2);
  add(IDC_POSTER, u"4x4", 3);
  if (m.LayoutPoster6x6 != 0) add(IDC_POSTER, u"6x6", 5);
  if (m.LayoutPosterCustom != 0) add(IDC_POSTER, u"Custom", kPosterCustom);
  add(IDC_OVERLAP_UNITS, u"Millimeters", 0);
  add(IDC_OVERLAP_UNITS, u"Inches", 1);
  static const char16_t* const kPositions[] = {u"Upper Left",   u"Upper Right",   u"Upper Middle",
                                               u"Center Left",  u"Center Right",  u"Center Middle",
                                               u"Lower Left",   u"Lower Right",   u"Lower Center"};
  for (int i = 0; i < 9; ++i) add(IDC_VIRTUAL_POSITION, kPositions[i], i);
  AddOfferedPapers(owner_.Item(IDC_VIRTUAL_PAPER), record);
  scale_.Bind(owner_.Handle(), IDC_SCALE, IDC_SCALE_SPIN, 150, 400, 3);
  overlap_.Bind(owner_.Handle(), IDC_OVERLAP, IDC_OVERLAP_SPIN, 0, 254);
  InstallEditFilter(owner_.Item(IDC_OVERLAP), EditFilter::Decimal);
}

void LayoutTypeGroups::Fill(const DriverDevMode& record, int pagesPerSide) {
  const PrivateDevMode& p = record.dmPrivate;
  ComboBox(owner_.Item(IDC_NUP)).SelectByData(pagesPerSide);
  FillPageOrders(pagesPerSide, record.dmPrivate.iNupLayout, record);
  owner_.Check(IDC_NUP_BORDER, p.iNupBorder != 0);
  ComboBox(owner_.Item(IDC_POSTER)).SelectByData(std::clamp<int>(p.iPoster, 1, 5));
  ComboBox(owner_.Item(IDC_OVERLAP_UNITS)).SelectByData(p.IsMMInch > 0 ? 1 : 0);
  overlap_.SetValue((p.iPosterOverlap * 254 + 50) / 100);
  ShowOverlapUnit(record);
  scale_.SetValue(p.iPoster_Scale);
  ComboBox(owner_.Item(IDC_VIRTUAL_PAPER)).SelectByData(p.iVirtualPaper);
  ComboBox(owner_.Item(IDC_VIRTUAL_POSITION)).SelectByData(std::clamp<int>(p.iVirtualLayout, 0, 8));
}

void LayoutTypeGroups::FillPageOrders(int pagesPerSide, const DriverDevMode& record) {
  const ComboBox orders(owner_.Item(IDC_PAGE_ORDER));
  FillPageOrders(pagesPerSide, orders.Count() > 0 ? orders.SelectedData() : record.dmPrivate.iNupLayout, record);
}

void LayoutTypeGroups::FillPageOrders(int pagesPerSide, intptr_t selected, const DriverDevMode& record) {
  SetItems(owner_, IDC_PAGE_ORDER, PageOrderItems(pagesPerSide, record.dmPublic.dmOrientation == 2));
  ComboBox(owner_.Item(IDC_PAGE_ORDER)).SelectByData(std::clamp<intptr_t>(selected, 0, 4));
}

bool LayoutTypeGroups::InchesShown(const DriverDevMode& record) const {
  if (Model().UnitsOnPreview != 0) return record.dmPrivate.IsMMInch > 0;
  return ComboBox(owner_.Item(IDC_OVERLAP_UNITS)).SelectedData() == 1;
}

void LayoutTypeGroups::ShowOverlapUnit(const DriverDevMode& record) {
  const bool inches = InchesShown(record);
  overlap_.SetUnit(inches, !limitOverlapText_ ? 0 : inches ? 4 : 2);
}

void LayoutTypeGroups::Enable(bool enable) {
  for (const int* group : {kMultipleControls, kPosterControls, kVirtualControls}) owner_.EnableControls(group, enable);
}

void LayoutTypeGroups::Show(int type, bool editable, const DriverDevMode& record) {
  const ModelFeatures& m = Model();
  owner_.ShowControls(kMultipleControls, type == kTypeMultiple ? 1 : 0);
  owner_.ShowControls(kPosterControls, type == kTypePoster ? 1 : 0);
  owner_.ShowControls(kVirtualControls, type == kTypeVirtual ? 1 : 0);
  if (type == kTypeMultiple) {
    if (m.LayoutMultipleOrder == 0) owner_.ShowControls(kOrderControls, 0);
    const bool several = ComboBox(owner_.Item(IDC_NUP)).SelectedData() > 0;
    owner_.EnableControl(IDC_NUP_BORDER, editable && several);
    owner_.EnableControls(kOrderControls, editable && several);
  } else if (type == kTypePoster) {
    if (m.LayoutPosterCustom == 0) owner_.ShowControls(kScaleControls, 0);
    const bool inches = InchesShown(record);
    if (m.UnitsOnPreview != 0) {
      owner_.ShowControl(IDC_OVERLAP_UNITS, 0);
      owner_.ShowControl(IDC_OVERLAP_INCHES, inches ? 1 : 0);
      owner_.ShowControl(IDC_OVERLAP_MM, inches ? 0 : 1);
    } else {
      owner_.ShowControl(IDC_OVERLAP_INCHES, 0);
      owner_.ShowControl(IDC_OVERLAP_MM, 0);
    }
    ShowOverlapUnit(record);
    const bool custom = ComboBox(owner_.Item(IDC_POSTER)).SelectedData() == kPosterCustom;
    owner_.EnableControls(kScaleControls, editable && custom);
    if (m.LayoutPosterCustom != 0) owner_.SetOptionUsageTip(IDC_SCALE, 4, !custom, IDC_SCALE_LABEL);
  } else if (type == kTypeVirtual) {
    if (m.LayoutVirtualOrder == 0) owner_.ShowControls(kPositionControls, 0);
    const bool otherPaper = ComboBox(owner_.Item(IDC_VIRTUAL_PAPER)).SelectedData() != record.dmPublic.dmPaperSize;
    owner_.EnableControls(kPositionControls, editable && otherPaper);
  }
}

void LayoutTypeGroups::Store(int type, DriverDevMode& record) const {
  const ModelFeatures& m = Model();
  PrivateDevMode& p = record.dmPrivate;
  auto data = [this](int id) { return static_cast<int16_t>(std::max<intptr_t>(0, ComboBox(owner_.Item(id)).SelectedData())); };
  if (m.LayoutBooklet != 0) p.iBooklet = type == kTypeBooklet ? 1 : 0;
  if (m.LayoutMultiple != 0) {
    p.iNup = type == kTypeMultiple ? data(IDC_NUP) : 0;
    p.iNupBorder = owner_.Checked(IDC_NUP_BORDER) ? 8 : 0;
    if (m.LayoutMultipleOrder != 0) p.iNupLayout = data(IDC_PAGE_ORDER);
  }
  if (m.LayoutPoster != 0) {
    p.iPoster = type == kTypePoster ? data(IDC_POSTER) : 0;
    p.iPosterOverlap = static_cast<int16_t>((overlap_.Value() * 100 + 127) / 254);
    if (m.LayoutPosterCustom != 0) p.iPoster_Scale = static_cast<int16_t>(scale_.Value());
    if (m.UnitsOnPreview == 0) p.IsMMInch = ComboBox(owner_.Item(IDC_OVERLAP_UNITS)).SelectedData() == 1 ? 1 : 0;
  }
  if (m.LayoutVirtual != 0) {
    p.iVirtualPrint = type == kTypeVirtual ? 1 : 0;
    if (type == kTypeVirtual) {
      p.iVirtualPaper = static_cast<int16_t>(ComboBox(owner_.Item(IDC_VIRTUAL_PAPER)).SelectedData());
      if (m.LayoutVirtualOrder != 0) p.iVirtualLayout = data(IDC_VIRTUAL_POSITION);
    }
  }
}

LayoutTypeGroups::Command LayoutTypeGroups::OnCommand(int id, int code, const DriverDevMode& record) {
  const auto changedIf = [](bool changed) { return changed ? Command::Changed : Command::Ignored; };
  switch (id) {
    case IDC_NUP:
      if (code != CBN_SELCHANGE) return Command::Ignored;
      FillPageOrders(static_cast<int>(ComboBox(owner_.Item(IDC_NUP)).SelectedData()), record);
      return Command::Reshow;
    case IDC_POSTER:
    case IDC_VIRTUAL_PAPER:
    case IDC_OVERLAP_UNITS:
      return code == CBN_SELCHANGE ? Command::Reshow : Command::Ignored;
    case IDC_NUP_BORDER:
      return changedIf(code == BN_CLICKED);
    case IDC_PAGE_ORDER:
    case IDC_VIRTUAL_POSITION:
      return changedIf(code == CBN_SELCHANGE);
    case IDC_SCALE:
      return changedIf(scale_.OnEditCommand(code));
    case IDC_OVERLAP:
      return changedIf(overlap_.OnEditCommand(code));
    default:
      return Command::NotOurs;
  }
}

bool LayoutTypeGroups::OnDelta(const NMHDR& header) {
  const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
  if (header.idFrom == static_cast<UINT_PTR>(IDC_SCALE_SPIN))
    scale_.OnDelta(change);
  else if (header.idFrom == static_cast<UINT_PTR>(IDC_OVERLAP_SPIN))
    overlap_.OnDelta(change);
  else
    return false;
  return true;
}

// ---- LayoutPage -------------------------------------------------------------------------

BOOL LayoutPage::OnInitDialog() {
  const BOOL result = LayoutPageBase::OnInitDialog();
  if (working_ != nullptr) groups_.Init(*working_);
  return result;
}

void LayoutPage::FillTypes() {
  const ModelFeatures& m = Model();
  const DriverDevMode& r = *working_;
  const bool fitOther = r.dmPrivate.iFitPage != 0 && r.dmPrivate.iFitPagePaper != r.dmPublic.dmPaperSize &&
                        m.LayoutFitToPage != 0;
  std::vector<ListItem> offered;
  if (m.LayoutTypeNone != 0) offered.push_back({u"None", kTypeNone});
  if (m.LayoutMultiple != 0) offered.push_back({u"Multiple Pages per Side", kTypeMultiple});
  if (m.LayoutPoster != 0 && !fitOther) offered.push_back({u"Poster", kTypePoster});
  if (m.LayoutBooklet != 0 && !IsDuplexBlocked(r, m)) offered.push_back({u"Booklet Printing", kTypeBooklet});
  if (m.LayoutVirtual != 0 && !fitOther) offered.push_back({u"Virtual Page Area", kTypeVirtual});
  SetItems(*this, IDC_LAYOUT_TYPE, offered);
  ShowControls(kTypeControls, offered.empty() ? 0 : 1);
  const ComboBox types(Item(IDC_LAYOUT_TYPE));

  int type = m.LayoutTypeNone != 0 && previousType_ != kTypeMultiple ? kTypeNone : kTypeMultiple;
  scalingActive_ = false;
  if (r.dmPrivate.iNup >= 1)
    type = kTypeMultiple;
  else if (m.LayoutBooklet != 0 && !IsDuplexBlocked(r, m) && r.dmPrivate.iBooklet != 0)
    type = kTypeBooklet;
  else if (r.dmPrivate.iPoster > 0)
    type = kTypePoster;
  else if (r.dmPrivate.iVirtualPrint != 0)
    type = kTypeVirtual;
  else if ((r.dmPrivate.iFitPage != 0 && m.LayoutFitToPage == 0) || (r.dmPrivate.iER != 0 && r.dmPrivate.iERRatio != 100))
    scalingActive_ = true;
  types.SelectByData(type);
  previousType_ = SelectedType();
}

int LayoutPage::SelectedType() const {
  const intptr_t type = ComboBox(Item(IDC_LAYOUT_TYPE)).SelectedData();
  return type < 0 ? kTypeNone : static_cast<int>(type);
}

void LayoutPage::OnSetActive() {
  if (working_ == nullptr) return;
  FillTypes();
  groups_.Fill(*working_, scalingActive_ ? 0 : std::clamp<int>(working_->dmPrivate.iNup, 0, 5));
  LayoutPageBase::OnSetActive();
  EnableOptions();
}

void LayoutPage::EnableOptions() {
  const bool rotated = RotatedPaper();
  const bool enabled = !scalingActive_ && !rotated;
  EnableControls(kTypeControls, enabled && Editable());
  groups_.Enable(enabled && Editable());
  const int tip = scalingActive_ ? (Model().PaperScaleNone != 0 ? 3 : 2) : 9;
  SetOptionUsageTip(IDC_LAYOUT_FRAME, tip - 1, !enabled, 0);
  OnTypeChange(enabled);
}

void LayoutPage::OnTypeChange(bool optionsEnabled) {
  const int type = SelectedType();
  groups_.Show(type, Editable() && optionsEnabled, *working_);
  EnableDuplex(type == kTypePoster || type == kTypeBooklet);
}

void LayoutPage::OnStoreControls() {
  LayoutPageBase::OnStoreControls();
  if (working_ != nullptr) groups_.Store(SelectedType(), *working_);
}

bool LayoutPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_LAYOUT_TYPE:
      if (code != CBN_SELCHANGE) return true;
      previousType_ = SelectedType();
      OnTypeChange(true);
      OnSettingChanged();
      return true;
    case IDC_ROTATE:
    case IDC_ROTATE_180:
      if (code != (id == IDC_ROTATE ? CBN_SELCHANGE : BN_CLICKED)) return true;
      UpdatePictures();
      // A turned sheet takes one page per side.
      if (RotatedPaper()) {
        ComboBox(Item(IDC_NUP)).SelectByData(0);
        groups_.FillPageOrders(0, *working_);
      }
      EnableOptions();
      OnSettingChanged();
      return true;
    default:
      break;
  }
  switch (groups_.OnCommand(id, code, *working_)) {
    case LayoutTypeGroups::Command::NotOurs: return LayoutPageBase::OnCommand(id, code, control);
    case LayoutTypeGroups::Command::Ignored: return true;
    case LayoutTypeGroups::Command::Reshow: OnTypeChange(true); break;
    case LayoutTypeGroups::Command::Changed: break;
  }
  OnSettingChanged();
  return true;
}

bool LayoutPage::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS || !groups_.OnDelta(header)) return LayoutPageBase::OnNotify(header, result);
  result = TRUE;  // the position is ours; the up-down must not move on its own
  OnSettingChanged();
  return true;
}

// ---- CompactLayoutPage ------------------------------------------------------------------

bool CompactLayoutPage::LayoutBlocksDuplex() const {
  const ModelFeatures& m = Model();
  const PrivateDevMode& p = working_->dmPrivate;
  return (m.LayoutBooklet != 0 && !IsDuplexBlocked(*working_, m) && p.iBooklet != 0) || p.iPoster >= 1;
}

void CompactLayoutPage::OnDuplexGroupResized(int dy) {
  // The button stays right under the double-sided group.
  const POINT move = {0, dy};
  ShowControl(IDC_MORE_LAYOUT, -1, &move);
}

void CompactLayoutPage::EnableMoreButton() { EnableControl(IDC_MORE_LAYOUT, Editable() && !RotatedPaper()); }

void CompactLayoutPage::OnSetActive() {
  if (working_ == nullptr) return;
  LayoutPageBase::OnSetActive();
  EnableDuplex(LayoutBlocksDuplex());
  EnableMoreButton();
}

bool CompactLayoutPage::OnCommand(int id, int code, HWND control) {
  if (id == IDC_MORE_LAYOUT) {
    if (code != BN_CLICKED || working_ == nullptr) return true;
    MoreLayoutOptionsDialog dialog(Handle(), working_);
    if (dialog.RunModal() == IDOK) {
      EnableDuplex(LayoutBlocksDuplex());
      OnSettingChanged();
    }
    return true;
  }
  // The dialog's options hold only while the sheet is not turned.
  if ((id == IDC_ROTATE && code == CBN_SELCHANGE) || (id == IDC_ROTATE_180 && code == BN_CLICKED)) EnableMoreButton();
  return LayoutPageBase::OnCommand(id, code, control);
}

// ---- MoreLayoutOptionsDialog ------------------------------------------------------------

BOOL MoreLayoutOptionsDialog::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  const ModelFeatures& m = Model();
  groups_.Init(*working_);
  AddOfferedPapers(Item(IDC_FIT_PAPER), *working_);
  percent_.Bind(Handle(), IDC_PERCENT, IDC_PERCENT_SPIN, 25, 400, 3);
  preview_.Attach(Item(IDC_MORE_PREVIEW));
  PlaceRadios();

  // A large paper is printed only scaled down to another.
  const bool large = ModelFeatures::ListContains(working_->dmPublic.dmPaperSize, m.PaperIndex);
  const bool editable = Editable() && !large;
  for (int id : {IDC_MORE_MULTIPLE, IDC_MORE_POSTER, IDC_MORE_VIRTUAL, IDC_MORE_SCALE}) EnableControl(id, editable);
  EnableControl(IDC_MORE_BOOKLET, editable && !IsDuplexBlocked(*working_, m));
  EnableControl(IDC_MORE_FIT, Editable());
  Refill();
  return result;
}

void MoreLayoutOptionsDialog::PlaceRadios() {
  const ModelFeatures& m = Model();
  const bool offered[] = {m.LayoutMultiple != 0, m.LayoutPoster != 0, m.LayoutBooklet != 0, m.LayoutVirtual != 0,
                          true, true};
  const int pitch = ControlOffset(IDC_MORE_POSTER, IDC_MORE_MULTIPLE, false).y;
  int moved = 0;
  for (int i = 0; i < 6; ++i) {
    const POINT up{0, -moved};
    ShowControl(IDC_MORE_MULTIPLE + i, offered[i] ? 1 : 0, &up);
    if (!offered[i]) moved += pitch;
  }
  if (moved == 0) return;
  // The options below and the dialog itself close up over the missing radios.
  const POINT up{0, -moved};
  const SIZE shorter{0, -moved};
  for (const int* group : {kMultipleControls, kPosterControls, kVirtualControls, kFitControls, kPercentControls})
    ShowControls(group, -1, &up);
  for (int id : {IDOK, IDCANCEL}) ShowControl(id, -1, &up);
  PlaceControl(IDC_LAYOUT_FRAME, nullptr, &shorter);
  PlaceControl(IDC_MORE_PREVIEW, nullptr, &shorter);
  GrowWindow(0, -moved);
}

int MoreLayoutOptionsDialog::SelectedType() const {
  for (int type = kTypeMultiple; type <= kTypeScale; ++type)
    if (Checked(IDC_MORE_MULTIPLE + type)) return type;
  return kTypeNone;
}

void MoreLayoutOptionsDialog::OnSetActive() {
  const ModelFeatures& m = Model();
  const DriverDevMode& r = *working_;
  const PrivateDevMode& p = r.dmPrivate;
  int type = kTypeScale;
  if (m.LayoutMultiple != 0 && p.iNup > 0)
    type = kTypeMultiple;
  else if (m.LayoutBooklet != 0 && !IsDuplexBlocked(r, m) && p.iBooklet != 0)
    type = kTypeBooklet;
  else if (m.LayoutPoster != 0 && p.iPoster > 0)
    type = kTypePoster;
  else if (m.LayoutVirtual != 0 && p.iVirtualPrint != 0)
    type = kTypeVirtual;
  else if (p.iFitPage != 0)
    type = kTypeFit;
  else if (p.iER == 0 && m.LayoutMultiple != 0)
    type = kTypeMultiple;
  CheckRadio(IDC_MORE_MULTIPLE, IDC_MORE_SCALE, IDC_MORE_MULTIPLE + type);
  groups_.Fill(r, std::clamp<int>(p.iNup, 0, 5));
  percent_.SetValue(p.iERRatio >= 25 && p.iERRatio <= 400 ? p.iERRatio : 100);
  ComboBox(Item(IDC_FIT_PAPER)).SelectByData(p.iFitPagePaper != 0 ? p.iFitPagePaper : r.dmPublic.dmPaperSize);
  ShowType();
  SettingsPage::OnSetActive();
  OnSettingChanged();
}

void MoreLayoutOptionsDialog::ShowType() {
  const int type = SelectedType();
  groups_.Show(type, Editable(), *working_);
  ShowControls(kFitControls, type == kTypeFit ? 1 : 0);
  ShowControls(kPercentControls, type == kTypeScale ? 1 : 0);
}

void MoreLayoutOptionsDialog::Store(DriverDevMode& record) const {
  PrivateDevMode& p = record.dmPrivate;
  const int type = SelectedType();
  groups_.Store(type, record);
  p.iFitPage = type == kTypeFit ? 1 : 0;
  if (type == kTypeFit) p.iFitPagePaper = static_cast<int16_t>(ComboBox(Item(IDC_FIT_PAPER)).SelectedData());
  p.iER = type == kTypeScale ? 1 : 0;
  p.iERRatio = static_cast<int16_t>(percent_.Value());
}

void MoreLayoutOptionsDialog::OnStoreControls() { Store(*working_); }

void MoreLayoutOptionsDialog::OnSettingChanged() {
  scratch_ = *working_;
  Store(scratch_);
  preview_.Update(scratch_);
}

bool MoreLayoutOptionsDialog::OnCommand(int id, int code, HWND control) {
  if (id >= IDC_MORE_MULTIPLE && id <= IDC_MORE_SCALE) {
    if (code != BN_CLICKED) return true;
    // An automatic radio clears only the enabled radios of its group; a large paper leaves
    // the checked one disabled.
    CheckRadio(IDC_MORE_MULTIPLE, IDC_MORE_SCALE, id);
    ShowType();
  } else if (id == IDC_FIT_PAPER) {
    if (code != CBN_SELCHANGE) return true;
  } else if (id == IDC_PERCENT) {
    if (!percent_.OnEditCommand(code)) return true;
  } else {
    switch (groups_.OnCommand(id, code, *working_)) {
      case LayoutTypeGroups::Command::NotOurs: return SettingsPage::OnCommand(id, code, control);
      case LayoutTypeGroups::Command::Ignored: return true;
      case LayoutTypeGroups::Command::Reshow: ShowType(); break;
      case LayoutTypeGroups::Command::Changed: break;
    }
  }
  OnSettingChanged();
  return true;
}

bool MoreLayoutOptionsDialog::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS) return SettingsPage::OnNotify(header, result);
  if (header.idFrom == static_cast<UINT_PTR>(IDC_PERCENT_SPIN))
    percent_.OnDelta(reinterpret_cast<const NMUPDOWN&>(header));
  else if (!groups_.OnDelta(header))
    return SettingsPage::OnNotify(header, result);
  result = TRUE;  // the position is ours; the up-down must not move on its own
  OnSettingChanged();
  return true;
}

}  // namespace qxge
