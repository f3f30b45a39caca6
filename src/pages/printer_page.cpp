#include "pages/printer_page.h"

#include <algorithm>
#include <array>

#include "app/driver_ui_app.h"
#include "config/model_features.h"
#include "platform/combo_box.h"
#include "platform/gdi.h"
#include "printer/raw_job.h"
#include "platform/win_text.h"
#include "printer/status_watch.h"
#include "resources/resource.h"

namespace qxge {
namespace {

using platform::ComboBox;

const ModelFeatures& Model() { return App().Features(); }

constexpr intptr_t kDefaultDelay = 15;
constexpr int32_t kMinDelay = 5, kMaxDelay = 60;

const int kTrayRow[] = {IDC_TRAY_LABEL, IDC_TRAY, 0};
const int kFinisherRow[] = {IDC_FINISHER_LABEL, IDC_FINISHER, 0};
const int kTrayCheckRow[] = {IDC_TRAY_CHECK, 0};
const int kEnvelopeRow[] = {IDC_ENVELOPE_FEEDER, 0};
const int kDuplexRow[] = {IDC_DUPLEX_UNIT, 0};
const int kStaplerRow[] = {IDC_STAPLER, 0};
const int kHardDiskRow[] = {IDC_HARD_DISK, 0};
const int kHighAltitudeRow[] = {IDC_HIGH_ALTITUDE, 0};
const int kPowerSaveRows[] = {IDC_POWER_SAVE, IDC_DELAY_LABEL, IDC_DELAY, 0};
const int kDelayControls[] = {IDC_DELAY_LABEL, IDC_DELAY, 0};
const int kPopupGroup[] = {IDC_POPUP_FRAME, IDC_STATUS_WINDOW, 0};

}  // namespace

BOOL PrinterPage::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  const ModelFeatures& m = Model();
  // Rows are one pitch apart, the delay under Power Save two.
  const int row = ControlOffset(IDC_FINISHER, IDC_TRAY, false).y;
  const int moved = CloseUpRows({{kTrayRow, m.PrinterOptTray != 0, row},
                                 {kFinisherRow, m.PrinterFinisher != 0, row},
                                 {kTrayCheckRow, m.PrinterTrayCheck != 0, row},
                                 {kEnvelopeRow, m.PrinterEnvelope != 0, row},
                                 {kDuplexRow, m.PrinterDuplex != 0, row},
                                 {kStaplerRow, m.PrinterStapler != 0, row},
                                 {kHardDiskRow, m.PrinterHDD != 0, row},
                                 {kHighAltitudeRow, m.PrinterHighAlt != 0, row},
                                 {kPowerSaveRows, m.PrinterPowerSave != 0, 3 * row}});
  const SIZE shorter{0, -moved};
  PlaceControl(IDC_PRINTER_FRAME, nullptr, &shorter);
  const POINT up{0, -moved};
  ShowControls(kPopupGroup, m.PrinterStatusWindow != 0 ? 1 : 0, &up);

  const ComboBox trays(Item(IDC_TRAY));
  trays.Add(platform::W(ItemText(u"None")), 0);
  trays.Add(platform::W(ItemText(m.PrinterTray34 != 0 ? u"Tray 3 and Tray 4" : u"Tray 2")), 1);
  const ComboBox finishers(Item(IDC_FINISHER));
  static const char16_t* const kFinishers[] = {u"None", u"Hanging Finisher", u"Finisher", u"Saddle Stitch Finisher"};
  for (int i = 0; i < 4; ++i) finishers.Add(platform::W(ItemText(kFinishers[i])), i);
  const ComboBox delays(Item(IDC_DELAY));
  static const struct {
    const char16_t* text;
    int minutes;
  } kDelays[] = {{u"5 Minutes", 5},   {u"10 Minutes", 10}, {u"15 Minutes", 15},
                 {u"30 Minutes", 30}, {u"45 Minutes", 45}, {u"60 Minutes", 60}};
  for (const auto& delay : kDelays) delays.Add(platform::W(ItemText(delay.text)), delay.minutes);
  return result;
}

void PrinterPage::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  ComboBox(Item(IDC_TRAY)).SelectByData(p.iOptTray > 0 ? 1 : 0);
  Check(IDC_TRAY_CHECK, p.iOptTray > 0);
  ComboBox(Item(IDC_FINISHER)).SelectByData(std::clamp<int16_t>(p.iOptFinisher, 0, 3));
  Check(IDC_ENVELOPE_FEEDER, p.iEvlSupply >= 1);
  Check(IDC_DUPLEX_UNIT, p.iDuplexUnit > 0);
  Check(IDC_HARD_DISK, p.iInHard >= 1);
  Check(IDC_STAPLER, p.iStaple > 0);
  Check(IDC_HIGH_ALTITUDE, p.iHighAlt > 0);
  Check(IDC_POWER_SAVE, p.iPowerSave != 0);
  const ComboBox delays(Item(IDC_DELAY));
  if (p.iPowerSave != 0)
    delays.SelectByData(std::clamp<int32_t>(p.iPowerSave, kMinDelay, kMaxDelay));
  else if (delays.SelectedData() < 0)
    delays.SelectByData(kDefaultDelay);
  if (const std::optional<bool> on = ReadStatusWindowSwitch(*working_)) statusWindow_ = *on;
  Check(IDC_STATUS_WINDOW, statusWindow_);
  ApplyPowerSaveRule();
  SettingsPage::OnSetActive();
}

void PrinterPage::ApplyPowerSaveRule() { EnableControls(kDelayControls, Editable() && Checked(IDC_POWER_SAVE)); }

void PrinterPage::OnStoreControls() {
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  PrivateDevMode& p = working_->dmPrivate;
  // A negative value is one the driver fixed: it survives every store.
  const auto store = [](auto& field, intptr_t value) {
    if (field >= 0) field = static_cast<int16_t>(value);
  };
  if (m.PrinterOptTray != 0) store(p.iOptTray, ComboBox(Item(IDC_TRAY)).SelectedData());
  if (m.PrinterTrayCheck != 0) store(p.iOptTray, Checked(IDC_TRAY_CHECK));
  if (m.PrinterFinisher != 0) store(p.iOptFinisher, ComboBox(Item(IDC_FINISHER)).SelectedData());
  if (m.PrinterEnvelope != 0) store(p.iEvlSupply, Checked(IDC_ENVELOPE_FEEDER));
  if (m.PrinterDuplex != 0) store(p.iDuplexUnit, Checked(IDC_DUPLEX_UNIT));
  if (m.PrinterHDD != 0) store(p.iInHard, Checked(IDC_HARD_DISK));
  // A chosen staple position stays while the stapler does; an unset one becomes "None".
  if (m.PrinterStapler != 0 && (p.iStaple == 0 || (p.iStaple > 0 && !Checked(IDC_STAPLER))))
    p.iStaple = Checked(IDC_STAPLER) ? 1 : 0;
  if (m.PrinterHighAlt != 0) p.iHighAlt = Checked(IDC_HIGH_ALTITUDE) ? 1 : 0;
  if (m.PrinterPowerSave != 0)
    p.iPowerSave = static_cast<uint16_t>(Checked(IDC_POWER_SAVE) ? ComboBox(Item(IDC_DELAY)).SelectedData() : 0);
  if (m.PrinterStatusWindow != 0) {
    statusWindow_ = Checked(IDC_STATUS_WINDOW);
    WriteStatusWindowSwitch(*working_, statusWindow_);
  }
  SettingsPage::OnStoreControls();
}

bool PrinterPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_TRAY:
    case IDC_FINISHER:
    case IDC_DELAY:
      if (code != CBN_SELCHANGE) return true;
      break;
    case IDC_POWER_SAVE:
      if (code != BN_CLICKED) return true;
      ApplyPowerSaveRule();
      break;
    case IDC_DUPLEX_UNIT:
      if (code != BN_CLICKED) return true;
      // Manual models keep the way double-sided printing was set when the unit comes or goes.
      if (Model().LayoutDoubleManual != 0 && working_ != nullptr && baseline_ != nullptr) {
        working_->dmPrivate.iManualDuplex = baseline_->dmPrivate.iManualDuplex;
        working_->dmPrivate.iHardwareDuplex = baseline_->dmPrivate.iHardwareDuplex;
      }
      break;
    case IDC_TRAY_CHECK:
    case IDC_ENVELOPE_FEEDER:
    case IDC_STAPLER:
    case IDC_HARD_DISK:
    case IDC_HIGH_ALTITUDE:
    case IDC_STATUS_WINDOW:
      if (code != BN_CLICKED) return true;
      break;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

}  // namespace qxge

namespace qxge {
namespace {

// The printer's cleaning command: the zero byte in it is part of the command.
constexpr char kHeadCleaning[] = {0x1B, 0x53, 0x53, 0x00, 0x02, 0x50, 0x0D};

}  // namespace

BOOL MaintenancePage::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  BindPictureButton(alignment_, IDC_ALIGNMENT, IDB_ALIGNMENT_STRIP, {IDC_ALIGNMENT_TITLE, IDC_ALIGNMENT_TEXT, 0});
  BindPictureButton(cleaning_, IDC_CLEANING, IDB_CLEANING_STRIP, {IDC_CLEANING_TITLE, IDC_CLEANING_TEXT, 0});
  return result;
}

void MaintenancePage::BindPictureButton(ImageButton& button, int id, int stripId, const std::array<int, 3>& texts) {
  const HWND control = Item(id);
  if (control == nullptr) return;
  if (button.Attach(control)) {
    const RECT picture = button.LoadStrip(stripId);
    if (!IsRectEmpty(&picture)) {
      // The picture hides the button's words: they show over it instead. The button takes the
      // mouse itself, so the tip is its own.
      Tooltip().SetText(id, false, platform::WindowText(control));
      return;
    }
    button.Detach();
  }
  // Without its picture the button is an ordinary one, as wide as its words need.
  const std::u16string text = platform::WindowText(control);
  platform::MemoryDc dc(nullptr);
  dc.Select(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE words{};
  GetTextExtentPoint32W(dc.Get(), platform::W(text), static_cast<int>(text.size()), &words);
  RECT margin{4, 0, 8, 14};  // dialog units: the gap to the words beside, the button's edges and height
  MapDialogRect(Handle(), &margin);
  SetWindowPos(control, nullptr, 0, 0, words.cx + margin.right, margin.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The title and description make room for a button wider than the picture was.
  const int over = ControlRect(id).right + margin.left - ControlRect(texts[0]).left;
  if (over <= 0) return;
  for (int i = 0; texts[i] != 0; ++i) {
    const RECT r = ControlRect(texts[i]);
    const POINT topLeft{r.left + over, r.top};
    const SIZE size{r.right - r.left - over, r.bottom - r.top};
    PlaceControl(texts[i], &topLeft, &size);
  }
}

bool MaintenancePage::OnCommand(int id, int code, HWND control) {
  if ((id != IDC_ALIGNMENT && id != IDC_CLEANING) || working_ == nullptr)
    return SettingsPage::OnCommand(id, code, control);
  if (code != BN_CLICKED) return true;
  const DriverUiApp& app = App();
  if (id == IDC_ALIGNMENT) {
    // The alignment file of the user's language, else the model's own.
    if (!SendFileAsJob(*working_, app.TextFileBase() + u".PRN", u"Auto Alignment"))
      SendFileAsJob(*working_, app.ModuleDir() + app.ModuleName() + u".PRN", u"Auto Alignment");
  } else {
    SendRawJob(*working_, u"Head Cleaning", kHeadCleaning, sizeof kHeadCleaning);
  }
  return true;
}

}  // namespace qxge
