#include "pagebase/favorites_box.h"

#include "app/driver_ui_app.h"
#include "collections/favorites.h"
#include "pagebase/settings_page.h"
#include "platform/win_text.h"
#include "record/record_compare.h"
#include "resources/resource.h"

namespace qxge {
namespace {

// Every change on a page runs through here: a window that is already as wanted is left alone.
void Show(HWND window, bool show) {
  const bool shown = (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != show) ShowWindow(window, show ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

void FavoritesBox::Bind(HWND combo) {
  combo_ = combo;
  if (combo_ != nullptr) SendMessageW(combo_, CB_LIMITTEXT, 32, 0);
}

HWND FavoritesBox::Button(int id) const { return page_.Item(id); }

std::u16string FavoritesBox::EditText() const { return platform::WindowText(combo_); }

void FavoritesBox::Clear() {
  if (combo_ == nullptr) return;
  lastSelected_ = nullptr;
  ItemList(combo_).Clear();
}

void FavoritesBox::Fill() {
  if (combo_ == nullptr) return;
  Clear();
  const DriverDevMode* working = page_.WorkingRecord();
  if (working == nullptr) return;
  ItemList list(combo_);
  for (std::unique_ptr<CollectionItem>& item : LoadItems(CollectionType::Favorite, working)) list.Add(std::move(item));
  list.Add(std::make_unique<FavoriteItem>(nullptr, nullptr), 0);
}

void FavoritesBox::SelectMatching() {
  if (combo_ == nullptr) return;
  const DriverDevMode* working = page_.WorkingRecord();
  ItemList list(combo_);
  int match = -1;
  for (int i = 0; working != nullptr && i < list.Count() && match < 0; ++i)
    if (const CollectionItem* item = list.Item(i); item != nullptr && item->Matches(*working)) match = i;
  const DriverDevMode* userDefault = page_.UserDefaultRecord();
  if (match < 0 && working != nullptr && userDefault != nullptr &&
      RecordsDiffer(*working, *userDefault, nullptr, true, App().Features()) == 0) {
    for (int i = 0; i < list.Count() && match < 0; ++i)
      if (const CollectionItem* item = list.Item(i); item != nullptr && !item->IsValid(nullptr)) match = i;
  }
  if (list.Selection() != match) list.Select(match);
  UpdateButtons(false);
}

void FavoritesBox::UpdateButtons(bool editMode) {
  if (combo_ == nullptr) return;
  ItemList list(combo_);
  const CollectionItem* selected = list.Item(list.Selection());
  bool deleteMode = false, renameMode = false;
  if (editMode) {
    if (selected != nullptr) lastSelected_ = selected;
    renameMode = lastSelected_ != nullptr && lastSelected_->IsValid(nullptr) && EditText() != lastSelected_->GetName();
  } else {
    lastSelected_ = nullptr;
    deleteMode = list.Selection() >= 0;
    if (!deleteMode && EditText() != UntitledLabel()) SetWindowTextW(combo_, platform::W(UntitledLabel()));
  }
  const bool editable = page_.Editable();
  Show(Button(IDC_FAVORITE_DELETE), deleteMode);
  Show(Button(IDC_FAVORITE_RENAME), !deleteMode && renameMode);
  Show(Button(IDC_FAVORITE_SAVE), !deleteMode && !renameMode);
  EnableWindow(Button(IDC_FAVORITE_DELETE), editable && selected != nullptr && selected->IsValid(nullptr));
  EnableWindow(Button(IDC_FAVORITE_SAVE), editable && list.Count() < FavoriteItem::kMaxEntries);

  // "Printer Default" cannot be renamed: its name is not editable while it is selected.
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(combo_, &info) && info.hwndItem != nullptr) {
    const bool readOnly = deleteMode && editable && selected != nullptr && !selected->IsValid(nullptr);
    if (((GetWindowLongW(info.hwndItem, GWL_STYLE) & ES_READONLY) != 0) != readOnly)
      SendMessageW(info.hwndItem, EM_SETREADONLY, readOnly, 0);
  }
}

void FavoritesBox::OnSelect() {
  if (combo_ == nullptr) return;
  ItemList list(combo_);
  const CollectionItem* item = list.Item(list.Selection());
  DriverDevMode* working = page_.WorkingRecord();
  const DriverDevMode* userDefault = page_.UserDefaultRecord();
  if (item == nullptr || working == nullptr || userDefault == nullptr) return;
  auto chosen = std::make_unique<DriverDevMode>();
  if (item->IsValid(nullptr))
    item->ApplyTo(*chosen);
  else
    *chosen = *userDefault;
  // The installed options belong to the printer, not to the favorite.
  CopyDeviceOptions(*chosen, *userDefault, working, App().Features());
  *working = *chosen;
  page_.ReloadForFavorite();
}

bool FavoritesBox::SaveFavorite() {
  const std::u16string name = EditText();
  if (!FavoriteNameAllowed(name) || SameTextNoCase(name, UntitledLabel())) {
    page_.ShowMessage(0, u"");
    return false;
  }
  ItemList list(combo_);
  for (int i = 1; i < list.Count(); ++i) {
    if (list.Text(i) != name) continue;
    if (page_.ShowMessage(1, u"") != IDYES) return false;
    if (list.Item(i) == lastSelected_) lastSelected_ = nullptr;
    list.Remove(i);
    break;
  }
  page_.OnStoreControls();
  const int at = list.Add(std::make_unique<FavoriteItem>(name.c_str(), page_.WorkingRecord()));
  if (at < 0) return false;
  list.Select(at);
  return true;
}

// A read-only sheet shows its buttons disabled; a click sent to them anyway stores nothing.
void FavoritesBox::OnSave() {
  if (combo_ == nullptr || !page_.Editable()) return;
  if (SaveFavorite()) SaveAll(ItemList(combo_), CollectionType::Favorite, page_.WorkingRecord());
  UpdateButtons(false);
}

void FavoritesBox::OnDelete() {
  if (combo_ == nullptr || !page_.Editable() || page_.ShowMessage(2, u"") != IDYES) return;
  ItemList list(combo_);
  const int selected = list.Selection();
  if (selected < 0) return;
  list.Remove(selected);
  SaveAll(list, CollectionType::Favorite, page_.WorkingRecord());
  UpdateButtons(false);
}

void FavoritesBox::OnRename() {
  if (combo_ == nullptr || !page_.Editable() || lastSelected_ == nullptr) return;
  const std::u16string oldName = lastSelected_->GetName();
  if (!SaveFavorite()) return;
  ItemList list(combo_);
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Text(i) != oldName) continue;
    if (i >= 1) list.Remove(i);
    break;
  }
  SaveAll(list, CollectionType::Favorite, page_.WorkingRecord());
  UpdateButtons(false);
}

}  // namespace qxge
