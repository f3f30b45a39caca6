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
  void Save(int32_t index) override;
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

// A name of only spaces, or the first entry's, names no favorite.
bool FavoriteNameAllowed(const std::u16string& name);

}  // namespace qxge
