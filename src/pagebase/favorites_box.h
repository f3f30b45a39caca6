// The Favorites box of a settings page: the collection of favorites as a combo box with its
// Delete, Rename and Save buttons, recalling a whole job-settings record at one choice.
#pragma once

#include <windows.h>

#include <string>

#include "collections/collection_item.h"

namespace qxge {

class SettingsPage;

// The favorites box of one page: combo 1046 and the buttons Delete 1047, Rename 1048, Save 1049.
class FavoritesBox {
 public:
  explicit FavoritesBox(SettingsPage& page) : page_(page) {}
  ~FavoritesBox() { Clear(); }
  FavoritesBox(const FavoritesBox&) = delete;
  FavoritesBox& operator=(const FavoritesBox&) = delete;

  void Bind(HWND combo);
  bool Exists() const { return combo_ != nullptr; }

  // Rebuilds the list from the registry (or the printer's cache).
  void Fill();
  // Selects the entry that matches the working record and sets the buttons.
  void SelectMatching();
  void UpdateButtons(bool editMode);

  void OnSelect();
  void OnEditChange() { UpdateButtons(true); }
  void OnSave();
  void OnDelete();
  void OnRename();
  void Clear();

 private:
  bool SaveFavorite();
  std::u16string EditText() const;
  HWND Button(int id) const;

  SettingsPage& page_;
  HWND combo_ = nullptr;
  // The entry selected before the user started typing a new name: what Rename renames.
  const CollectionItem* lastSelected_ = nullptr;
};

}  // namespace qxge
