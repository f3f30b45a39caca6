#include "pages/watermark_page.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/driver_ui_app.h"
#include "collections/collection_item.h"
#include "platform/win_text.h"
#include "preview/preview_layout.h"

namespace qxge {
namespace {

// The list holds "(No Watermark)" and at most this many watermarks.
constexpr int kMaxWatermarks = 32;
constexpr int kTextChars = 40;
constexpr int kAngleRadios[] = {IDC_WATERMARK_HORIZONTAL, IDC_WATERMARK_VERTICAL, IDC_WATERMARK_ANGLED};
constexpr int kAngleBox[] = {IDC_WATERMARK_ANGLE, IDC_WATERMARK_ANGLE_SPIN, 0};
// What the angle box shows while a fixed direction is chosen, and an unused entry's defaults.
constexpr int kShownAngle = 45, kNewSize = 120;

const WatermarkItem* WatermarkAt(const ItemList& list, int position) {
  return static_cast<const WatermarkItem*>(list.Item(position));
}

bool IsReal(const WatermarkItem* item) { return item != nullptr && !item->Values().text.empty(); }

}  // namespace

WatermarkEditor::WatermarkEditor(HWND parent, DriverDevMode* record)
    : SettingsPage(IDD_EDIT_WATERMARK, u"Edit Watermark", parent, &edited_), target_(record), edited_(*record) {}

BOOL WatermarkEditor::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  angle_.Bind(Handle(), IDC_WATERMARK_ANGLE, IDC_WATERMARK_ANGLE_SPIN, -90, 90, 3);
  size_.Bind(Handle(), IDC_FONT_SIZE, IDC_FONT_SIZE_SPIN, 8, 400, 3);
  SendMessageW(Item(IDC_WATERMARK_TEXT), EM_LIMITTEXT, kTextChars, 0);
  font_.Bind(*this, {IDC_FONT_FACE, IDC_FONT_STYLE, IDC_FONT_COLOR, IDC_FONT_SHADE}, App().Features().GraphicsColorMode != 0);

  if (working_ != nullptr) {
    WatermarkItem job(working_);
    AdoptItem(job, CollectionType::Watermark);
  }
  ItemList list(Item(IDC_WATERMARK_LIST));
  for (std::unique_ptr<CollectionItem>& item : LoadItems(CollectionType::Watermark, working_)) list.Add(std::move(item));
  list.Add(std::make_unique<WatermarkItem>(nullptr), 0);
  listChanged_ = false;
  if (IsDialog()) OnSetActive();
  return result;
}

void WatermarkEditor::OnSetActive() {
  if (working_ == nullptr) return;
  ItemList list(Item(IDC_WATERMARK_LIST));
  const int chosen = list.FindChosen(*working_);
  list.Select(chosen);
  // The preview needs the record before the first watermark reaches it.
  SettingsPage::OnSetActive();
  Show(WatermarkAt(list, chosen));
}

void WatermarkEditor::Show(const WatermarkItem* item) {
  shown_ = ItemList(Item(IDC_WATERMARK_LIST)).Selection();
  showing_ = true;
  WatermarkItem::Look look;
  if (IsReal(item)) {
    look = item->Values();
  } else {
    look.face = u"Arial";
    look.angle = kShownAngle;
    look.size = kNewSize;
    look.weight = FW_NORMAL;
    look.colour = PaletteColour(1, 2);
  }
  SetWindowTextW(Item(IDC_WATERMARK_TEXT), platform::W(look.text.c_str()));
  Check(IDC_WATERMARK_FIRST, look.firstPage != 0);
  const int mode = look.angle == 0 ? 0 : look.angle == 90 ? 1 : 2;
  angle_.SetValue(mode == 2 ? look.angle : kShownAngle);
  ShowAngleMode(mode);
  size_.SetValue(look.size);
  font_.Show({look.face, look.weight, look.italic != 0, static_cast<COLORREF>(look.colour)});
  showing_ = false;
  Refresh();
}

void WatermarkEditor::ShowAngleMode(int mode) {
  for (int i = 0; i < 3; ++i) Check(kAngleRadios[i], i == mode);
  EnableControls(kAngleBox, Editable() && mode == 2);
}

std::unique_ptr<WatermarkItem> WatermarkEditor::Edited() const {
  WatermarkItem::Look look;
  look.text = platform::WindowText(Item(IDC_WATERMARK_TEXT));
  look.firstPage = Checked(IDC_WATERMARK_FIRST) ? 1 : 0;
  look.angle = static_cast<int16_t>(Checked(IDC_WATERMARK_HORIZONTAL) ? 0
                                    : Checked(IDC_WATERMARK_VERTICAL) ? 90
                                                                      : angle_.Value());
  const FontLook font = font_.Chosen();
  look.face = font.face;
  look.weight = font.weight;
  look.italic = font.italic ? 1 : 0;
  look.colour = font.colour;
  look.size = static_cast<int16_t>(size_.Value());
  return std::make_unique<WatermarkItem>(std::move(look));
}

WatermarkEditor::Verdict WatermarkEditor::Evaluate(int position) const {
  const ItemList list(Item(IDC_WATERMARK_LIST));
  const std::unique_ptr<WatermarkItem> edited = Edited();
  const WatermarkItem* entry = WatermarkAt(list, position < list.Count() ? position : -1);
  Verdict v;
  if (!edited->IsValid(nullptr) || (entry != nullptr && !edited->Differs(*entry))) return v;
  bool textElsewhere = false, textAnywhere = false;
  for (int i = 0; i < list.Count(); ++i) {
    const WatermarkItem* other = WatermarkAt(list, i);
    if (!IsReal(other) || other->Values().text != edited->Values().text) continue;
    textAnywhere = true;
    textElsewhere = textElsewhere || i != position;
  }
  v.canAdd = list.Count() <= kMaxWatermarks && !textAnywhere;
  v.canUpdate = IsReal(entry) && !textElsewhere;
  return v;
}

void WatermarkEditor::Refresh() {
  if (showing_) return;
  const ItemList list(Item(IDC_WATERMARK_LIST));
  const Verdict v = Evaluate(shown_);
  EnableControl(IDC_WATERMARK_DELETE, Editable() && IsReal(WatermarkAt(list, list.Selection())));
  EnableControl(IDC_WATERMARK_UPDATE, Editable() && v.canUpdate);
  EnableControl(IDC_WATERMARK_ADD, Editable() && v.canAdd);
  if (PreviewWnd* preview = Preview(); preview != nullptr && working_ != nullptr) {
    DriverDevMode shown = *working_;
    Edited()->ApplyTo(shown);
    preview->SetWatermark(WatermarkLook::FromRecord(shown));
  }
  if (GetFocus() == nullptr) SetFocus(Item(IDC_WATERMARK_LIST));
  if (IsDialog()) return;
  saving_ = true;
  OnSettingChanged();
  saving_ = false;
}

void WatermarkEditor::Add() {
  if (!Evaluate(shown_).canAdd) return;
  ItemList list(Item(IDC_WATERMARK_LIST));
  const int at = list.AddBelowFirst(Edited());
  listChanged_ = true;
  if (at < 0) return;
  list.Select(at);
  shown_ = at;
  Refresh();
}

void WatermarkEditor::Update() {
  if (Evaluate(shown_).canUpdate) {
    ItemList(Item(IDC_WATERMARK_LIST)).Remove(shown_);
    shown_ = -1;
    listChanged_ = true;
  }
  Add();
}

void WatermarkEditor::Delete() {
  ItemList list(Item(IDC_WATERMARK_LIST));
  const int at = list.Selection();
  if (!IsReal(WatermarkAt(list, at))) return;
  list.Remove(at);
  listChanged_ = true;
  list.Select(std::min(at, list.Count() - 1));
  Show(WatermarkAt(list, list.Selection()));
}

int WatermarkEditor::AskToKeepEdits() {
  const Verdict v = Evaluate(shown_);
  if (!v.canAdd && !v.canUpdate) return IDYES;
  return ShowMessage(kSaveChangesMessage, Section().c_str());
}

void WatermarkEditor::OnSelectionChange() {
  ItemList list(Item(IDC_WATERMARK_LIST));
  const int chosen = list.Selection();
  if (chosen == shown_) return;
  switch (AskToKeepEdits()) {
    case IDNO:
      break;
    case IDYES: {
      // The edits go in first; the chosen entry is found again wherever they moved it.
      const CollectionItem* wanted = list.Item(chosen);
      list.Select(shown_);
      Update();
      int again = 0;
      for (int i = 0; i < list.Count(); ++i)
        if (list.Item(i) == wanted) again = i;
      list.Select(again);
      break;
    }
    default:
      list.Select(shown_);
      return;
  }
  Show(WatermarkAt(list, list.Selection()));
}

int WatermarkEditor::OnKillActive() {
  switch (AskToKeepEdits()) {
    case IDYES:
      return kStoreAndLeave;
    case IDNO:
      return IDNO;
    default:
      return kKeepPage;
  }
}

void WatermarkEditor::OnStoreControls() {
  if (working_ == nullptr) return;
  if (!saving_) {
    if (IsDialog() && Evaluate(shown_).canAdd)
      Add();
    else
      Update();
  }
  const ItemList list(Item(IDC_WATERMARK_LIST));
  // A keystroke changes no stored watermark: the registry is rewritten only when the list changed.
  if (listChanged_) {
    SaveAll(list, CollectionType::Watermark, working_);
    listChanged_ = false;
  } else if (const WatermarkItem* chosen = WatermarkAt(list, list.Selection())) {
    chosen->ApplyTo(*working_);
  }
  if (IsDialog()) *target_ = edited_;
}

int WatermarkEditor::OnApply() {
  SaveAll(ItemList(Item(IDC_WATERMARK_LIST)), CollectionType::Watermark, nullptr);
  listChanged_ = false;
  return SettingsPage::OnApply();
}

void WatermarkEditor::OnDestroy() {
  ItemList(Item(IDC_WATERMARK_LIST)).Clear();
  SettingsPage::OnDestroy();
}

bool WatermarkEditor::OnCommand(int id, int code, HWND control) {
  if (font_.IsChange(id, code)) {
    Refresh();
    return true;
  }
  switch (id) {
    case IDC_WATERMARK_LIST:
      if (code == LBN_SELCHANGE) OnSelectionChange();
      else if (code == LBN_DBLCLK) SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      return true;
    case IDC_WATERMARK_ADD:
      if (code == BN_CLICKED) Add();
      return true;
    case IDC_WATERMARK_UPDATE:
      if (code == BN_CLICKED) Update();
      return true;
    case IDC_WATERMARK_DELETE:
      if (code == BN_CLICKED) Delete();
      return true;
    case IDC_WATERMARK_HORIZONTAL:
    case IDC_WATERMARK_VERTICAL:
    case IDC_WATERMARK_ANGLED:
      if (code != BN_CLICKED) return true;
      ShowAngleMode(static_cast<int>(std::find(std::begin(kAngleRadios), std::end(kAngleRadios), id) - kAngleRadios));
      break;
    case IDC_WATERMARK_ANGLE:
      if (!angle_.OnEditCommand(code)) return true;
      break;
    case IDC_FONT_SIZE:
      if (!size_.OnEditCommand(code)) return true;
      break;
    case IDC_WATERMARK_TEXT:
      if (code != EN_CHANGE) return true;
      break;
    case IDC_WATERMARK_FIRST:
      if (code != BN_CLICKED) return true;
      break;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  Refresh();
  return true;
}

bool WatermarkEditor::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS) return SettingsPage::OnNotify(header, result);
  const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
  if (header.idFrom == static_cast<UINT_PTR>(IDC_WATERMARK_ANGLE_SPIN))
    angle_.OnDelta(change);
  else if (header.idFrom == static_cast<UINT_PTR>(IDC_FONT_SIZE_SPIN))
    size_.OnDelta(change);
  else
    return SettingsPage::OnNotify(header, result);
  result = TRUE;  // the position is ours; the up-down must not move on its own
  Refresh();
  return true;
}

}  // namespace qxge
