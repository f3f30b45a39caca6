// Favorites: whole job-settings records stored under names the user chose, recalled from the
// same box on every settings page. The box always starts with "Printer Default", which
// stands for the user default record.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "collections/collection_item.h"
#include "record/driver_dev_mode.h"

namespace qxge {

class SettingsPage;

class FavoriteItem : public CollectionItem {
 public:
  // A new favorite named name (none: keep the record's own) holding a copy of record
  // (none: all zero, the "Printer Default" entry).
  FavoriteItem(const char16_t* name, const DriverDevMode* record);
  // Favorite number index of the printer whose working record is printerKey.
  FavoriteItem(int32_t index, const DriverDevMode& printerKey);

  bool IsValid(const DriverDevMode* record) const override;
  bool Matches(const DriverDevMode& record) const override;
  std::u16string GetName() const override;
  bool Differs(const CollectionItem&) const override { return true; }
  void ApplyTo(DriverDevMode& record) const override { record = record_; }
  void Save(int32_t index) const override;
  void DeleteAll() const override;
  void SetCount(int32_t count, const DriverDevMode* record) const override;
  int32_t GetCount(const DriverDevMode* record) const override;

  const DriverDevMode& Record() const { return record_; }

  static constexpr int kMaxEntries = 33;  // 32 favorites and "Printer Default"

 private:
  DriverDevMode record_ = {};
  std::u16string name_;
};

// The label of the first entry, read once from the text file.
const std::u16string& PrinterDefaultLabel();

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
