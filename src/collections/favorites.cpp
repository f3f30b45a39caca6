#include "collections/favorites.h"

#include "app/driver_ui_app.h"
#include "collections/record_cache.h"
#include "collections/user_registry.h"
#include "record/record_compare.h"

namespace qxge {
namespace {

constexpr wchar_t kCollection[] = L"Device Modes";

}  // namespace

bool FavoriteNameAllowed(const std::u16string& name) {
  return HasVisibleText(name) && !SameTextNoCase(name, PrinterDefaultLabel());
}

const std::u16string& PrinterDefaultLabel() {
  static const std::u16string label = CommonLabel(u"Printer Default");
  return label;
}

FavoriteItem::FavoriteItem(const char16_t* name, const DriverDevMode* record) : CollectionItem(-1) {
  if (record != nullptr) record_ = *record;
  if (name != nullptr) record_.dmPrivate.cQuickSet.Write(name);
  name_ = record_.dmPrivate.cQuickSet.Read();
}

FavoriteItem::FavoriteItem(int32_t index, const DriverDevMode& printerKey) : CollectionItem(index) {
  RecordCache& cache = Records();
  if (!cache.GetFavorite(index, &printerKey, record_)) {
    if (UserRegistry(kCollection, index, false).GetRecord(L"CDM", reinterpret_cast<uint8_t*>(&record_))) {
      if (index == 0) cache.SetFavoriteCount(&printerKey, GetCount(&printerKey));
      cache.PutFavorite(index, &printerKey, record_);
    }
  }
  name_ = record_.dmPrivate.cQuickSet.Read();
}

bool FavoriteItem::IsValid(const DriverDevMode*) const { return FavoriteNameAllowed(name_); }

bool FavoriteItem::Matches(const DriverDevMode& record) const {
  return RecordsDiffer(record_, record, nullptr, true, App().Features()) == 0;
}

std::u16string FavoriteItem::GetName() const { return name_.empty() ? PrinterDefaultLabel() : name_; }

void FavoriteItem::Save(int32_t index) {
  SetIndex(index);
  UserRegistry(kCollection, index, true).PutRecord(L"CDM", reinterpret_cast<const uint8_t*>(&record_));
}

void FavoriteItem::DeleteAll() const { UserRegistry::DeleteCollection(kCollection); }

void FavoriteItem::SetCount(int32_t count, const DriverDevMode* record) const {
  if (count != 0) UserRegistry(kCollection, -1, true).PutInt(L"DMNum", count);
  if (record != nullptr) Records().ResetFavorites(record);
}

int32_t FavoriteItem::GetCount(const DriverDevMode* record) const {
  const int32_t cached = record != nullptr ? Records().GetFavoriteCount(record) : -1;
  if (cached >= 0) return cached;
  return UserRegistry(kCollection, -1, false).GetInt(L"DMNum");
}

}  // namespace qxge
