#include "pages/graphics_page.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "app/driver_ui_app.h"
#include "config/model_features.h"
#include "platform/combo_box.h"
#include "platform/win_text.h"
#include "record/resolutions.h"

namespace qxge {
namespace {

using platform::ComboBox;

const ModelFeatures& Model() { return App().Features(); }

// Radio groups in the order of their record values.
const int kTonerRadios[] = {IDC_TONER_PRINTER, IDC_TONER_OFF, IDC_TONER_ON};  // iTonerSave 0, 1, 2
const int kTonerOrder[] = {0, 2, 1};  // the radios top down: Printer Setting, On, Off
const int kDarknessRadios[] = {IDC_DARKNESS_NORMAL, IDC_DARKNESS_LIGHT, IDC_DARKNESS_DARK};
const int kTrueTypeRadios[] = {IDC_TRUETYPE_OUTLINE, IDC_TRUETYPE_BITMAP, IDC_TRUETYPE_GRAPHICS};
const int kImageRadios[] = {IDC_IMAGE_PRINTER, IDC_IMAGE_NORMAL, IDC_IMAGE_TEXT, IDC_IMAGE_PHOTO};

const int kRasterGroup[] = {IDC_RASTER_FRAME, IDC_RASTER, IDC_RASTER_SLIDER, IDC_RASTER_LOW, IDC_RASTER_HIGH, 0};
const int kRasterSlider[] = {IDC_RASTER_SLIDER, IDC_RASTER_LOW, IDC_RASTER_HIGH, 0};
const int kTonerGroup[] = {IDC_TONER_FRAME, IDC_TONER_PICTURE, IDC_TONER_PRINTER, IDC_TONER_ON, IDC_TONER_OFF, 0};
const int kTonerBelowPrinter[] = {IDC_TONER_ON, IDC_TONER_OFF, 0};
const int kDarknessGroup[] = {IDC_DARKNESS_FRAME, IDC_DARKNESS_PICTURE, IDC_DARKNESS_NORMAL, IDC_DARKNESS_LIGHT,
                              IDC_DARKNESS_DARK, 0};
const int kTrueTypeGroup[] = {IDC_TRUETYPE_FRAME, IDC_TRUETYPE_PICTURE, IDC_TRUETYPE_OUTLINE, IDC_TRUETYPE_BITMAP,
                              IDC_TRUETYPE_GRAPHICS, 0};
const int kTrueTypeBelowOutline[] = {IDC_TRUETYPE_BITMAP, IDC_TRUETYPE_GRAPHICS, 0};
const int kAllTextBlack[] = {IDC_ALL_TEXT_BLACK, 0};
const int kDarkenText[] = {IDC_DARKEN_TEXT, 0};
const int kImageGroup[] = {IDC_IMAGE_FRAME, IDC_IMAGE_PICTURE, 0};
const int kColorGroup[] = {IDC_COLOR_FRAME, IDC_COLOR_PICTURE, IDC_COLOR, IDC_GRAYSCALE, IDC_COLOR_MANUAL,
                           IDC_COLOR_SETTINGS, IDC_MATCHING_LABEL, IDC_MATCHING, IDC_ADJUST_COLOR, IDC_COLOR_MATCHING, 0};
const int kManualControls[] = {IDC_COLOR_MANUAL, IDC_ADJUST_COLOR, IDC_COLOR_MATCHING, 0};
const int kMatchingControls[] = {IDC_MATCHING_LABEL, IDC_MATCHING, 0};

const int kTonerPictures[] = {4060, 4062, 4058};  // by iTonerSave
const int kDarknessPictures[] = {4010, 4008, 4006};
const int kTrueTypePictures[] = {4004, 4000, 4002};
const int kImagePictures[] = {4050, 4054, 4056, 4052};

constexpr int kRasterLevels = 4;  // Auto, Minimum, Middle, Maximum

template <size_t N>
int CheckedIndex(const SettingsPage& page, const int (&radios)[N]) {
  for (size_t i = 0; i < N; ++i)
    if (page.Checked(radios[i])) return static_cast<int>(i);
  return 0;
}

template <size_t N>
void CheckIndex(const SettingsPage& page, const int (&radios)[N], int index) {
  for (size_t i = 0; i < N; ++i) page.Check(radios[i], static_cast<int>(i) == index);
}

// The lists of the colour settings, text = data in order.
const char16_t* const kMatchingItems[] = {u"Off", u"Perceptual", u"Saturation", u"Colorimetric", nullptr};
const char16_t* const kCurrentItems[] = {u"Automatic Setting", u"Custom Setting", nullptr};
const char16_t* const kRgbItems[] = {u"Default", u"Vivid", u"Device", nullptr};
const char16_t* const kEdgeItems[] = {u"Soft", u"Normal", u"Rough", u"Off", nullptr};
const char16_t* const kGrayItems[] = {u"Black Only", u"Full Color", nullptr};
const char16_t* const kHalftoneItems[] = {u"Smooth", u"Sharp", nullptr};

void FillList(const SettingsPage& page, int id, const char16_t* const* items) {
  const ComboBox combo(page.Item(id));
  for (intptr_t i = 0; items[i] != nullptr; ++i) combo.Add(platform::W(page.ItemText(items[i])), i);
}

int ResolutionRadio(int index) { return index == kDraftMode ? IDC_DRAFT_MODE : IDC_RESOLUTION_FIRST + index; }

int ResolutionPicture(int index) {
  if (index == kDraftMode) return 4108;
  static const int kRows[] = {4044, 4048, 4046};
  return kRows[index / kResolutionRow];
}

// The system reports itself as one of the NT family (Wine does).
bool NtFamily() { return (GetVersion() & 0x80000000u) == 0; }

}  // namespace

// ---- ColorModeChoice --------------------------------------------------------------------

void ColorModeChoice::Bind(SettingsPage& page) {
  page_ = &page;
  picture_.Attach(page.Item(IDC_COLOR_PICTURE));
}

void ColorModeChoice::Fill(const PrivateDevMode& p) {
  page_->CheckRadio(IDC_COLOR, IDC_GRAYSCALE, p.iGrayMode > 0 ? IDC_COLOR : IDC_GRAYSCALE);
  ShowPicture();
}

void ColorModeChoice::ShowPicture() { picture_.SetIcon(Colour() ? 4089 : 4090); }

bool ColorModeChoice::OnCommand(int id, int code) {
  if (id == IDC_COLOR_PICTURE && code == STN_CLICKED && page_->Editable()) {
    page_->CheckRadio(IDC_COLOR, IDC_GRAYSCALE, Colour() ? IDC_GRAYSCALE : IDC_COLOR);
  } else if (!((id == IDC_COLOR || id == IDC_GRAYSCALE) && code == BN_CLICKED)) {
    return false;
  }
  ShowPicture();
  return true;
}

// ---- GraphicsOptionsBase ----------------------------------------------------------------

BOOL GraphicsOptionsBase::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  tonerPicture_.Attach(Item(IDC_TONER_PICTURE));
  darknessPicture_.Attach(Item(IDC_DARKNESS_PICTURE));
  trueTypePicture_.Attach(Item(IDC_TRUETYPE_PICTURE));
  const ComboBox raster(Item(IDC_RASTER));
  static const char16_t* const kLevels[] = {u"Auto", u"Minimum", u"Middle", u"Maximum"};
  for (int i = 0; i < kRasterLevels; ++i) raster.Add(platform::W(ItemText(kLevels[i])), i);
  SendDlgItemMessageW(Handle(), IDC_RASTER_SLIDER, TBM_SETRANGE, FALSE, MAKELPARAM(1, 3));
  SendDlgItemMessageW(Handle(), IDC_RASTER_SLIDER, TBM_SETPAGESIZE, 0, 1);
  return result;
}

int GraphicsOptionsBase::LayOutOptions(const GraphicsGroups& held) {
  const ModelFeatures& m = Model();
  holdsDarkness_ = held.darkness;
  // Each group's height is the distance to the next, measured before anything moves.
  const int raster = ControlOffset(IDC_TONER_FRAME, IDC_RASTER_FRAME, false).y;
  const int toner = ControlOffset(IDC_DARKNESS_FRAME, IDC_TONER_FRAME, false).y;
  const int darkness = ControlOffset(IDC_TRUETYPE_FRAME, IDC_DARKNESS_FRAME, false).y;
  const int trueType = ControlOffset(IDC_ALL_TEXT_BLACK, IDC_TRUETYPE_FRAME, false).y;
  const int line = ControlOffset(IDC_DARKEN_TEXT, IDC_ALL_TEXT_BLACK, false).y;
  const int moved = CloseUpRows({{kRasterGroup, held.raster, raster},
                                 {kTonerGroup, held.toner, toner},
                                 {kDarknessGroup, held.darkness, darkness},
                                 {kTrueTypeGroup, held.trueType, trueType},
                                 {kAllTextBlack, held.text, line},
                                 {kDarkenText, held.text && m.GraphicsDarkenText != 0, line}});
  // Radios a model lacks within a group: those below take their row.
  if (held.toner && m.GraphicsTonerPrinter == 0) {
    const POINT up{0, -line};
    ShowControl(IDC_TONER_PRINTER, 0);
    ShowControls(kTonerBelowPrinter, 1, &up);
  }
  if (held.trueType && m.GraphicsTrueTypeOutline == 0) {
    const POINT up{0, -line};
    ShowControl(IDC_TRUETYPE_OUTLINE, 0);
    ShowControls(kTrueTypeBelowOutline, 1, &up);
  }
  if (held.trueType && m.GraphicsTrueTypeDisabled != 0 && NtFamily()) {
    EnableControls(kTrueTypeGroup, false);
    ShowControl(IDC_TRUETYPE_PICTURE, 0);
  }
  return moved;
}

void GraphicsOptionsBase::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  ComboBox(Item(IDC_RASTER)).SelectByData(std::clamp<int16_t>(p.iRasterCompression, 0, 3));
  CheckIndex(*this, kTonerRadios, std::clamp<int16_t>(p.iTonerSave, 0, 2));
  CheckIndex(*this, kDarknessRadios, std::min<uint16_t>(p.iPrintDensity, 2));
  CheckIndex(*this, kTrueTypeRadios, std::clamp<int16_t>(p.iTTMode, 0, 2));
  Check(IDC_ALL_TEXT_BLACK, p.iAllTextBlack > 0);
  Check(IDC_DARKEN_TEXT, p.iDarkenText > 0);
  ApplyCompressionRule();
  darknessPicture_.SetIcon(kDarknessPictures[CheckedIndex(*this, kDarknessRadios)]);
  ApplyTrueTypeRule();
  ApplyTonerRule();
  SettingsPage::OnSetActive();
}

void GraphicsOptionsBase::ApplyCompressionRule() {
  const intptr_t level = ComboBox(Item(IDC_RASTER)).SelectedData();
  if (level > 0) SendDlgItemMessageW(Handle(), IDC_RASTER_SLIDER, TBM_SETPOS, TRUE, kRasterLevels - level);
  EnableControls(kRasterSlider, Editable() && level > 0);
}

void GraphicsOptionsBase::ApplyTrueTypeRule() {
  const int mode = CheckedIndex(*this, kTrueTypeRadios);
  trueTypePicture_.SetIcon(kTrueTypePictures[mode]);
  EnableControl(IDC_ALL_TEXT_BLACK, Editable() && mode != 2 && working_->dmPrivate.iPoster < 1);
}

bool GraphicsOptionsBase::SavesToner() const {
  const ModelFeatures& m = Model();
  if (m.GraphicsTonerMode != 0) return CheckedIndex(*this, kTonerRadios) == 2;
  return working_ != nullptr && IsDraftMode(*working_, m);
}

void GraphicsOptionsBase::ApplyTonerRule() {
  tonerPicture_.SetIcon(kTonerPictures[CheckedIndex(*this, kTonerRadios)]);
  if (Model().GraphicsDarkness == 0) return;
  // Saving toner prints at normal darkness.
  const bool saving = SavesToner();
  if (saving) {
    CheckIndex(*this, kDarknessRadios, 0);
    darknessPicture_.SetIcon(kDarknessPictures[0]);
  }
  EnableControls(kDarknessGroup, Editable() && !saving);
  ShowControl(IDC_DARKNESS_PICTURE, saving || !holdsDarkness_ ? 0 : 1);
}

void GraphicsOptionsBase::OnStoreControls() {
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  PrivateDevMode& p = working_->dmPrivate;
  if (p.iAllTextBlack >= 0) p.iAllTextBlack = Checked(IDC_ALL_TEXT_BLACK) ? 1 : 0;
  if (m.GraphicsTrueType != 0) p.iTTMode = static_cast<int16_t>(CheckedIndex(*this, kTrueTypeRadios));
  if (m.GraphicsDarkness != 0) p.iPrintDensity = static_cast<uint16_t>(CheckedIndex(*this, kDarknessRadios));
  if (m.GraphicsDarkenText != 0 && p.iDarkenText >= 0) p.iDarkenText = Checked(IDC_DARKEN_TEXT) ? 1 : 0;
  if (m.GraphicsTonerMode != 0) p.iTonerSave = static_cast<int16_t>(CheckedIndex(*this, kTonerRadios));
  // A monochrome model may offer raster compression too: its choice is kept like a colour model's.
  if (m.GraphicsColorMode != 0 || m.GraphicsRaster != 0)
    p.iRasterCompression = static_cast<int16_t>(ComboBox(Item(IDC_RASTER)).SelectedData());
  SettingsPage::OnStoreControls();
}

bool GraphicsOptionsBase::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_RASTER:
      if (code != CBN_SELCHANGE) return true;
      ApplyCompressionRule();
      break;
    case IDC_DARKNESS_PICTURE:
    case IDC_TRUETYPE_PICTURE:
    case IDC_TONER_PICTURE: {
      if (code != STN_CLICKED || !Editable() || !IsWindowEnabled(control)) return true;
      // A click on a picture takes the next choice below, round to the top.
      if (id == IDC_TONER_PICTURE) {
        const int at = static_cast<int>(std::find(std::begin(kTonerOrder), std::end(kTonerOrder),
                                                  CheckedIndex(*this, kTonerRadios)) - std::begin(kTonerOrder));
        int next = kTonerOrder[(at + 1) % 3];
        if (next == 0 && Model().GraphicsTonerPrinter == 0) next = kTonerOrder[1];
        CheckIndex(*this, kTonerRadios, next);
        ApplyTonerRule();
      } else if (id == IDC_DARKNESS_PICTURE) {
        const int next = (CheckedIndex(*this, kDarknessRadios) + 1) % 3;
        CheckIndex(*this, kDarknessRadios, next);
        darknessPicture_.SetIcon(kDarknessPictures[next]);
      } else {
        int next = (CheckedIndex(*this, kTrueTypeRadios) + 1) % 3;
        if (next == 0 && Model().GraphicsTrueTypeOutline == 0) next = 1;
        CheckIndex(*this, kTrueTypeRadios, next);
        ApplyTrueTypeRule();
      }
      break;
    }
    case IDC_TONER_PRINTER:
    case IDC_TONER_ON:
    case IDC_TONER_OFF:
      if (code != BN_CLICKED) return true;
      ApplyTonerRule();
      break;
    case IDC_DARKNESS_NORMAL:
    case IDC_DARKNESS_LIGHT:
    case IDC_DARKNESS_DARK:
      if (code != BN_CLICKED) return true;
      darknessPicture_.SetIcon(kDarknessPictures[CheckedIndex(*this, kDarknessRadios)]);
      break;
    case IDC_TRUETYPE_OUTLINE:
    case IDC_TRUETYPE_BITMAP:
    case IDC_TRUETYPE_GRAPHICS:
      if (code != BN_CLICKED) return true;
      ApplyTrueTypeRule();
      break;
    case IDC_ALL_TEXT_BLACK:
    case IDC_DARKEN_TEXT:
      if (code != BN_CLICKED) return true;
      break;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

bool GraphicsOptionsBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == Item(IDC_RASTER_SLIDER) && lParam != 0) {
    // The left end is the most compression: "Maximum".
    const LRESULT position = SendMessageW(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0);
    ComboBox(Item(IDC_RASTER)).SelectByData(kRasterLevels - std::clamp<LRESULT>(position, 1, 3));
    if (LOWORD(wParam) != TB_ENDTRACK) OnSettingChanged();
    result = 0;
    return true;
  }
  return SettingsPage::OnMessage(message, wParam, lParam, result);
}

// ---- GraphicsPage -----------------------------------------------------------------------

BOOL GraphicsPage::OnInitDialog() {
  const BOOL result = GraphicsOptionsBase::OnInitDialog();
  resolutionPicture_.Attach(Item(IDC_RESOLUTION_PICTURE));
  if (Model().GraphicsColorMatching != 0) FillList(*this, IDC_MATCHING, kMatchingItems);
  imagePicture_.Attach(Item(IDC_IMAGE_PICTURE));
  colour_.Bind(*this);
  LayOutPage();
  return result;
}

void GraphicsPage::LayOutPage() {
  const ModelFeatures& m = Model();
  const int row = ControlOffset(IDC_IMAGE_NORMAL, IDC_IMAGE_PRINTER, false).y;
  const RECT first = ControlRect(IDC_RESOLUTION_FIRST);
  // Group heights, measured before anything moves.
  const int imageHeight = ControlOffset(IDC_COLOR_FRAME, IDC_IMAGE_FRAME, false).y;
  const int colourHeight = ControlOffset(IDC_RASTER_FRAME, IDC_COLOR_FRAME, false).y;

  // The first four resolutions the model offers, one row apart; with fewer, the frame is a
  // row shorter and the budget a row larger.
  int shown = 0;
  for (int i = 0; i < kResolutionCount; ++i) {
    if (!m.ResolutionAvailable(i) || shown == 4) continue;
    shownResolutions_ |= 1u << i;
    const POINT at{first.left, first.top + shown * row};
    PlaceControl(ResolutionRadio(i), &at, nullptr);
    ShowControl(ResolutionRadio(i), 1);
    ++shown;
  }
  int budget = 8;
  const bool shortRows = shown < 4;
  if (shortRows) {
    budget = 9;
    const SIZE shorter{0, -row};
    PlaceControl(IDC_RESOLUTION_FRAME, nullptr, &shorter);
  }

  // Image modes: a radio for each mode the model has; any missing one shortens the frame by a row.
  const int32_t masks[4] = {m.GraphicsImageModePrinter, m.GraphicsImageModeNormal, m.GraphicsImageModeText,
                            m.GraphicsImageModeImage};
  const bool images = m.GraphicsImageModes != 0;
  bool imageGap = false;
  if (images) {
    int radios[4][2] = {};
    for (int i = 0; i < 4; ++i) radios[i][0] = kImageRadios[i];
    CloseUpRows({{radios[0], masks[0] != 0, row}, {radios[1], masks[1] != 0, row},
                 {radios[2], masks[2] != 0, row}, {radios[3], masks[3] != 0, row}});
    imageGap = std::count(std::begin(masks), std::end(masks), 0) > 0;
    if (imageGap) {
      const SIZE shorter{0, -row};
      PlaceControl(IDC_IMAGE_FRAME, nullptr, &shorter);
    }
    budget -= imageGap ? 3 : 4;
  } else {
    for (int id : kImageRadios) ShowControl(id, 0);
  }

  const bool colour = m.GraphicsColorMode != 0;
  const bool settings = m.GraphicsColorSettings != 0, matching = m.GraphicsColorMatching != 0;
  if (colour) budget -= settings && matching ? 6 : 4;

  // The option groups stay while the budget has room for them, in this order.
  GraphicsGroups page;
  bool anyMoved = false;
  const auto keep = [&](int32_t feature, int cost, bool& stays, bool& moved) {
    if (feature == 0) return;
    stays = budget > cost;
    if (stays) budget -= cost;
    moved = !stays;
    anyMoved = anyMoved || moved;
  };
  keep(m.GraphicsRaster, 4, page.raster, moved_.raster);
  keep(m.GraphicsTonerMode, 3, page.toner, moved_.toner);
  keep(m.GraphicsDarkness, 3, page.darkness, moved_.darkness);
  const int needed = 1 + (m.GraphicsDarkenText != 0 ? 1 : 0) + (m.GraphicsTrueType != 0 ? 3 : 0) + (anyMoved ? 1 : 0);
  const bool textStays = budget >= needed && m.GraphicsTrueTypeAdvanced == 0;
  page.trueType = textStays && m.GraphicsTrueType != 0;
  page.text = textStays;
  moved_.trueType = !textStays && m.GraphicsTrueType != 0;
  moved_.text = !textStays;

  // Everything below a group that is shorter or missing moves up by what it gave up.
  int above = shortRows ? row : 0;
  const POINT imageUp{0, -above};
  ShowControls(kImageGroup, images ? 1 : 0, &imageUp);
  for (int id : kImageRadios) ShowControl(id, -1, &imageUp);
  above += images ? (imageGap ? row : 0) : imageHeight;
  const POINT colourUp{0, -above};
  ShowControls(kColorGroup, colour ? 1 : 0, &colourUp);
  if (colour) {
    // Manual adjustment with its two dialogs needs both colour features; one of them alone has
    // its own row, and the rows not used go.
    const int buttonRow = ControlOffset(IDC_ADJUST_COLOR, IDC_COLOR_SETTINGS, false).y;
    ShowControls(kManualControls, settings && matching ? 1 : 0);
    ShowControl(IDC_COLOR_SETTINGS, settings && !matching ? 1 : 0);
    ShowControls(kMatchingControls, matching && !settings ? 1 : 0);
    const int unused = settings && matching ? 0 : (settings != matching ? 1 : 2) * buttonRow;
    if (unused != 0) {
      const SIZE shorter{0, -unused};
      PlaceControl(IDC_COLOR_FRAME, nullptr, &shorter);
      above += unused;
    }
  } else {
    above += colourHeight;
  }
  const POINT up{0, -above};
  for (const int* group : {kRasterGroup, kTonerGroup, kDarknessGroup, kTrueTypeGroup, kAllTextBlack, kDarkenText})
    ShowControls(group, -1, &up);
  LayOutOptions(page);
  ShowControl(IDC_ADVANCED, moved_.Any() ? 1 : 0);
}

int GraphicsPage::ResolutionChoice() const {
  for (int i = 0; i < kResolutionCount; ++i)
    if (((shownResolutions_ >> i) & 1) != 0 && Checked(ResolutionRadio(i))) return i;
  return -1;
}

void GraphicsPage::SelectResolution(int index) {
  for (int i = 0; i < kResolutionCount; ++i) Check(ResolutionRadio(i), i == index);
}

void GraphicsPage::OnSetActive() {
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  const DriverDevMode& r = *working_;
  const PrivateDevMode& p = r.dmPrivate;
  int index = ResolutionIndex(r, m);
  const bool poster = p.iPoster >= 1;
  if (((shownResolutions_ >> index) & 1) == 0 || (index < kResolutionRow && poster))
    index = NextResolution(index, shownResolutions_, poster);
  SelectResolution(index);
  CheckIndex(*this, kImageRadios, std::clamp<int16_t>(p.iSrt, 0, 3));
  colour_.Fill(p);
  ComboBox(Item(IDC_MATCHING)).SelectByData(p.iICMColorMatching);
  Check(IDC_COLOR_MANUAL, p.iColorOptions >= 1);
  // The 1200 row prints no poster.
  for (int i = 0; i < kResolutionRow; ++i) {
    EnableControl(ResolutionRadio(i), Editable() && !poster);
    SetOptionUsageTip(ResolutionRadio(i), 13, poster, 0);
  }
  GraphicsOptionsBase::OnSetActive();
  ApplyResolutionRule();
  ApplyColorRule();
}

void GraphicsPage::ApplyColorRule() {
  const bool manual = Editable() && Checked(IDC_COLOR_MANUAL);
  // Windows NT 4.0 matches no colours.
  const DWORD version = GetVersion();
  const bool nt4 = LOBYTE(LOWORD(version)) == 4 && HIBYTE(LOWORD(version)) == 0;
  EnableControl(IDC_ADJUST_COLOR, manual);
  EnableControl(IDC_COLOR_MATCHING, manual && colour_.Colour() && !nt4);
}

void GraphicsPage::ApplyResolutionRule() {
  const int index = ResolutionChoice();
  if (index < 0) return;
  resolutionPicture_.SetIcon(ResolutionPicture(index));
  const ModelFeatures& m = Model();
  if (m.GraphicsImageModes == 0) return;
  bool any = false;
  for (int mode = 0; mode < 4; ++mode) {
    const bool available = ImageModeAvailable(mode, index, m);
    EnableControl(kImageRadios[mode], Editable() && available);
    any = any || available;
  }
  int mode = CheckedIndex(*this, kImageRadios);
  if (!ImageModeAvailable(mode, index, m)) {
    for (int first = 0; first < 4; ++first) {
      if (!ImageModeAvailable(first, index, m)) continue;
      CheckIndex(*this, kImageRadios, mode = first);
      break;
    }
  }
  imagePicture_.SetIcon(kImagePictures[mode]);
  EnableControl(IDC_IMAGE_PICTURE, Editable() && any);
}

bool GraphicsPage::SavesToner() const {
  const ModelFeatures& m = Model();
  if (m.GraphicsTonerMode == 0 && m.GraphicsDraftRes != 0) return ResolutionChoice() == kDraftMode;
  return GraphicsOptionsBase::SavesToner();
}

void GraphicsPage::OnStoreControls() {
  GraphicsOptionsBase::OnStoreControls();
  if (working_ == nullptr) return;
  const ModelFeatures& m = Model();
  PublicDevMode& pub = working_->dmPublic;
  PrivateDevMode& p = working_->dmPrivate;
  pub.dmFields |= dm::kPrintQuality;
  const int index = ResolutionChoice();
  if (index >= 0) {
    pub.dmPrintQuality = kResolutionChoices[index].quality;
    p.iResolution = kResolutionChoices[index].resolution;
    if (m.GraphicsDraftRes != 0) p.iTonerSave = index == kDraftMode ? 2 : 1;
  }
  if (m.GraphicsImageModes != 0) p.iSrt = static_cast<int16_t>(CheckedIndex(*this, kImageRadios));
  if (m.GraphicsColorMode != 0) p.iGrayMode = colour_.Colour() ? 1 : 0;
  if (m.GraphicsColorMatching != 0) p.iICMColorMatching = static_cast<int16_t>(ComboBox(Item(IDC_MATCHING)).SelectedData());
  if (p.iColorOptions >= 0) p.iColorOptions = Checked(IDC_COLOR_MANUAL) ? 1 : 0;
}

void GraphicsPage::RunColorDialog(SettingsPage& dialog) {
  if (dialog.RunModal() != IDOK) return;
  const PrivateDevMode& p = working_->dmPrivate;
  Check(IDC_COLOR_MANUAL, p.iColorOptions >= 1);
  ComboBox(Item(IDC_MATCHING)).SelectByData(p.iICMColorMatching);
  ApplyColorRule();
  OnSettingChanged();
}

bool GraphicsPage::OnCommand(int id, int code, HWND control) {
  const bool resolution = (id >= IDC_RESOLUTION_FIRST && id < IDC_RESOLUTION_FIRST + kDraftMode) || id == IDC_DRAFT_MODE;
  if (colour_.OnCommand(id, code)) {
    ApplyColorRule();
    OnSettingChanged();
    return true;
  }
  if (resolution) {
    if (code != BN_CLICKED) return true;
    ApplyResolutionRule();
    ApplyTonerRule();
    OnSettingChanged();
    return true;
  }
  switch (id) {
    case IDC_RESOLUTION_PICTURE: {
      if (code != STN_CLICKED || !Editable()) return true;
      const int next = NextResolution(ResolutionChoice(), shownResolutions_, working_->dmPrivate.iPoster >= 1);
      SelectResolution(next);
      ApplyResolutionRule();
      ApplyTonerRule();
      break;
    }
    case IDC_IMAGE_PICTURE: {
      if (code != STN_CLICKED || !Editable() || !IsWindowEnabled(control)) return true;
      const int index = ResolutionChoice();
      int mode = CheckedIndex(*this, kImageRadios);
      for (int step = 1; step <= 4; ++step) {
        if (!ImageModeAvailable((mode + step) % 4, index, Model())) continue;
        mode = (mode + step) % 4;
        break;
      }
      CheckIndex(*this, kImageRadios, mode);
      imagePicture_.SetIcon(kImagePictures[mode]);
      break;
    }
    case IDC_IMAGE_PRINTER:
    case IDC_IMAGE_NORMAL:
    case IDC_IMAGE_TEXT:
    case IDC_IMAGE_PHOTO:
      if (code != BN_CLICKED) return true;
      imagePicture_.SetIcon(kImagePictures[CheckedIndex(*this, kImageRadios)]);
      break;
    case IDC_MATCHING:
      if (code != CBN_SELCHANGE) return true;
      break;
    case IDC_COLOR_MANUAL:
      if (code != BN_CLICKED) return true;
      ApplyColorRule();
      break;
    case IDC_ADJUST_COLOR: {
      if (code != BN_CLICKED || working_ == nullptr) return true;
      ColorAdjustDialog dialog(Handle(), working_, colour_.Colour());
      RunColorDialog(dialog);
      return true;
    }
    case IDC_COLOR_MATCHING: {
      if (code != BN_CLICKED || working_ == nullptr) return true;
      ColorMatchingDialog dialog(Handle(), working_);
      RunColorDialog(dialog);
      return true;
    }
    case IDC_COLOR_SETTINGS: {
      if (code != BN_CLICKED || working_ == nullptr) return true;
      ColorSettingsDialog dialog(Handle(), working_);
      RunColorDialog(dialog);
      return true;
    }
    case IDC_ADVANCED: {
      if (code != BN_CLICKED || working_ == nullptr) return true;
      AdvancedOptionsDialog dialog(Handle(), working_, moved_);
      if (dialog.RunModal() != IDOK) return true;
      Refill();
      break;
    }
    default:
      return GraphicsOptionsBase::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

// ---- AdvancedOptionsDialog --------------------------------------------------------------

BOOL AdvancedOptionsDialog::OnInitDialog() {
  const BOOL result = GraphicsOptionsBase::OnInitDialog();
  const int moved = LayOutOptions(groups_);
  if (moved != 0) {
    const POINT up{0, -moved};
    for (int id : {IDOK, IDCANCEL}) ShowControl(id, -1, &up);
    GrowWindow(0, -moved);
  }
  Refill();
  return result;
}

// ---- ColorSettingsDialog ----------------------------------------------------------------

namespace {

// The eight settings in order, with their lists; "Automatic Setting" is the preset beside them.
struct ColorSetting {
  int id;
  const char16_t* const* items;
  int16_t preset;
};
const ColorSetting kColorSettings[] = {
    {IDC_RGB_COLOR, kRgbItems, 0},        {IDC_EDGE_CONTROL, kEdgeItems, 1},
    {IDC_GRAPHICS_GRAYS, kGrayItems, 0},  {IDC_GRAPHICS_HALFTONE, kHalftoneItems, 1},
    {IDC_TEXT_GRAYS, kGrayItems, 0},      {IDC_TEXT_HALFTONE, kHalftoneItems, 1},
    {IDC_PHOTO_GRAYS, kGrayItems, 1},     {IDC_PHOTO_HALFTONE, kHalftoneItems, 1},
};

// The record's field behind each setting, in the order above: read, or written when value is
// given.
int16_t ColorSettingField(PrivateDevMode& p, size_t i, const int16_t* value = nullptr) {
  // Signed or not, every one of them is 16 bits wide.
  const auto field = [value](auto& f) {
    if (value != nullptr) f = *value;
    return static_cast<int16_t>(f);
  };
  switch (i) {
    case 0: return field(p.iRGBColor);
    case 1: return field(p.iEdgeControl);
    case 2: return field(p.iGrayGraphic);
    case 3: return field(p.iHarftoneGraphics);
    case 4: return field(p.iGrayText);
    case 5: return field(p.iHarftoneText);
    case 6: return field(p.iGrayPhoto);
    default: return field(p.iHarftonePhotographs);
  }
}

}  // namespace

BOOL ColorSettingsDialog::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  FillList(*this, IDC_COLOR_CURRENT, kCurrentItems);
  for (const ColorSetting& setting : kColorSettings) FillList(*this, setting.id, setting.items);
  Refill();
  return result;
}

void ColorSettingsDialog::OnSetActive() {
  PrivateDevMode& p = working_->dmPrivate;
  ComboBox(Item(IDC_COLOR_CURRENT)).SelectByData(std::clamp<int16_t>(p.iColorOptions, 0, 1));
  static const int16_t kLast[] = {2, 3, 1, 1, 1, 1, 1, 1};
  for (size_t i = 0; i < std::size(kColorSettings); ++i) {
    const int16_t value = ColorSettingField(p, i);
    // Greys keep a value outside their list as the list's first; the others are clamped.
    const bool grey = kColorSettings[i].items == kGrayItems;
    ComboBox(Item(kColorSettings[i].id)).SelectByData(grey ? value : std::clamp<int16_t>(value, 0, kLast[i]));
  }
  if (ComboBox(Item(IDC_COLOR_CURRENT)).SelectedData() == 0) ApplyPreset();
}

void ColorSettingsDialog::ApplyPreset() {
  for (const ColorSetting& setting : kColorSettings) ComboBox(Item(setting.id)).SelectByData(setting.preset);
}

void ColorSettingsDialog::OnStoreControls() {
  PrivateDevMode& p = working_->dmPrivate;
  // A negative value is not the dialog's to change.
  if (p.iColorOptions >= 0) p.iColorOptions = static_cast<int16_t>(ComboBox(Item(IDC_COLOR_CURRENT)).SelectedData());
  for (size_t i = 0; i < std::size(kColorSettings); ++i) {
    const auto value = static_cast<int16_t>(ComboBox(Item(kColorSettings[i].id)).SelectedData());
    ColorSettingField(p, i, &value);
  }
}

bool ColorSettingsDialog::OnCommand(int id, int code, HWND control) {
  if (code != CBN_SELCHANGE) return SettingsPage::OnCommand(id, code, control);
  const ComboBox current(Item(IDC_COLOR_CURRENT));
  if (id == IDC_COLOR_CURRENT) {
    if (current.SelectedData() == 0) ApplyPreset();
    return true;
  }
  // Own settings that equal the preset are the preset.
  bool preset = true;
  for (const ColorSetting& setting : kColorSettings)
    preset = preset && ComboBox(Item(setting.id)).SelectedData() == setting.preset;
  current.SelectByData(preset ? 0 : 1);
  return true;
}

// ---- ColorAdjustSet ---------------------------------------------------------------------

namespace {

struct AdjustPair {
  int slider, edit, label;
};
const AdjustPair kAdjustPairs[] = {
    {IDC_BRIGHTNESS, IDC_BRIGHTNESS_EDIT, IDC_BRIGHTNESS_LABEL},
    {IDC_CONTRAST, IDC_CONTRAST_EDIT, IDC_CONTRAST_LABEL},
    {IDC_SATURATION, IDC_SATURATION_EDIT, IDC_SATURATION_LABEL},
    {IDC_CYAN_RED, IDC_CYAN_RED_EDIT, IDC_CYAN_RED_LABEL},
    {IDC_MAGENTA_GREEN, IDC_MAGENTA_GREEN_EDIT, IDC_MAGENTA_GREEN_LABEL},
    {IDC_YELLOW_BLUE, IDC_YELLOW_BLUE_EDIT, IDC_YELLOW_BLUE_LABEL},
};
constexpr size_t kLevelPairs = 2;  // brightness and contrast; the rest need colour
constexpr int kNeutral = 50, kMostAdjusted = 100;

// The text of an edit as a level; false when it holds no number from 0 to 100.
bool ParseLevel(HWND edit, int& level) {
  wchar_t text[8] = {};
  GetWindowTextW(edit, text, 8);
  if (text[0] == L'\0') return false;
  int value = 0;
  for (const wchar_t* c = text; *c != L'\0'; ++c) {
    if (*c < L'0' || *c > L'9' || value > kMostAdjusted) return false;
    value = value * 10 + (*c - L'0');
  }
  level = value;
  return value <= kMostAdjusted;
}

}  // namespace

void ColorAdjustSet::Bind(SettingsPage& page) {
  page_ = &page;
  for (const AdjustPair& pair : kAdjustPairs) {
    const HWND slider = page.Item(pair.slider);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, kMostAdjusted));
    SendMessageW(slider, TBM_SETPAGESIZE, 0, 10);
    SendMessageW(slider, TBM_SETTICFREQ, 10, 0);
    SendMessageW(page.Item(pair.edit), EM_LIMITTEXT, 3, 0);
  }
}

void ColorAdjustSet::Show(size_t pair, int value) {
  SendMessageW(page_->Item(kAdjustPairs[pair].slider), TBM_SETPOS, TRUE, value);
  writing_ = true;
  SetDlgItemInt(page_->Handle(), kAdjustPairs[pair].edit, static_cast<UINT>(value), FALSE);
  writing_ = false;
}

int ColorAdjustSet::Value(size_t pair) const {
  return static_cast<int>(SendMessageW(page_->Item(kAdjustPairs[pair].slider), TBM_GETPOS, 0, 0));
}

void ColorAdjustSet::Fill(const PrivateDevMode& p) {
  const uint16_t levels[] = {p.iBrightness, p.iContrast, p.iSaturation, p.iRed, p.iGreen, p.iBlue};
  for (size_t i = 0; i < std::size(kAdjustPairs); ++i) Show(i, std::min<int>(levels[i], kMostAdjusted));
}

void ColorAdjustSet::Neutral() {
  for (size_t i = 0; i < std::size(kAdjustPairs); ++i) Show(i, kNeutral);
}

void ColorAdjustSet::Store(PrivateDevMode& p) const {
  p.iBrightness = static_cast<uint16_t>(Value(0));
  p.iContrast = static_cast<uint16_t>(Value(1));
  p.iSaturation = static_cast<uint16_t>(Value(2));
  // Each balance slider runs from one colour to its complement.
  p.iRed = static_cast<uint16_t>(Value(3));
  p.iCyan = static_cast<uint16_t>(kMostAdjusted - Value(3));
  p.iGreen = static_cast<uint16_t>(Value(4));
  p.iMagenta = static_cast<uint16_t>(kMostAdjusted - Value(4));
  p.iBlue = static_cast<uint16_t>(Value(5));
  p.iYellow = static_cast<uint16_t>(kMostAdjusted - Value(5));
}

void ColorAdjustSet::Enable(bool levels, bool colour) {
  for (size_t i = 0; i < std::size(kAdjustPairs); ++i) {
    const bool on = i < kLevelPairs ? levels : colour;
    for (int id : {kAdjustPairs[i].slider, kAdjustPairs[i].edit, kAdjustPairs[i].label}) page_->EnableControl(id, on);
  }
  page_->EnableControl(IDC_LEVELS_FRAME, levels);
  page_->EnableControl(IDC_BALANCE_FRAME, colour);
}

bool ColorAdjustSet::OnCommand(int id, int code) {
  for (size_t i = 0; i < std::size(kAdjustPairs); ++i) {
    if (kAdjustPairs[i].edit != id) continue;
    int level = 0;
    const bool parsed = ParseLevel(page_->Item(id), level);
    if (code == EN_CHANGE && !writing_) {
      // Typing moves the slider and leaves the text as typed, a number too large included.
      wchar_t text[8] = {};
      GetDlgItemTextW(page_->Handle(), id, text, 8);
      if (!parsed && text[0] != L'\0' && wcsspn(text, L"0123456789") == wcslen(text)) level = kMostAdjusted;
      else if (!parsed) return true;
      const bool changed = level != Value(i);
      SendMessageW(page_->Item(kAdjustPairs[i].slider), TBM_SETPOS, TRUE, level);
      if (changed) page_->OnSettingChanged();
    } else if (code == EN_KILLFOCUS && (!parsed || level != Value(i))) {
      Show(i, Value(i));
    }
    return true;
  }
  return false;
}

bool ColorAdjustSet::OnMessage(UINT message, LPARAM lParam) {
  if (message != WM_HSCROLL || lParam == 0) return false;
  const auto slider = reinterpret_cast<HWND>(lParam);
  for (size_t i = 0; i < std::size(kAdjustPairs); ++i) {
    if (page_->Item(kAdjustPairs[i].slider) != slider) continue;
    const int level = Value(i);
    if (static_cast<int>(GetDlgItemInt(page_->Handle(), kAdjustPairs[i].edit, nullptr, FALSE)) != level) {
      Show(i, level);
      page_->OnSettingChanged();
    }
    return true;
  }
  return false;
}

// ---- ColorAdjustPage --------------------------------------------------------------------

BOOL ColorAdjustPage::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  colour_.Bind(*this);
  adjust_.Bind(*this);
  return result;
}

void ColorAdjustPage::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  colour_.Fill(p);
  adjust_.Fill(p);
  ApplyColorRule();
  SettingsPage::OnSetActive();
}

void ColorAdjustPage::ApplyColorRule() { adjust_.Enable(Editable(), Editable() && colour_.Colour()); }

void ColorAdjustPage::OnStoreControls() {
  if (working_ == nullptr) return;
  PrivateDevMode& p = working_->dmPrivate;
  p.iGrayMode = colour_.Colour() ? 1 : 0;
  adjust_.Store(p);
  SettingsPage::OnStoreControls();
}

bool ColorAdjustPage::OnCommand(int id, int code, HWND control) {
  if (adjust_.OnCommand(id, code)) return true;
  if (colour_.OnCommand(id, code)) {
    ApplyColorRule();
    OnSettingChanged();
    return true;
  }
  switch (id) {
    case IDC_COLOR_RESET:
      if (code != BN_CLICKED) return true;
      adjust_.Neutral();
      break;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

bool ColorAdjustPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (adjust_.OnMessage(message, lParam)) {
    result = 0;
    return true;
  }
  return SettingsPage::OnMessage(message, wParam, lParam, result);
}

// ---- ColorAdjustDialog ------------------------------------------------------------------

BOOL ColorAdjustDialog::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  adjust_.Bind(*this);
  sample_.Attach(Item(IDC_COLOR_SAMPLE));
  ShowControl(IDC_AUTO_ADJUST, Model().GraphicsColorAuto != 0 ? 1 : 0);
  Refill();
  return result;
}

bool ColorAdjustDialog::Automatic() const { return Model().GraphicsColorAuto != 0 && Checked(IDC_AUTO_ADJUST); }

void ColorAdjustDialog::OnSetActive() {
  const PrivateDevMode& p = edited_.dmPrivate;
  Check(IDC_AUTO_ADJUST, Model().GraphicsColorAuto != 0 && p.iEqualizer > 0);
  // The printer adjusts on its own: the levels show neutral, not the record's.
  if (Automatic()) {
    adjust_.Neutral();
  } else {
    adjust_.Fill(p);
  }
  ApplyAutoRule();
  sample_.Update(edited_);
}

void ColorAdjustDialog::ApplyAutoRule() {
  const bool own = Editable() && !Automatic();
  adjust_.Enable(own, own && colour_);
  EnableControl(IDC_COLOR_RESET, own);
}

void ColorAdjustDialog::StoreInto(DriverDevMode& record) const {
  if (!Automatic()) adjust_.Store(record.dmPrivate);
  if (Model().GraphicsColorAuto != 0) record.dmPrivate.iEqualizer = Automatic() ? 1 : 0;
}

void ColorAdjustDialog::OnSettingChanged() {
  StoreInto(edited_);
  sample_.Update(edited_);
}

void ColorAdjustDialog::OnStoreControls() {
  StoreInto(edited_);
  *target_ = edited_;
}

bool ColorAdjustDialog::OnCommand(int id, int code, HWND control) {
  if (adjust_.OnCommand(id, code)) return true;
  switch (id) {
    case IDC_AUTO_ADJUST:
      if (code != BN_CLICKED) return true;
      if (Automatic()) {
        adjust_.Neutral();
      } else {
        adjust_.Fill(opened_.dmPrivate);
      }
      break;
    case IDC_COLOR_RESET:
      if (code != BN_CLICKED) return true;
      Check(IDC_AUTO_ADJUST, false);
      adjust_.Neutral();
      break;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  ApplyAutoRule();
  OnSettingChanged();
  return true;
}

bool ColorAdjustDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (adjust_.OnMessage(message, lParam)) {
    result = 0;
    return true;
  }
  return SettingsPage::OnMessage(message, wParam, lParam, result);
}

// ---- ColorMatchingDialog ----------------------------------------------------------------

BOOL ColorMatchingDialog::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  FillList(*this, IDC_MATCHING, kMatchingItems);
  FillList(*this, IDC_RGB_COLOR, kRgbItems);
  sample_.Attach(Item(IDC_COLOR_SAMPLE));
  Refill();
  return result;
}

void ColorMatchingDialog::OnSetActive() {
  const PrivateDevMode& p = working_->dmPrivate;
  ComboBox(Item(IDC_MATCHING)).SelectByData(p.iICMColorMatching);
  ComboBox(Item(IDC_RGB_COLOR)).SelectByData(std::clamp<int16_t>(p.iRGBColor, 0, 2));
  ApplyIntentRule();
  sample_.Update(*working_);
}

void ColorMatchingDialog::ApplyIntentRule() {
  // Matched colours are the device's: the RGB choice is not the user's then.
  const bool matched = ComboBox(Item(IDC_MATCHING)).SelectedData() > 0;
  if (matched) ComboBox(Item(IDC_RGB_COLOR)).SelectByData(2);
  EnableControl(IDC_RGB_LABEL, Editable() && !matched);
  EnableControl(IDC_RGB_COLOR, Editable() && !matched);
}

void ColorMatchingDialog::OnStoreControls() {
  PrivateDevMode& p = working_->dmPrivate;
  p.iICMColorMatching = static_cast<int16_t>(ComboBox(Item(IDC_MATCHING)).SelectedData());
  p.iRGBColor = static_cast<int16_t>(ComboBox(Item(IDC_RGB_COLOR)).SelectedData());
}

bool ColorMatchingDialog::OnCommand(int id, int code, HWND control) {
  if (id == IDC_MATCHING && code == CBN_SELCHANGE) {
    ApplyIntentRule();
    return true;
  }
  if (id == IDC_COLOR_RESET && code == BN_CLICKED) {
    ComboBox(Item(IDC_MATCHING)).SelectByData(0);
    ComboBox(Item(IDC_RGB_COLOR)).SelectByData(0);
    ApplyIntentRule();
    return true;
  }
  return SettingsPage::OnCommand(id, code, control);
}

// ---- ColorModePage ----------------------------------------------------------------------

BOOL ColorModePage::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  colour_.Bind(*this);
  return result;
}

void ColorModePage::OnSetActive() {
  if (working_ == nullptr) return;
  colour_.Fill(working_->dmPrivate);
  SettingsPage::OnSetActive();
}

void ColorModePage::OnStoreControls() {
  if (working_ == nullptr) return;
  working_->dmPrivate.iGrayMode = colour_.Colour() ? 1 : 0;
  SettingsPage::OnStoreControls();
}

bool ColorModePage::OnCommand(int id, int code, HWND control) {
  if (colour_.OnCommand(id, code)) {
    OnSettingChanged();
    return true;
  }
  if (id != IDC_ADJUST_COLOR) return SettingsPage::OnCommand(id, code, control);
  if (code != BN_CLICKED || working_ == nullptr) return true;
  ColorAdjustDialog dialog(Handle(), working_, colour_.Colour());
  if (dialog.RunModal() == IDOK) OnSettingChanged();
  return true;
}

}  // namespace qxge
