#include "pages/extras_page.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "app/driver_ui_app.h"
#include "collections/collection_item.h"
#include "collections/overlays.h"
#include "collections/watermarks.h"
#include "config/model_features.h"
#include "config/profile_file.h"
#include "config/text_format.h"
#include "pages/layout_page.h"
#include "pages/overlay_page.h"
#include "pages/watermark_page.h"
#include "platform/combo_box.h"
#include "platform/win_text.h"
#include "printer/printer_lookup.h"
#include "record/record_compare.h"

namespace qxge {
namespace {

using platform::ComboBox;
using platform::WindowText;

const ModelFeatures& Model() { return App().Features(); }

// The 0/1 options, each shown and kept by a feature of the model.
struct OptionCheck {
  int id;
  RecordInt<int16_t> PrivateDevMode::*field;
};
const OptionCheck kOptionChecks[] = {
    {IDC_REPRINT_JAM, &PrivateDevMode::iReprinter},   {IDC_BANNER_PAGE, &PrivateDevMode::iBannerSheet},
    {IDC_QUICK_PRINT, &PrivateDevMode::iQuickPrint},  {IDC_PRINT_TIME, &PrivateDevMode::iCheckTime},
    {IDC_PRINTER_FONTS, &PrivateDevMode::iCheckFont}, {IDC_PRINTER_FONTS_BELOW, &PrivateDevMode::iCheckFont},
};
constexpr int16_t kSaveAsForm = 3;

const int kPrintOrderRow[] = {IDC_PRINT_ORDER_LABEL, IDC_PRINT_ORDER, 0};
const int kDestinationRow[] = {IDC_DESTINATION_LABEL, IDC_DESTINATION, 0};
const int kStapleRow[] = {IDC_STAPLE_LABEL, IDC_STAPLE, 0};
const int kReprintRow[] = {IDC_REPRINT_JAM, 0};
const int kBannerRow[] = {IDC_BANNER_PAGE, 0};
const int kQuickRow[] = {IDC_QUICK_PRINT, 0};
const int kTimeRow[] = {IDC_PRINT_TIME, 0};
const int kFontRow[] = {IDC_PRINTER_FONTS, 0};
const int kSaveAsRow[] = {IDC_SAVE_AS_FORM, 0};
const int kFormFileRow[] = {IDC_FORM_FILE, IDC_FORM_BROWSE, 0};
const int kDialogButtons[] = {IDC_MORE_OPTIONS, IDC_PRINT_AND_HOLD, 0};
const int kFontBelow[] = {IDC_PRINTER_FONTS_BELOW, 0};
const int kBelowFonts[] = {IDC_COLLATE,          IDC_WATERMARK_FRAME, IDC_WATERMARK_CHOICE, IDC_WATERMARK_EDIT,
                           IDC_OVERLAY_FRAME,    IDC_OVERLAY_CHOICE,  IDC_OVERLAY_EDIT,     0};
const int kOverlayGroup[] = {IDC_OVERLAY_FRAME, IDC_OVERLAY_CHOICE, IDC_OVERLAY_EDIT, 0};

const int kHoldTimeGroup[] = {IDC_HOLD_AT_LABEL, IDC_HOLD_DATE, IDC_HOLD_TIME, 0};
const int kHoldSharedRow[] = {IDC_HOLD_STORE, IDC_HOLD_PUBLIC, IDC_HOLD_AT_LABEL, IDC_HOLD_DATE, IDC_HOLD_TIME, 0};
const int kNone[] = {0};
const int kHoldPasscodeGroup[] = {IDC_HOLD_PASSCODE_LABEL, IDC_HOLD_PASSCODE, IDC_HOLD_PASSCODE_NOTE,
                                  IDC_HOLD_CONFIRM_LABEL,  IDC_HOLD_CONFIRM,  IDC_HOLD_CONFIRM_NOTE, 0};

bool Shows(const SettingsPage& page, int id) {
  const HWND control = page.Item(id);
  return control != nullptr && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void AddItems(const SettingsPage& page, int id, std::initializer_list<ListItem> items) {
  const ComboBox combo(page.Item(id));
  for (const ListItem& item : items) combo.Add(platform::W(page.ItemText(item.text)), item.data);
}

// Windows NT 4.0 prints no overlays.
bool WindowsNt4() {
  const DWORD version = GetVersion();
  return (version & 0x80000000u) == 0 && LOBYTE(LOWORD(version)) == 4 && HIBYTE(LOWORD(version)) == 0;
}

// Moves every control of dialog from top down to above bottom and left of right by dy, in one
// batch; labels without an id move too, the controls of stay (zero-terminated ids) do not.
void MoveControlsFrom(HWND dialog, int top, int dy, LONG right = LONG_MAX, LONG bottom = LONG_MAX,
                      const int* stay = kNone) {
  HDWP batch = BeginDeferWindowPos(32);
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr && batch != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    bool kept = false;
    for (const int* s = stay; *s != 0 && !kept; ++s) kept = *s == GetDlgCtrlID(child);
    if (kept) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    if (r.top >= top && r.right <= right && r.top < bottom)
      batch = DeferWindowPos(batch, child, nullptr, r.left, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (batch != nullptr) EndDeferWindowPos(batch);
}

}  // namespace

// ---- OutputOptionsBase ------------------------------------------------------------------

int OutputOptionsBase::PlaceOptions(bool onForm) {
  std::vector<ControlRow> rows;
  AddOptionRows(onForm, rows);
  return CloseUpRows(rows);
}

void OutputOptionsBase::AddOptionRows(bool onForm, std::vector<ControlRow>& rows) const {
  const ModelFeatures& m = Model();
  // Heights as the template spaces the rows, measured before anything moves.
  const int pitch = ControlOffset(IDC_BANNER_PAGE, IDC_REPRINT_JAM, false).y;
  const RECT check = ControlRect(IDC_REPRINT_JAM), browse = ControlRect(IDC_FORM_BROWSE);
  const int fileRow = (browse.bottom - browse.top) + pitch - (check.bottom - check.top);
  const auto row = [onForm](const int* ids, int32_t feature, int height) {
    return ControlRow{ids, onForm && feature != 0, height};
  };
  rows.push_back(row(kReprintRow, m.ExtrasReprintJam, pitch));
  rows.push_back(row(kBannerRow, m.PaperBannerSheet != 0 && m.LayoutMore == 0, pitch));
  rows.push_back(row(kQuickRow, m.ExtrasQuickPrint, pitch));
  rows.push_back(row(kTimeRow, m.ExtrasPrintTime, pitch));
  rows.push_back(row(kFontRow, m.ExtrasPrinterFont, pitch));
  rows.push_back(row(kSaveAsRow, m.ExtrasSaveAsForm, pitch));
  rows.push_back(row(kFormFileRow, m.ExtrasSaveAsForm, fileRow));
}

void OutputOptionsBase::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  for (const OptionCheck& option : kOptionChecks) Check(option.id, p.*option.field > 0);
  Check(IDC_SAVE_AS_FORM, p.iOutPut == kSaveAsForm);
  formFile_.Show(Item(IDC_FORM_FILE), p.PrnOpenFileName.Read());
  ApplySaveAsFormRule();
  SettingsPage::OnSetActive();
}

void OutputOptionsBase::ApplySaveAsFormRule() {
  EnableControls(kFormFileRow, Editable() && Checked(IDC_SAVE_AS_FORM));
}

void OutputOptionsBase::OnStoreControls() {
  if (working_ == nullptr) return;
  PrivateDevMode& p = working_->dmPrivate;
  // A form keeps the options it shows; a negative value marks one the printer cannot change.
  for (const OptionCheck& option : kOptionChecks)
    if (Shows(*this, option.id) && p.*option.field >= 0) p.*option.field = Checked(option.id) ? 1 : 0;
  if (Shows(*this, IDC_SAVE_AS_FORM)) {
    if (p.iOutPut >= 0) p.iOutPut = Checked(IDC_SAVE_AS_FORM) ? kSaveAsForm : 0;
    p.PrnOpenFileName.Write(WindowText(Item(IDC_FORM_FILE)));
  }
  SettingsPage::OnStoreControls();
}

bool OutputOptionsBase::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_SAVE_AS_FORM:
      if (code != BN_CLICKED) return true;
      ApplySaveAsFormRule();
      break;
    case IDC_FORM_BROWSE: {
      if (code != BN_CLICKED) return true;
      const std::u16string path = ChooseOverlayFile(Handle(), ItemText(u"Save As Form for Overlay"),
                                                    ItemText(u"Overlay Files (*.FOM)"), u"FOM", true);
      if (path.empty()) return true;
      SetWindowTextW(Item(IDC_FORM_FILE), platform::W(path));
      break;
    }
    case IDC_FORM_FILE:
      if (code != EN_CHANGE || formFile_.OwnChange()) return true;
      break;
    case IDC_REPRINT_JAM:
    case IDC_BANNER_PAGE:
    case IDC_QUICK_PRINT:
    case IDC_PRINT_TIME:
    case IDC_PRINTER_FONTS:
    case IDC_PRINTER_FONTS_BELOW:
      if (code != BN_CLICKED) return true;
      break;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

// ---- ExtrasPageBase ---------------------------------------------------------------------

BOOL ExtrasPageBase::OnInitDialog() {
  const BOOL result = OutputOptionsBase::OnInitDialog();
  const ModelFeatures& m = Model();
  AddItems(*this, IDC_PRINT_ORDER, {{u"Normal", 0}, {u"Reverse All Pages", 1}, {u"Print Odd Pages", 2}, {u"Print Even Pages", 3}});
  AddItems(*this, IDC_DESTINATION, {{u"Printer Default", 0}, {u"Top Tray (Face Down)", 1}, {u"Side Tray (Face Up)", 2}});
  AddItems(*this, IDC_STAPLE, {{u"None", 1}, {u"Upper Left", 2}, {u"Top (Double)", 3}, {u"Upper Right", 4}, {u"Left (Double)", 5}});

  optionsHere_ = OptionsFitOnPage(m, variant_);
  const bool hold = m.ExtrasSecurePrint != 0 || m.PrinterHDD != 0;
  // Heights measured before anything moves.
  const int list = ControlOffset(IDC_DESTINATION, IDC_PRINT_ORDER, false).y;
  const int buttons = ControlOffset(IDC_PRINTER_FONTS_BELOW, IDC_MORE_OPTIONS, false).y;
  const int nextBelowFonts = Item(IDC_WATERMARK_FRAME) != nullptr ? IDC_WATERMARK_FRAME : IDC_COLLATE;
  const int fonts = ControlOffset(nextBelowFonts, IDC_PRINTER_FONTS_BELOW, false).y;
  std::vector<ControlRow> rows = {{kPrintOrderRow, m.ExtrasPageOrder != 0, list},
                                  {kDestinationRow, m.ExtrasDestination != 0, list},
                                  {kStapleRow, m.PrinterStapler != 0, list}};
  AddOptionRows(optionsHere_, rows);
  rows.push_back({kDialogButtons, !optionsHere_ || hold, buttons});
  const int moved = CloseUpRows(rows);
  ShowControl(IDC_MORE_OPTIONS, optionsHere_ ? 0 : 1);
  ShowControl(IDC_PRINT_AND_HOLD, hold ? 1 : 0);
  const SIZE shorter{0, -moved};
  PlaceControl(IDC_OPTIONS_FRAME, nullptr, &shorter);
  // The frame ends above the printer fonts below it and the groups under them.
  const POINT up{0, -moved};
  ShowControls(kFontBelow, m.ExtrasPrinterFont2 != 0 ? 1 : 0, &up);
  const POINT underFonts{0, -moved - (m.ExtrasPrinterFont2 != 0 ? 0 : fonts)};
  ShowControls(kBelowFonts, -1, &underFonts);
  return result;
}

void ExtrasPageBase::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  ComboBox(Item(IDC_PRINT_ORDER)).SelectByData(std::min<uint16_t>(p.wPrintOrder, 3));
  ComboBox(Item(IDC_DESTINATION)).SelectByData(std::clamp<int16_t>(p.iOutBin, 0, 2));
  ComboBox(Item(IDC_STAPLE)).SelectByData(std::clamp<int16_t>(p.iStaple, 0, 5));
  // A record without a stapler has nothing to staple with.
  if (Model().PrinterStapler != 0) ShowStapleRow(p.iStaple != 0);
  ApplyPrintOrderRule();
  OutputOptionsBase::OnSetActive();
}

void ExtrasPageBase::ShowStapleRow(bool show) {
  if (show == stapleShown_) return;
  stapleShown_ = show;
  // The rows under it close up over it, so the frame keeps no empty row.
  const int list = ControlOffset(IDC_DESTINATION, IDC_PRINT_ORDER, false).y;
  const int dy = show ? list : -list;
  const RECT staple = ControlRect(IDC_STAPLE), frame = ControlRect(IDC_OPTIONS_FRAME);
  ShowControls(kStapleRow, show ? 1 : 0);
  MoveControlsFrom(Handle(), staple.bottom, dy, frame.right);
  const SIZE taller{0, dy};
  PlaceControl(IDC_OPTIONS_FRAME, nullptr, &taller);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ExtrasPageBase::ApplyPrintOrderRule() {
  const ModelFeatures& m = Model();
  // A booklet fixes the order of its pages.
  const bool booklet = m.LayoutBooklet != 0 && !IsDuplexBlocked(*working_, m) && working_->dmPrivate.iBooklet != 0;
  EnableControls(kPrintOrderRow, Editable() && !booklet);
}

void ExtrasPageBase::OnStoreControls() {
  OutputOptionsBase::OnStoreControls();
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  PrivateDevMode& p = working_->dmPrivate;
  const intptr_t destination = ComboBox(Item(IDC_DESTINATION)).SelectedData();
  const intptr_t order = ComboBox(Item(IDC_PRINT_ORDER)).SelectedData();
  const intptr_t staple = ComboBox(Item(IDC_STAPLE)).SelectedData();
  if (m.ExtrasDestination != 0 && destination >= 0) p.iOutBin = static_cast<int16_t>(destination);
  if (m.ExtrasPageOrder != 0 && order >= 0) p.wPrintOrder = static_cast<uint16_t>(order);
  if (m.PrinterStapler != 0 && p.iStaple >= 1 && staple >= 1) p.iStaple = static_cast<int16_t>(staple);
}

bool ExtrasPageBase::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_DESTINATION:
      if (code != CBN_SELCHANGE) return true;
      // Face up, the last page lands on top: printed last-first, the stack reads in order.
      if (ComboBox(Item(IDC_DESTINATION)).SelectedData() == 2) ComboBox(Item(IDC_PRINT_ORDER)).SelectByData(1);
      break;
    case IDC_PRINT_ORDER:
    case IDC_STAPLE:
      if (code != CBN_SELCHANGE) return true;
      break;
    case IDC_MORE_OPTIONS: {
      if (code != BN_CLICKED || working_ == nullptr) return true;
      MoreOptionsDialog dialog(Handle(), working_);
      if (dialog.RunModal() != IDOK) return true;
      Refill();
      break;
    }
    case IDC_PRINT_AND_HOLD: {
      if (code != BN_CLICKED || working_ == nullptr) return true;
      PrintAndHoldDialog dialog(Handle(), working_);
      if (dialog.RunModal() != IDOK) return true;
      break;
    }
    default:
      return OutputOptionsBase::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

// ---- ExtrasPage -------------------------------------------------------------------------

BOOL ExtrasPage::OnInitDialog() {
  const BOOL result = ExtrasPageBase::OnInitDialog();
  overlays_ = working_ != nullptr && OverlaysAvailable();
  if (working_ != nullptr) {
    WatermarkItem job(working_);
    AdoptItem(job, CollectionType::Watermark);
  }
  if (!overlays_) {
    EnableControls(kOverlayGroup, false);
    SetOptionUsageTip(IDC_OVERLAY_FRAME, 16, true, 0);
  }
  return result;
}

bool ExtrasPage::OverlaysAvailable() const { return !WindowsNt4() && !IsNetworkPort(*working_); }

namespace {

// Fills a combo from the stored collection, "none" on top, and selects the record's entry. The
// list is read again only when the collection changed since it was (stamp: when it last
// was): every entry is a registry read, and an overlay a look for its file too.
void FillCollection(HWND combo, const StoredCollectionItem& none, CollectionType type, const DriverDevMode& record,
                    uint64_t& stamp) {
  ItemList list(combo);
  if (none.LastWritten() != stamp || list.Count() == 0) {
    list.Clear();
    for (std::unique_ptr<CollectionItem>& item : LoadItems(type, &record)) list.Add(std::move(item));
    list.Add(CreateItem(type, -1, nullptr), 0);
    stamp = none.LastWritten();  // the first read may have stored the model's built-ins
  }
  list.Select(list.FindChosen(record));
}

// True when the list already holds item as stored, so that adopting it would change nothing.
bool Listed(const ItemList& list, const CollectionItem& item) {
  for (int i = 0; i < list.Count(); ++i)
    if (const CollectionItem* entry = list.Item(i); entry != nullptr && entry->GetName() == item.GetName())
      return !entry->Differs(item);
  return false;
}

}  // namespace

void ExtrasPage::FillWatermarks() {
  // Brought up to date at every fill, not only at init: a watermark chosen or added on the
  // Watermark page since must be offered here, or the next store would drop it.
  FillCollection(Item(IDC_WATERMARK_CHOICE), WatermarkItem(nullptr), CollectionType::Watermark, *working_,
                 watermarkStamp_);
  EnableControl(IDC_WATERMARK_CHOICE, Editable());
  EnableControl(IDC_WATERMARK_EDIT, Editable());
}

void ExtrasPage::FillOverlays() {
  OverlayItem job(working_);
  if (!Listed(ItemList(Item(IDC_OVERLAY_CHOICE)), job)) AdoptItem(job, CollectionType::Overlay);
  FillCollection(Item(IDC_OVERLAY_CHOICE), OverlayItem(nullptr), CollectionType::Overlay, *working_, overlayStamp_);
  // The overlay being created is the job's until it is made.
  EnableControl(IDC_OVERLAY_CHOICE, Editable() && working_->dmPrivate.ovrLoadCreate != 2);
  EnableControl(IDC_OVERLAY_EDIT, Editable());
}

void ExtrasPage::OnSetActive() {
  if (working_ == nullptr) return;
  FillWatermarks();
  if (overlays_) FillOverlays();
  ExtrasPageBase::OnSetActive();
}

void ExtrasPage::OnStoreControls() {
  ExtrasPageBase::OnStoreControls();
  if (working_ == nullptr) return;
  for (int id : {IDC_WATERMARK_CHOICE, IDC_OVERLAY_CHOICE}) {
    if (id == IDC_OVERLAY_CHOICE && !overlays_) continue;
    const ItemList list(Item(id));
    if (const CollectionItem* chosen = list.Item(list.Selection())) chosen->ApplyTo(*working_);
  }
}

bool ExtrasPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_WATERMARK_CHOICE:
    case IDC_OVERLAY_CHOICE:
      if (code != CBN_SELCHANGE) return true;
      break;
    case IDC_WATERMARK_EDIT:
    case IDC_OVERLAY_EDIT: {
      if (code != BN_CLICKED || working_ == nullptr) return true;
      const INT_PTR answer = id == IDC_WATERMARK_EDIT ? WatermarkEditor(Handle(), working_).RunModal()
                                                      : OverlayEditor(Handle(), working_).RunModal();
      if (answer != IDOK) return true;
      Refill();
      break;
    }
    default:
      return ExtrasPageBase::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

void ExtrasPage::OnDestroy() {
  ItemList(Item(IDC_WATERMARK_CHOICE)).Clear();
  ItemList(Item(IDC_OVERLAY_CHOICE)).Clear();
  ExtrasPageBase::OnDestroy();
}

// ---- SimpleExtrasPage -------------------------------------------------------------------

BOOL SimpleExtrasPage::OnInitDialog() {
  const BOOL result = ExtrasPageBase::OnInitDialog();
  ShowControl(IDC_COLLATE, Model().PaperCollate != 0 && Model().LayoutMore != 0 ? 1 : 0);
  return result;
}

void SimpleExtrasPage::OnSetActive() {
  if (working_ == nullptr) return;
  Check(IDC_COLLATE, working_->dmPrivate.bDrvCollate >= 1);
  ExtrasPageBase::OnSetActive();
}

void SimpleExtrasPage::OnStoreControls() {
  ExtrasPageBase::OnStoreControls();
  if (working_ == nullptr || !Shows(*this, IDC_COLLATE)) return;
  PrivateDevMode& p = working_->dmPrivate;
  if (p.bDrvCollate < 0) return;
  p.bDrvCollate = Checked(IDC_COLLATE) ? 1 : 0;
  if ((working_->dmPublic.dmFields & DM_COLLATE) != 0) working_->dmPublic.dmCollate = p.bDrvCollate > 0 ? 1 : 0;
}

bool SimpleExtrasPage::OnCommand(int id, int code, HWND control) {
  if (id != IDC_COLLATE) return ExtrasPageBase::OnCommand(id, code, control);
  if (code == BN_CLICKED) OnSettingChanged();
  return true;
}

// ---- MoreOptionsDialog ------------------------------------------------------------------

BOOL MoreOptionsDialog::OnInitDialog() {
  const BOOL result = OutputOptionsBase::OnInitDialog();
  const int moved = PlaceOptions(true);
  if (moved != 0) {
    const SIZE shorter{0, -moved};
    PlaceControl(IDC_OPTIONS_FRAME, nullptr, &shorter);
    const POINT up{0, -moved};
    for (int id : {IDOK, IDCANCEL, IDC_SHEET_HELP}) ShowControl(id, -1, &up);
    GrowWindow(0, -moved);
  }
  Refill();
  return result;
}

// ---- PrintAndHoldDialog -----------------------------------------------------------------

BOOL PrintAndHoldDialog::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  const ModelFeatures& m = Model();
  limits_ = PasscodeLimitsFor(m.ExtrasMinPassLen, m.ExtrasMaxPassLen);
  const bool secure = m.ExtrasSecurePrint != 0;

  // Without the store choices and the delayed time their row goes, and the dialog with it.
  if (secure) {
    const int row = ControlOffset(IDC_HOLD_JOB, IDC_HOLD_USER, false).y;
    const RECT shared = ControlRect(IDC_HOLD_USER);
    MoveControlsFrom(Handle(), shared.top - row / 2, -row);
    const SIZE shorter{0, -row};
    PlaceControl(IDC_HOLD_FRAME, nullptr, &shorter);
    GrowWindow(0, -row);
  }

  const std::u16string section = Section();
  ProfileFile& text = App().TextFile();
  for (int id : {IDC_HOLD_PASSCODE_NOTE, IDC_HOLD_CONFIRM_NOTE}) {
    const std::u16string note = WindowText(Item(id));
    SetWindowTextW(Item(id), platform::W(FormatText(note, {limits_.min, limits_.max}, 255)));
    text.SetSection(section);
    const std::u16string tip = text.ReadText(u"(0-9) tooltip", u"");
    if (!tip.empty()) SetControlTip(id, FormatText(tip, {limits_.min, limits_.max}, 255));
  }

  SendMessageW(Item(IDC_HOLD_JOB), EM_LIMITTEXT, decltype(PrivateDevMode::cJobName)::kChars, 0);
  SendMessageW(Item(IDC_HOLD_USER), EM_LIMITTEXT, decltype(PrivateDevMode::cUserId)::kChars, 0);
  InstallEditFilter(Item(IDC_HOLD_JOB), EditFilter::Alnum);
  InstallEditFilter(Item(IDC_HOLD_USER), EditFilter::Alnum);
  for (int id : {IDC_HOLD_PASSCODE, IDC_HOLD_CONFIRM}) {
    SendMessageW(Item(id), EM_LIMITTEXT, limits_.max, 0);
    InstallEditFilter(Item(id), EditFilter::Digits, true);
  }

  if (secure)
    AddItems(*this, IDC_HOLD_MODE, {{u"Normal", kHoldNormal}, {u"Confidentional", kHoldConfidential}});
  else
    AddItems(*this, IDC_HOLD_MODE,
             {{u"Normal", kHoldNormal}, {u"Proof", kHoldProof}, {u"Confidentional", kHoldConfidential},
              {u"Store", kHoldStore}, {u"Spool", kHoldSpool}, {u"Delay", kHoldDelay}});

  if (!OptionsEnabled()) {
    // Everything inside the group, labels without an id included.
    const RECT frame = ControlRect(IDC_HOLD_FRAME);
    for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r;
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
      if (r.top >= frame.top && r.bottom <= frame.bottom) EnableWindow(child, FALSE);
    }
    SetOptionUsageTip(IDC_HOLD_FRAME, 3, true, 0);
  }
  Refill();
  return result;
}

bool PrintAndHoldDialog::OptionsEnabled() const {
  return Model().ExtrasSecurePrint != 0 || (working_ != nullptr && working_->dmPrivate.iInHard >= 1);
}

int16_t PrintAndHoldDialog::Mode() const {
  const intptr_t mode = ComboBox(Item(IDC_HOLD_MODE)).SelectedData();
  return static_cast<int16_t>(mode < 0 ? intptr_t{kHoldNormal} : mode);
}

void PrintAndHoldDialog::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  const JobRetention retention = OptionsEnabled() ? DecodeJobRetention(p.iJobRetention) : JobRetention{};
  ComboBox(Item(IDC_HOLD_MODE)).SelectByData(retention.mode);
  Check(IDC_HOLD_STORE, retention.store);
  Check(IDC_HOLD_PUBLIC, retention.store);
  SetWindowTextW(Item(IDC_HOLD_JOB), platform::W(p.cJobName.Read()));
  SetWindowTextW(Item(IDC_HOLD_USER), platform::W(p.cUserId.Read()));
  const std::u16string passcode =
      StoredPasscode(limits_.secureField ? p.cSecurePassword.Read() : p.cPassword.Read(), limits_);
  for (int id : {IDC_HOLD_PASSCODE, IDC_HOLD_CONFIRM}) SetWindowTextW(Item(id), platform::W(passcode));

  SYSTEMTIME at{};
  if (const std::optional<PrintTime> time = ParsePrintTime(p.cPrintingTime.Read())) {
    at.wYear = static_cast<WORD>(time->year);
    at.wMonth = static_cast<WORD>(time->month);
    at.wDay = static_cast<WORD>(time->day);
    at.wHour = static_cast<WORD>(time->hour);
    at.wMinute = static_cast<WORD>(time->minute);
  } else {
    GetLocalTime(&at);
  }
  for (int id : {IDC_HOLD_DATE, IDC_HOLD_TIME}) SendMessageW(Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&at));
  SettingsPage::OnSetActive();
  ApplyModeRule();
}

void PrintAndHoldDialog::ApplyModeRule() {
  const int16_t mode = Mode();
  const bool secure = Model().ExtrasSecurePrint != 0;
  const bool store = mode < kHoldStore && !secure, time = mode == kHoldDelay;
  ShowControl(IDC_HOLD_STORE, store ? 1 : 0);
  ShowControl(IDC_HOLD_PUBLIC, mode == kHoldStore ? 1 : 0);
  ShowControls(kHoldTimeGroup, time ? 1 : 0);
  // A mode with nothing in the shared row (Spool) lets the rows below close up over it.
  if (!secure) ShowSharedRow(store || time || mode == kHoldStore);
  ShowControls(kHoldPasscodeGroup, mode == kHoldConfidential || mode == kHoldStore ? 1 : 0);
  ApplyFlagRule();
}

void PrintAndHoldDialog::ShowSharedRow(bool show) {
  if (show == sharedRowShown_) return;
  sharedRowShown_ = show;
  const int row = ControlOffset(IDC_HOLD_JOB, IDC_HOLD_USER, false).y;
  const RECT frame = ControlRect(IDC_HOLD_FRAME);
  MoveControlsFrom(Handle(), ControlRect(IDC_HOLD_USER).top, show ? row : -row, frame.right, frame.bottom,
                   kHoldSharedRow);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void PrintAndHoldDialog::ApplyFlagRule() {
  const bool store = Mode() == kHoldStore;
  if (store)
    Check(IDC_HOLD_STORE, Checked(IDC_HOLD_PUBLIC));
  else
    Check(IDC_HOLD_PUBLIC, Checked(IDC_HOLD_STORE));
  // A job stored in public is open to everyone: it takes no passcode.
  EnableControls(kHoldPasscodeGroup, OptionsEnabled() && !(store && Checked(IDC_HOLD_PUBLIC)));
}

bool PrintAndHoldDialog::CheckPasscode() {
  const HWND passcode = Item(IDC_HOLD_PASSCODE);
  if (!Shows(*this, IDC_HOLD_PASSCODE) || !IsWindowEnabled(passcode)) {
    // A passcode the job does not use is not kept.
    for (int id : {IDC_HOLD_PASSCODE, IDC_HOLD_CONFIRM}) SetWindowTextW(Item(id), L"");
    return true;
  }
  if (PasscodeAccepted(WindowText(passcode), WindowText(Item(IDC_HOLD_CONFIRM)), limits_)) return true;
  ShowMessage(5, Section().c_str());
  return false;
}

void PrintAndHoldDialog::OnStoreControls() {
  if (working_ == nullptr) return;
  PrivateDevMode& p = working_->dmPrivate;
  const int16_t mode = Mode();
  p.iJobRetention = EncodeJobRetention({mode, Checked(IDC_HOLD_STORE)});
  const std::u16string untitled = UntitledLabel().empty() ? std::u16string(u"Untitled") : UntitledLabel();
  p.cJobName.Write(HoldName(WindowText(Item(IDC_HOLD_JOB)), untitled));
  p.cUserId.Write(HoldName(WindowText(Item(IDC_HOLD_USER)), ItemText(u"Unknown")));
  // Whole fields are written, so no tail of an older passcode survives.
  const std::u16string passcode = StoredPasscode(WindowText(Item(IDC_HOLD_PASSCODE)), limits_);
  if (limits_.secureField)
    p.cSecurePassword.Write(passcode);
  else
    p.cPassword.Write(passcode);
  if (mode == kHoldDelay) {
    SYSTEMTIME date{}, time{};
    SendMessageW(Item(IDC_HOLD_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    SendMessageW(Item(IDC_HOLD_TIME), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    p.cPrintingTime.Write(FormatPrintTime({date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute}));
  }
  SettingsPage::OnStoreControls();
}

bool PrintAndHoldDialog::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_HOLD_MODE:
      if (code == CBN_SELCHANGE) ApplyModeRule();
      return true;
    case IDC_HOLD_STORE:
    case IDC_HOLD_PUBLIC:
      if (code == BN_CLICKED) ApplyFlagRule();
      return true;
    case IDOK:
      if (code == BN_CLICKED && !CheckPasscode()) return true;
      return SettingsPage::OnCommand(id, code, control);
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
}

// ---- OutputPage -------------------------------------------------------------------------

namespace {

const int kMultipleGroup[] = {IDC_NUP, IDC_NUP_LABEL, IDC_NUP_BORDER, IDC_PAGE_ORDER_LABEL, IDC_PAGE_ORDER, 0};
const int kOrderControls[] = {IDC_PAGE_ORDER_LABEL, IDC_PAGE_ORDER, 0};
constexpr intptr_t kSamePage = 5;

}  // namespace

BOOL OutputPage::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  const ModelFeatures& m = Model();
  copies_.Bind(Handle(), IDC_COPIES, IDC_COPIES_SPIN, 1, 99, 2);
  if (m.LayoutMultiple != 0)
    AddItems(*this, IDC_NUP, {{u"1", 0}, {u"2", 1}, {u"4", 2}, {u"6", 3}, {u"9", 4}, {u"16", 5}});
  if (m.LayoutMultipleOrder == 0) {
    const int row = ControlOffset(IDC_NUP_BORDER, IDC_PAGE_ORDER, false).y;
    ShowControls(kOrderControls, 0);
    const POINT up{0, -row};
    ShowControl(IDC_NUP_BORDER, -1, &up);
  }
  return result;
}

void OutputPage::FillTypes() {
  const bool inches = working_->dmPrivate.IsMMInch > 0;
  if (inches == typesInInches_ && ComboBox(Item(IDC_LAYOUT_TYPE)).Count() > 0) return;
  typesInInches_ = inches;
  std::vector<ListItem> types;
  if (Model().LayoutMultiple != 0) types.push_back({u"Multiple Pages per Side", 0});
  if (inches)
    types.insert(types.end(), {{u"0.79 x 1.18 inch", 7}, {u"1.18 x 1.57 inch", 8}, {u"1.38 x 1.77 inch", 9}, {u"1.97 x 2.76 inch", 10}});
  else
    types.insert(types.end(), {{u"20 x 30 mm", 7}, {u"30 x 40 mm", 8}, {u"35 x 45 mm", 9}, {u"50 x 70 mm", 10}});
  const intptr_t chosen = ComboBox(Item(IDC_LAYOUT_TYPE)).SelectedData();
  ComboBox(Item(IDC_LAYOUT_TYPE)).Clear();
  SetItems(*this, IDC_LAYOUT_TYPE, types);
  ComboBox(Item(IDC_LAYOUT_TYPE)).SelectByData(chosen);
}

void OutputPage::FillPageOrders(intptr_t selected) {
  const intptr_t perSide = std::max<intptr_t>(0, ComboBox(Item(IDC_NUP)).SelectedData());
  std::vector<ListItem> orders = {{u"Same Page", kSamePage}};
  for (const ListItem& order : PageOrderItems(static_cast<int>(perSide), working_->dmPublic.dmOrientation == 2))
    orders.push_back(order);
  SetItems(*this, IDC_PAGE_ORDER, orders);
  ComboBox(Item(IDC_PAGE_ORDER)).SelectByData(std::clamp<intptr_t>(selected, 0, 5));
}

void OutputPage::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  copies_.SetValue(working_->dmPublic.dmCopies);
  FillTypes();
  ComboBox(Item(IDC_LAYOUT_TYPE)).SelectByData(TypeFromClone(p.iClone));
  ComboBox(Item(IDC_NUP)).SelectByData(std::clamp<int16_t>(p.iNup, 0, 5));
  FillPageOrders(p.iNupLayout);
  Check(IDC_NUP_BORDER, p.iNupBorder != 0);
  ApplyTypeRule();
  SettingsPage::OnSetActive();
}

void OutputPage::ApplyTypeRule() {
  EnableControls(kMultipleGroup, Editable() && ComboBox(Item(IDC_LAYOUT_TYPE)).SelectedData() == 0);
  // Last: the border also frames the clone sizes, which the rule above has just closed.
  ApplyPagesPerSideRule();
}

void OutputPage::ApplyPagesPerSideRule() {
  const bool multiple = ComboBox(Item(IDC_LAYOUT_TYPE)).SelectedData() == 0;
  const bool several = ComboBox(Item(IDC_NUP)).SelectedData() > 0;
  EnableControls(kOrderControls, Editable() && multiple && several);
  EnableControl(IDC_NUP_BORDER, Editable() && (several || !multiple));
}

void OutputPage::OnStoreControls() {
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  PublicDevMode& pub = working_->dmPublic;
  PrivateDevMode& p = working_->dmPrivate;
  pub.dmFields |= DM_COPIES;
  pub.dmCopies = static_cast<int16_t>(copies_.Value());
  const ComboBox types(Item(IDC_LAYOUT_TYPE)), perSide(Item(IDC_NUP)), orders(Item(IDC_PAGE_ORDER));
  if (types.SelectedData() >= 0) p.iClone = CloneFromType(types.SelectedData());
  if (perSide.SelectedData() >= 0) p.iNup = static_cast<int16_t>(perSide.SelectedData());
  p.iNupBorder = Checked(IDC_NUP_BORDER) ? 8 : 0;
  if (m.LayoutMultiple != 0 && m.LayoutMultipleOrder != 0 && orders.SelectedData() >= 0)
    p.iNupLayout = static_cast<int16_t>(orders.SelectedData());
  SettingsPage::OnStoreControls();
}

bool OutputPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_LAYOUT_TYPE:
      if (code != CBN_SELCHANGE) return true;
      ApplyTypeRule();
      break;
    case IDC_NUP:
      if (code != CBN_SELCHANGE) return true;
      FillPageOrders(ComboBox(Item(IDC_PAGE_ORDER)).SelectedData());
      ApplyPagesPerSideRule();
      break;
    case IDC_NUP_BORDER:
      if (code != BN_CLICKED) return true;
      break;
    case IDC_PAGE_ORDER:
      if (code != CBN_SELCHANGE) return true;
      break;
    case IDC_COPIES:
      if (!copies_.OnEditCommand(code)) return true;
      break;
    case IDC_UNITS_INCH:
    case IDC_UNITS_MM:
      // The clone sizes are named in the unit chosen.
      SettingsPage::OnCommand(id, code, control);
      if (code == BN_CLICKED && working_ != nullptr) FillTypes();
      return true;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

bool OutputPage::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS || header.idFrom != static_cast<UINT_PTR>(IDC_COPIES_SPIN))
    return SettingsPage::OnNotify(header, result);
  copies_.OnDelta(reinterpret_cast<const NMUPDOWN&>(header));
  result = TRUE;  // the position is ours; the up-down must not move on its own
  OnSettingChanged();
  return true;
}

}  // namespace qxge
