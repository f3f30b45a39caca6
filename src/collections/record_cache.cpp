#include "collections/record_cache.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "app/driver_ui_app.h"
#include "app/host_blocks.h"
#include "collections/user_registry.h"
#include "record/record_compare.h"
#include "record/record_report.h"

namespace qxge {
namespace {

static_assert(sizeof(DriverDevMode) == kDriverDevModeBytes, "the host's record is a DriverDevMode");

std::unique_ptr<DriverDevMode> CopyOf(const DriverDevMode& record) {
  return std::unique_ptr<DriverDevMode>(new (std::nothrow) DriverDevMode(record));
}

uint8_t* Bytes(DriverDevMode& record) { return reinterpret_cast<uint8_t*>(&record); }

}  // namespace

DriverDevMode& LiveRecord(const SheetContext& sheet) { return *reinterpret_cast<DriverDevMode*>(sheet.liveRecord); }

bool RecordCache::Acquire(const SheetContext& sheet, SheetRecords& records) {
  if (sheet.liveRecord == nullptr) return false;
  Slot* slot = nullptr;
  Slot* empty = nullptr;
  for (Slot& s : slots_) {
    if (s.useCount != 0 && s.key == &sheet) {
      slot = &s;
      break;
    }
    if (s.useCount == 0 && empty == nullptr) empty = &s;
  }
  if (slot == nullptr) {
    if (empty == nullptr) return false;
    const DriverDevMode& live = LiveRecord(sheet);
    std::unique_ptr<DriverDevMode> working = CopyOf(live), baseline = CopyOf(live),
                                   userDefault(new (std::nothrow) DriverDevMode());
    if (!working || !baseline || !userDefault) return false;
    const UserRegistry store(nullptr, -1, true);
    if (!store.GetRecord(kUserDefaultValue, Bytes(*userDefault))) {
      // A user's first sheet makes the host's record the user default.
      store.PutRecord(kUserDefaultValue, sheet.liveRecord);
      *userDefault = live;
    }
    slot = empty;
    slot->key = &sheet;
    slot->working = std::move(working);
    slot->baseline = std::move(baseline);
    slot->userDefault = std::move(userDefault);
    slot->favoriteCount = -1;
    slot->favorites.clear();
  }
  ++slot->useCount;
  records = {slot->working.get(), slot->baseline.get(), slot->userDefault.get(), slot->useCount == 1};
  return true;
}

void RecordCache::Release(const SheetContext& sheet) {
  for (Slot& s : slots_) {
    if (s.useCount == 0 || s.key != &sheet) continue;
    if (--s.useCount == 0) s = Slot();
    return;
  }
}

int RecordCache::FindSlot(const SlotKey& key) const {
  const Slot* slot = Find(key);
  return slot == nullptr ? -1 : static_cast<int>(slot - slots_.data());
}

std::u16string RecordCache::PrinterName(const DriverDevMode& record) const {
  // A copy of a sheet's record (a dialog's, the host's live one) holds the printer's name cut
  // to 31 characters; the sheet it came from knows the whole name.
  const Slot* slot = Find(SlotKey(&record));
  return slot != nullptr ? SheetPrinterName(*slot->key) : std::u16string();
}

const RecordCache::Slot* RecordCache::Find(const SlotKey& key) const {
  for (const Slot& s : slots_)
    if (s.useCount != 0 && key.working != nullptr && s.working.get() == key.working) return &s;
  // A record that is not a working copy still names its printer.
  const std::u16string name =
      key.working != nullptr ? key.working->dmPublic.dmDeviceName.Read() : std::u16string(key.printerName);
  for (const Slot& s : slots_)
    if (s.useCount != 0 && s.working->dmPublic.dmDeviceName.Read() == name) return &s;
  return nullptr;
}

RecordCache::Slot* RecordCache::Find(const SlotKey& key) {
  return const_cast<Slot*>(static_cast<const RecordCache*>(this)->Find(key));
}

void RecordCache::SetFavoriteCount(const SlotKey& key, int32_t count) {
  Slot* slot = Find(key);
  if (slot == nullptr) return;
  slot->favorites.clear();
  slot->favoriteCount = count < 0 ? -1 : std::min(count, kMaxFavorites);
  slot->favorites.resize(static_cast<size_t>(std::max(slot->favoriteCount, 0)));
}

int32_t RecordCache::GetFavoriteCount(const SlotKey& key) const {
  const Slot* slot = Find(key);
  return slot == nullptr ? -1 : slot->favoriteCount;
}

void RecordCache::PutFavorite(int32_t index, const SlotKey& key, const DriverDevMode& record) {
  Slot* slot = Find(key);
  if (slot == nullptr || index < 0 || index >= slot->favoriteCount) return;
  slot->favorites[static_cast<size_t>(index)] = CopyOf(record);
}

bool RecordCache::GetFavorite(int32_t index, const SlotKey& key, DriverDevMode& record) const {
  const Slot* slot = Find(key);
  if (slot == nullptr || index < 0 || index >= slot->favoriteCount) return false;
  const DriverDevMode* cached = slot->favorites[static_cast<size_t>(index)].get();
  if (cached == nullptr) return false;
  record = *cached;
  return true;
}

void RecordCache::ResetFavorites(const SlotKey& key) { SetFavoriteCount(key, -1); }

void RecordCache::SaveUserDefault(const DriverDevMode& record) {
  UserRegistry(nullptr, -1, true).PutRecord(kUserDefaultValue, reinterpret_cast<const uint8_t*>(&record));
}

RecordCache& Records() {
  static RecordCache cache;
  return cache;
}

bool ApplyRecord(const SheetContext& sheet, const DriverDevMode& working) {
  DriverDevMode& live = LiveRecord(sheet);
  const ModelFeatures& model = App().Features();
  if (RecordsDiffer(live, working, nullptr, false, model) == 0) return false;
  if (model.ShowDevmodeChanges != 0) RecordDifferenceReport(live, working);
  MergeRecord(live, working);
  return true;
}

}  // namespace qxge
