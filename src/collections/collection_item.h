// An entry of one of the registry-backed collections (custom paper sizes, watermarks,
// overlays, favorites). A list control owns its entries' items as item data.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "record/driver_dev_mode.h"

namespace qxge {

enum class CollectionType { CustomPaper = 0, Watermark = 1, Overlay = 2, Favorite = 3 };

class CollectionItem {
 public:
  explicit CollectionItem(int32_t index) : index_(index) {}
  virtual ~CollectionItem() = default;
  CollectionItem(const CollectionItem&) = delete;
  CollectionItem& operator=(const CollectionItem&) = delete;

  virtual bool IsValid(const DriverDevMode* record) const = 0;
  virtual bool Matches(const DriverDevMode& record) const = 0;
  virtual std::u16string GetName() const = 0;
  virtual bool Differs(const CollectionItem& other) const = 0;
  virtual void ApplyTo(DriverDevMode& record) const = 0;
  virtual void Save(int32_t index) const = 0;
  virtual void DeleteAll() const = 0;
  virtual void SetCount(int32_t count, const DriverDevMode* record) const = 0;
  virtual int32_t GetCount(const DriverDevMode* record) const = 0;

  // Position in the registry; -1 for an item not read from it.
  int32_t Index() const { return index_; }

 private:
  int32_t index_;
};

// index >= 0 reads that item; below 0 gives an empty item, the collection's factory.
// printerKey: the working record whose printer's cache holds the favorites.
std::unique_ptr<CollectionItem> CreateItem(CollectionType type, int32_t index, const DriverDevMode* printerKey);

// A combo box or list box whose entries carry CollectionItem pointers as item data.
class ItemList {
 public:
  explicit ItemList(HWND control);
  int Count() const;
  int Selection() const;  // -1 for none
  CollectionItem* Item(int position) const;
  std::u16string Text(int position) const;
  // Appends or inserts (position >= 0) an entry that owns item; -1 when the control refused.
  int Add(std::unique_ptr<CollectionItem> item, int position = -1);
  void Remove(int position);  // deletes the entry's item
  void Clear();
  void Select(int position);

 private:
  UINT Message(UINT comboMessage, UINT listMessage) const { return combo_ ? comboMessage : listMessage; }
  HWND control_;
  bool combo_;
};

// Rewrites the collection from the list: every valid entry in list order, renumbered from 0;
// the selected entry's choice also goes into record.
void SaveAll(const ItemList& list, CollectionType type, DriverDevMode* record);

}  // namespace qxge
