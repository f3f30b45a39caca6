#include "pages/custom_page_size_dialog.h"

#include <commctrl.h>

#include "app/driver_ui_app.h"
#include "collections/collection_item.h"
#include "platform/win_text.h"
#include "printer/printer_lookup.h"

namespace qxge {
namespace {

// The collection keeps at most this many sizes.
constexpr int kMaxSizes = 32;

}  // namespace

BOOL CustomPageSizeDialog::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  widthLabel_ = platform::WindowText(Item(IDC_CUSTOM_WIDTH_LABEL));
  heightLabel_ = platform::WindowText(Item(IDC_CUSTOM_HEIGHT_LABEL));
  SendMessageW(Item(IDC_CUSTOM_NAME), EM_LIMITTEXT, CustomPaperItem::kMaxNameChars, 0);

  ItemList list(Item(IDC_CUSTOM_LIST));
  for (std::unique_ptr<CollectionItem>& item : LoadItems(CollectionType::CustomPaper, &edited_)) list.Add(std::move(item));
  const ModelFeatures& model = App().Features();
  width_.Bind(Handle(), IDC_CUSTOM_WIDTH, IDC_CUSTOM_WIDTH_SPIN, model.MinPaperW, model.MaxPaperW);
  height_.Bind(Handle(), IDC_CUSTOM_HEIGHT, IDC_CUSTOM_HEIGHT_SPIN, model.MinPaperH, model.MaxPaperH);

  int chosen = 0;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Item(i) != nullptr && list.Item(i)->Matches(edited_)) {
      chosen = i;
      break;
    }
  }
  list.Select(list.Count() > 0 ? chosen : -1);
  ShowSelected();
  return result;
}

std::unique_ptr<CustomPaperItem> CustomPageSizeDialog::Edited() const {
  return std::make_unique<CustomPaperItem>(platform::WindowText(Item(IDC_CUSTOM_NAME)), width_.Value(), height_.Value(), Inches());
}

CustomPageSizeDialog::Verdict CustomPageSizeDialog::Check(int position) const {
  const ItemList list(Item(IDC_CUSTOM_LIST));
  const std::unique_ptr<CustomPaperItem> edited = Edited();
  const bool valid = edited->IsValid(nullptr);
  Verdict v;
  bool candidate = valid;
  if (position >= 0 && position < list.Count() && list.Item(position) != nullptr) {
    candidate = valid && edited->Differs(*list.Item(position));
    v.selectedValid = list.Item(position)->IsValid(nullptr);
  }
  // Names are told apart as typed: "a4" may stand beside "A4".
  bool nameElsewhere = false, nameAnywhere = false;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Text(i) != edited->GetName()) continue;
    nameAnywhere = true;
    if (i != position) nameElsewhere = true;
  }
  v.canAdd = candidate && list.Count() < kMaxSizes && !nameAnywhere;
  v.canUpdate = candidate && v.selectedValid && !nameElsewhere;
  return v;
}

void CustomPageSizeDialog::ShowSelected() {
  const ItemList list(Item(IDC_CUSTOM_LIST));
  const int at = list.Selection();
  Show(at >= 0 ? static_cast<const CustomPaperItem*>(list.Item(at)) : nullptr);
}

void CustomPageSizeDialog::Show(const CustomPaperItem* item) {
  remembered_ = ItemList(Item(IDC_CUSTOM_LIST)).Selection();
  bool inches = false;
  if (item == nullptr) {
    SetWindowTextW(Item(IDC_CUSTOM_NAME), L"");
    width_.SetValue(edited_.dmPrivate.iPaperWidth);
    height_.SetValue(edited_.dmPrivate.iPaperLength);
    inches = edited_.dmPrivate.IsMMInch > 0;
  } else {
    SetWindowTextW(Item(IDC_CUSTOM_NAME), platform::W(item->GetName()));
    width_.SetValue(item->Width());
    height_.SetValue(item->Height());
    inches = item->Inches();
  }
  CheckRadio(IDC_CUSTOM_INCHES, IDC_CUSTOM_MM, inches ? IDC_CUSTOM_INCHES : IDC_CUSTOM_MM);
  RefreshUnit();
  UpdateButtons();
}

void CustomPageSizeDialog::RefreshUnit() {
  const bool inches = Inches();
  width_.SetUnit(inches, inches ? 5 : 3);
  height_.SetUnit(inches, inches ? 5 : 3);
  const ModelFeatures& model = App().Features();
  const auto range = [inches](int32_t min, int32_t max) {
    return u" (" + LengthText(min, inches) + u"-" + LengthText(max, inches) + u")";
  };
  SetWindowTextW(Item(IDC_CUSTOM_WIDTH_LABEL), platform::W(widthLabel_ + range(model.MinPaperW, model.MaxPaperW)));
  SetWindowTextW(Item(IDC_CUSTOM_HEIGHT_LABEL), platform::W(heightLabel_ + range(model.MinPaperH, model.MaxPaperH)));
}

void CustomPageSizeDialog::UpdateButtons() {
  const Verdict v = Check(remembered_);
  EnableControl(IDC_CUSTOM_DELETE, Editable() && v.selectedValid);
  EnableControl(IDC_CUSTOM_UPDATE, Editable() && v.canUpdate);
  EnableControl(IDC_CUSTOM_ADD, Editable() && v.canAdd);
  if (GetFocus() == nullptr) SetFocus(Item(IDC_CUSTOM_LIST));
}

void CustomPageSizeDialog::Add() {
  if (!Check(remembered_).canAdd) return;
  std::unique_ptr<CustomPaperItem> edited = Edited();
  edited_.dmPrivate.IsMMInch = static_cast<int16_t>(edited->Inches() ? 1 : 0);
  ItemList list(Item(IDC_CUSTOM_LIST));
  const int at = list.Add(std::move(edited));
  if (at < 0) return;
  list.Select(at);
  remembered_ = at;
  UpdateButtons();
}

void CustomPageSizeDialog::Update() {
  // The typed size replaces the selected one; Add checks it again against what is left.
  if (Check(remembered_).canUpdate) ItemList(Item(IDC_CUSTOM_LIST)).Remove(remembered_);
  Add();
}

void CustomPageSizeDialog::Delete() {
  ItemList list(Item(IDC_CUSTOM_LIST));
  const int at = list.Selection();
  if (at < 0) return;
  list.Remove(at);
  list.Select(std::min(at, list.Count() - 1));
  ShowSelected();
}

void CustomPageSizeDialog::OnSelectionChange() {
  ItemList list(Item(IDC_CUSTOM_LIST));
  const int chosen = list.Selection();
  if (chosen == remembered_) return;
  const Verdict v = Check(remembered_);
  if (v.canAdd || v.canUpdate) {
    switch (ShowMessage(kSaveChangesMessage, Section().c_str())) {
      case IDNO:
        break;
      case IDYES: {
        const std::u16string chosenName = list.Text(chosen);
        list.Select(remembered_);
        Update();
        int again = 0;
        for (int i = 0; i < list.Count(); ++i)
          if (list.Text(i) == chosenName) again = i;
        list.Select(list.Count() > 0 ? again : -1);
        break;
      }
      default:
        list.Select(remembered_);
        return;
    }
  }
  ShowSelected();
}

void CustomPageSizeDialog::OnStoreControls() {
  const Verdict v = Check(remembered_);
  if (v.canAdd)
    Add();
  else
    Update();
  SaveAll(ItemList(Item(IDC_CUSTOM_LIST)), CollectionType::CustomPaper, &edited_);
  RefreshDoubleSidedPapers(edited_);
  *target_ = edited_;
}

// The list owns its sizes while the dialog lives.
void CustomPageSizeDialog::OnDestroy() {
  ItemList(Item(IDC_CUSTOM_LIST)).Clear();
  SettingsPage::OnDestroy();
}

bool CustomPageSizeDialog::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_CUSTOM_LIST:
      if (code == LBN_SELCHANGE) OnSelectionChange();
      else if (code == LBN_DBLCLK) SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      return true;
    case IDC_CUSTOM_ADD:
      if (code == BN_CLICKED) Add();
      return true;
    case IDC_CUSTOM_UPDATE:
      if (code == BN_CLICKED) Update();
      return true;
    case IDC_CUSTOM_DELETE:
      if (code == BN_CLICKED) Delete();
      return true;
    case IDC_CUSTOM_INCHES:
    case IDC_CUSTOM_MM:
      if (code != BN_CLICKED) return true;
      RefreshUnit();
      UpdateButtons();
      return true;
    case IDC_CUSTOM_NAME:
      if (code == EN_CHANGE) UpdateButtons();
      return true;
    case IDC_CUSTOM_WIDTH:
    case IDC_CUSTOM_HEIGHT: {
      LengthSpin& spin = id == IDC_CUSTOM_WIDTH ? width_ : height_;
      if (spin.OnEditCommand(code)) UpdateButtons();
      return true;
    }
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
}

bool CustomPageSizeDialog::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS) return SettingsPage::OnNotify(header, result);
  const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
  if (header.idFrom == static_cast<UINT_PTR>(IDC_CUSTOM_WIDTH_SPIN))
    width_.OnDelta(change);
  else if (header.idFrom == static_cast<UINT_PTR>(IDC_CUSTOM_HEIGHT_SPIN))
    height_.OnDelta(change);
  else
    return SettingsPage::OnNotify(header, result);
  result = TRUE;  // the position is ours; the up-down must not move on its own
  UpdateButtons();
  return true;
}

}  // namespace qxge
