// The records the pages of a sheet share: per sheet one working copy, the baseline the
// change handling compares against, and the user default; per printer the loaded favorites.
// Used from the sheets' user-interface thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/host_blocks.h"
#include "record/driver_dev_mode.h"

namespace qxge {

struct SheetRecords {
  DriverDevMode* working = nullptr;
  DriverDevMode* baseline = nullptr;
  const DriverDevMode* userDefault = nullptr;
  bool firstPage = false;  // the sheet's records were made for this page
};

// A slot named by its working record or by the printer name in it.
struct SlotKey {
  SlotKey(const DriverDevMode* record) : working(record) {}
  SlotKey(std::u16string_view name) : printerName(name) {}
  SlotKey(const char16_t* name) : printerName(name) {}
  const DriverDevMode* working = nullptr;
  std::u16string_view printerName;
};

class RecordCache {
 public:
  static constexpr int kSlots = 8;
  // More favorites than a damaged count asks for are never cached.
  static constexpr int32_t kMaxFavorites = 256;

  // False when the host gave no record, memory ran out or every slot is taken.
  bool Acquire(const SheetContext& sheet, SheetRecords& records);
  void Release(const SheetContext& sheet);
  int FindSlot(const SlotKey& key) const;
  // The whole name of the printer whose sheet works on record or on a copy of it; empty when
  // no open sheet is for the printer the record names.
  std::u16string PrinterName(const DriverDevMode& record) const;

  void SetFavoriteCount(const SlotKey& key, int32_t count);
  int32_t GetFavoriteCount(const SlotKey& key) const;  // -1: not loaded
  void PutFavorite(int32_t index, const SlotKey& key, const DriverDevMode& record);
  bool GetFavorite(int32_t index, const SlotKey& key, DriverDevMode& record) const;
  void ResetFavorites(const SlotKey& key);

  // Replaces the stored user default; the sheets already open keep the one they started with.
  static void SaveUserDefault(const DriverDevMode& record);

 private:
  struct Slot {
    int32_t useCount = 0;
    const SheetContext* key = nullptr;
    std::unique_ptr<DriverDevMode> working, baseline, userDefault;
    int32_t favoriteCount = -1;
    std::vector<std::unique_ptr<DriverDevMode>> favorites;
  };
  Slot* Find(const SlotKey& key);
  const Slot* Find(const SlotKey& key) const;

  std::array<Slot, kSlots> slots_;
};

// The process's cache, shared by every sheet.
RecordCache& Records();

DriverDevMode& LiveRecord(const SheetContext& sheet);

// An apply: when the working copy differs significantly from the host's record, report the
// difference when the model asks for it and merge the copy in. True when the host's record
// was changed.
bool ApplyRecord(const SheetContext& sheet, const DriverDevMode& working);

}  // namespace qxge
