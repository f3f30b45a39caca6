#include "pages/basics_page.h"

#include <algorithm>
#include <vector>

#include "app/driver_ui_app.h"
#include "config/model_features.h"
#include "pages/about_page.h"
#include "pages/layout_page.h"
#include "pages/paper_page.h"
#include "platform/combo_box.h"
#include "printer/paper_names.h"
#include "resources/resource.h"

namespace qxge {
namespace {

using platform::ComboBox;

const ModelFeatures& Model() { return App().Features(); }

constexpr uint16_t kBest = 1200, kNormal = 600;
// iNupLayout of one picture repeated: every cell holds the same page.
constexpr int16_t kSamePage = 5;
// Item data of a fixed size is iClone + 6.
constexpr intptr_t kFirstFixedSize = 6, kLastFixedSize = 14;
// The photo papers too small for the largest fixed size.
constexpr int32_t kSmallPhotoPapers[] = {124, 125, 134, 135};

const int kSameGroup[] = {IDC_PICTURES_PER_SHEET, IDC_SAME_COUNT, IDC_FIXED_SIZES, IDC_FIXED_SIZE, 0};
const int kMultipleGroup[] = {IDC_NUP, IDC_NUP_LABEL, IDC_PAGE_ORDER_LABEL, IDC_PAGE_ORDER, 0};
const int kOrderControls[] = {IDC_PAGE_ORDER_LABEL, IDC_PAGE_ORDER, 0};

// Pictures per sheet; "8" came last, so its number is above that of "16".
const std::vector<ListItem> kCounts = {{u"1", 0}, {u"2", 1}, {u"4", 2}, {u"6", 3}, {u"8", 6}, {u"9", 4}, {u"16", 5}};

const std::vector<ListItem> kFixedMillimetres = {
    {u"30 x 40 mm", 8},  {u"35 x 45 mm", 9},  {u"40 x 50 mm", 11},  {u"50 x 50 mm", 12},
    {u"50 x 70 mm", 10}, {u"51 x 51 mm", 13}, {u"50.8 x 70 mm", 14}};
const std::vector<ListItem> kFixedInches = {
    {u"1.18 x 1.57 inch", 8},  {u"1.38 x 1.77 inch", 9},  {u"1.58 x 1.97 inch", 11}, {u"1.97 x 1.97 inch", 12},
    {u"1.97 x 2.76 inch", 10}, {u"2.00 x 2.00 inch", 13}, {u"2.00 x 2.76 inch", 14}};

void Unselect(HWND combo) { SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0); }

bool Listed(intptr_t paper, const IntList& list) {
  return paper >= 0 && std::find(list.begin(), list.end(), paper) != list.end();
}

}  // namespace

// ---- PhotoPageBase ----------------------------------------------------------------------

BOOL PhotoPageBase::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  orientationPicture_.Attach(Item(IDC_ORIENTATION_PICTURE));
  SetItems(*this, IDC_PAPER_UNIT, {{u"Millimeters", 0}, {u"Inches", 1}});
  return result;
}

bool PhotoPageBase::Landscape() const { return Checked(IDC_LANDSCAPE); }

intptr_t PhotoPageBase::SelectedPaper() const { return ComboBox(Item(IDC_PAPER_SIZE)).SelectedData(); }

bool PhotoPageBase::Inches() const { return ComboBox(Item(IDC_PAPER_UNIT)).SelectedData() == 1; }

void PhotoPageBase::FillPaper() {
  DriverDevMode& r = *working_;
  const ComboBox sizes(Item(IDC_PAPER_SIZE));
  sizes.Clear();
  AddEntries(sizes, SizeListPapers(r));
  sizes.SelectByData(r.dmPublic.dmPaperSize);
  ComboBox(Item(IDC_PAPER_UNIT)).SelectByData(r.dmPrivate.IsMMInch > 0 ? 1 : 0);
  CheckRadio(IDC_LANDSCAPE, IDC_PORTRAIT, r.dmPublic.dmOrientation == 2 ? IDC_LANDSCAPE : IDC_PORTRAIT);
  orientationPicture_.SetIcon(OrientationPicture(Landscape(), 0));
}

void PhotoPageBase::StorePaper() {
  PublicDevMode& pub = working_->dmPublic;
  // The page's own unit list speaks for the unit, whatever the preview's radios say.
  SettingsPage::OnStoreControls();
  working_->dmPrivate.IsMMInch = Inches() ? 1 : 0;
  // A printer that reports no papers leaves the record's paper as it was.
  if (SelectedPaper() >= 0) pub.dmPaperSize = static_cast<int16_t>(SelectedPaper());
  pub.dmOrientation = Landscape() ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

bool PhotoPageBase::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_ORIENTATION_PICTURE:
      if (code != STN_CLICKED || !Editable()) return true;
      CheckRadio(IDC_LANDSCAPE, IDC_PORTRAIT, Landscape() ? IDC_PORTRAIT : IDC_LANDSCAPE);
      break;
    case IDC_LANDSCAPE:
    case IDC_PORTRAIT:
      if (code != BN_CLICKED) return true;
      break;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  orientationPicture_.SetIcon(OrientationPicture(Landscape(), 0));
  OnOrientationChanged();
  OnSettingChanged();
  return true;
}

// ---- BasicsPage -------------------------------------------------------------------------

BOOL BasicsPage::OnInitDialog() {
  const BOOL result = PhotoPageBase::OnInitDialog();
  qualityPicture_.Attach(Item(IDC_QUALITY_PICTURE));
  if (working_ == nullptr) return result;
  const ComboBox types(Item(IDC_MEDIA_TYPE));
  AddEntries(types, PrinterMediaTypes(*working_));
  // One type leaves nothing to choose.
  if (types.Count() < 2) EnableControl(IDC_MEDIA_TYPE, false);
  return result;
}

bool BasicsPage::Best() const { return Checked(IDC_QUALITY_BEST); }

void BasicsPage::ShowQualityPicture() { qualityPicture_.SetIcon(Best() ? 4044 : 4048); }

void BasicsPage::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  FillPaper();
  CheckRadio(IDC_QUALITY_BEST, IDC_QUALITY_NORMAL, p.iResolution <= kNormal ? IDC_QUALITY_NORMAL : IDC_QUALITY_BEST);
  ComboBox(Item(IDC_MEDIA_TYPE)).SelectByData(p.iPaperType);
  Check(IDC_BORDERLESS, p.iBorderless > 0);
  ShowQualityPicture();
  MatchBorderlessToPaper();
  SettingsPage::OnSetActive();
}

void BasicsPage::SwitchToTwin() {
  const intptr_t paper = SelectedPaper();
  if (paper < 0) return;
  const ModelFeatures& m = Model();
  const int32_t twin = Checked(IDC_BORDERLESS) ? m.BorderlessFor(static_cast<int32_t>(paper))
                                               : m.BorderFor(static_cast<int32_t>(paper));
  // SelectByData falls back to the first paper when the printer lacks the twin.
  if (twin >= 0) ComboBox(Item(IDC_PAPER_SIZE)).SelectByData(twin);
}

void BasicsPage::MatchBorderlessToPaper() {
  const intptr_t paper = SelectedPaper();
  if (Listed(paper, Model().BorderlessPapers))
    Check(IDC_BORDERLESS, true);
  else if (Listed(paper, Model().BorderPapers))
    Check(IDC_BORDERLESS, false);
}

void BasicsPage::OnStoreControls() {
  if (working_ == nullptr) return;
  PublicDevMode& pub = working_->dmPublic;
  PrivateDevMode& p = working_->dmPrivate;
  StorePaper();
  // A negative value marks borderless printing as not the user's to choose.
  if (p.iBorderless >= 0) p.iBorderless = Checked(IDC_BORDERLESS) ? 1 : 0;
  pub.dmFields |= dm::kOrientation | dm::kPaperSize;
  // Wine's driver lists no media: the record keeps the type it came with.
  const ComboBox types(Item(IDC_MEDIA_TYPE));
  if (types.Count() > 0) p.iPaperType = static_cast<int16_t>(types.SelectedData());
  p.iResolution = Best() ? kBest : kNormal;
}

bool BasicsPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_QUALITY_PICTURE:
      if (code != STN_CLICKED || !Editable()) return true;
      CheckRadio(IDC_QUALITY_BEST, IDC_QUALITY_NORMAL, Best() ? IDC_QUALITY_NORMAL : IDC_QUALITY_BEST);
      ShowQualityPicture();
      break;
    case IDC_QUALITY_BEST:
    case IDC_QUALITY_NORMAL:
      if (code != BN_CLICKED) return true;
      ShowQualityPicture();
      break;
    case IDC_BORDERLESS:
      if (code != BN_CLICKED) return true;
      SwitchToTwin();
      break;
    case IDC_PAPER_SIZE:
      if (code != CBN_SELCHANGE) return true;
      MatchBorderlessToPaper();
      break;
    case IDC_MEDIA_TYPE:
    case IDC_PAPER_UNIT:
      if (code != CBN_SELCHANGE) return true;
      break;
    default:
      return PhotoPageBase::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

// ---- MainPage ---------------------------------------------------------------------------

BOOL MainPage::OnInitDialog() {
  const BOOL result = PhotoPageBase::OnInitDialog();
  copies_.Bind(Handle(), IDC_COPIES, IDC_COPIES_SPIN, 1, 99, 2);
  SetItems(*this, IDC_SAME_COUNT, kCounts);
  SetItems(*this, IDC_NUP, kCounts);
  if (Model().LayoutMultipleOrder == 0) ShowControls(kOrderControls, 0);
  return result;
}

bool MainPage::SameImage() const { return Checked(IDC_SAME_IMAGE); }

bool MainPage::FixedSizes() const { return Checked(IDC_FIXED_SIZES); }

void MainPage::FillFixedSizes(bool inches, int32_t paper) {
  std::vector<ListItem> sizes = inches ? kFixedInches : kFixedMillimetres;
  if (std::find(std::begin(kSmallPhotoPapers), std::end(kSmallPhotoPapers), paper) != std::end(kSmallPhotoPapers))
    sizes.pop_back();
  const ComboBox combo(Item(IDC_FIXED_SIZE));
  const intptr_t chosen = combo.SelectedData();
  // The same sizes in the other unit hold the same numbers: only their names change.
  if (inches != fixedInInches_) combo.Clear();
  fixedInInches_ = inches;
  SetItems(*this, IDC_FIXED_SIZE, sizes);
  if (chosen < 0)
    Unselect(combo.Handle());
  else
    combo.SelectByData(chosen);
}

void MainPage::SelectRecordFixedSize() {
  ComboBox(Item(IDC_FIXED_SIZE))
      .SelectByData(std::clamp<intptr_t>(working_->dmPrivate.iClone + kFirstFixedSize, kFirstFixedSize, kLastFixedSize));
}

void MainPage::FillPictureOrders(intptr_t selected) {
  const intptr_t count = std::max<intptr_t>(0, ComboBox(Item(IDC_NUP)).SelectedData());
  SetItems(*this, IDC_PAGE_ORDER, PageOrderItems(static_cast<int>(count), Landscape()));
  ComboBox(Item(IDC_PAGE_ORDER)).SelectByData(selected);
}

void MainPage::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  FillPaper();
  const bool multiple = p.iClone == 0 && p.iNupLayout != kSamePage;
  CheckRadio(IDC_SAME_IMAGE, IDC_MULTIPLE_IMAGES, multiple ? IDC_MULTIPLE_IMAGES : IDC_SAME_IMAGE);
  Check(IDC_FIXED_SIZES, p.iClone != 0);
  Check(IDC_PICTURES_PER_SHEET, p.iClone == 0);
  const int16_t count = std::clamp<int16_t>(p.iNup, 0, 6);
  ComboBox(Item(IDC_SAME_COUNT)).SelectByData(count);
  ComboBox(Item(IDC_NUP)).SelectByData(count);
  // The layout rule below chooses the fixed size, or none.
  FillFixedSizes(p.IsMMInch > 0, working_->dmPublic.dmPaperSize);
  FillPictureOrders(multiple ? std::clamp<int16_t>(p.iNupLayout, 0, 4) : 0);
  copies_.SetValue(working_->dmPublic.dmCopies);
  ApplyLayoutRule();
  SettingsPage::OnSetActive();
}

void MainPage::ApplyLayoutRule() {
  const bool same = SameImage();
  EnableControls(kSameGroup, Editable() && same);
  EnableControls(kMultipleGroup, Editable() && !same);
  if (same)
    ApplySameImageRule();
  else
    ApplyCountRule(IDC_NUP);
}

void MainPage::ApplySameImageRule() {
  const bool fixed = FixedSizes();
  EnableControl(IDC_SAME_COUNT, Editable() && !fixed);
  EnableControl(IDC_FIXED_SIZE, Editable() && fixed);
  if (fixed)
    SelectRecordFixedSize();
  else
    Unselect(Item(IDC_FIXED_SIZE));
}

void MainPage::ApplyCountRule(int fromId) {
  const intptr_t count = ComboBox(Item(fromId)).SelectedData();
  ComboBox(Item(fromId == IDC_NUP ? IDC_SAME_COUNT : IDC_NUP)).SelectByData(count);
  Unselect(Item(IDC_FIXED_SIZE));
  FillPictureOrders(ComboBox(Item(IDC_PAGE_ORDER)).SelectedData());
  // One picture a sheet has no order.
  EnableControls(kOrderControls, Editable() && !SameImage() && count > 0);
}

void MainPage::OnOrientationChanged() {
  // Two pictures side by side run across the sheet or down it.
  FillPictureOrders(ComboBox(Item(IDC_PAGE_ORDER)).SelectedData());
}

void MainPage::OnStoreControls() {
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  PublicDevMode& pub = working_->dmPublic;
  PrivateDevMode& p = working_->dmPrivate;
  StorePaper();
  if (p.iBorderless >= 0) {
    if (Listed(pub.dmPaperSize, m.BorderlessPapers))
      p.iBorderless = 1;
    else if (Listed(pub.dmPaperSize, m.BorderPapers))
      p.iBorderless = 0;
  }
  const auto data = [this](int id) { return static_cast<int16_t>(std::max<intptr_t>(0, ComboBox(Item(id)).SelectedData())); };
  if (!SameImage()) {
    p.iClone = 0;
    p.iNup = data(IDC_NUP);
    if (m.LayoutMultipleOrder != 0) p.iNupLayout = data(IDC_PAGE_ORDER);
  } else if (FixedSizes()) {
    const intptr_t size = ComboBox(Item(IDC_FIXED_SIZE)).SelectedData();
    if (size >= 0) p.iClone = static_cast<int16_t>(size - kFirstFixedSize);
  } else {
    p.iClone = 0;
    p.iNup = data(IDC_SAME_COUNT);
    p.iNupLayout = kSamePage;
  }
  pub.dmFields |= dm::kOrientation | dm::kPaperSize | dm::kCopies;
  pub.dmCopies = static_cast<int16_t>(copies_.Value());
}

bool MainPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_COPIES:
      if (!copies_.OnEditCommand(code)) return true;
      break;
    case IDC_SAME_IMAGE:
    case IDC_MULTIPLE_IMAGES:
      if (code != BN_CLICKED) return true;
      ApplyLayoutRule();
      break;
    case IDC_PICTURES_PER_SHEET:
    case IDC_FIXED_SIZES:
      if (code != BN_CLICKED) return true;
      ApplySameImageRule();
      break;
    case IDC_SAME_COUNT:
    case IDC_NUP:
      if (code != CBN_SELCHANGE) return true;
      ApplyCountRule(id);
      break;
    case IDC_PAPER_SIZE:
    case IDC_PAPER_UNIT:
      if (code != CBN_SELCHANGE) return true;
      FillFixedSizes(Inches(), static_cast<int32_t>(SelectedPaper()));
      break;
    case IDC_FIXED_SIZE:
    case IDC_PAGE_ORDER:
      if (code != CBN_SELCHANGE) return true;
      break;
    default:
      return PhotoPageBase::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

bool MainPage::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS || header.idFrom != static_cast<UINT_PTR>(IDC_COPIES_SPIN))
    return PhotoPageBase::OnNotify(header, result);
  copies_.OnDelta(reinterpret_cast<const NMUPDOWN&>(header));
  result = TRUE;  // the position is ours; the up-down must not move on its own
  OnSettingChanged();
  return true;
}

bool MainPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message != WM_CONTEXTMENU) return PhotoPageBase::OnMessage(message, wParam, lParam, result);
  // The photo models keep their product information a right-click away; the box edits nothing.
  AboutDialog(Handle(), working_, IDD_MAIN_ABOUT_BOX).RunModal();
  result = TRUE;
  return true;
}

}  // namespace qxge
