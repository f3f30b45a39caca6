// An entry of one of the registry-backed collections (custom paper sizes, watermarks,
// overlays, favorites). A list control owns its entries' items as item data.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
  // Also makes index the item's position, so that an ApplyTo after it names the new place.
  virtual void Save(int32_t index) = 0;
  virtual void DeleteAll() const = 0;
  virtual void SetCount(int32_t count, const DriverDevMode* record) const = 0;
  virtual int32_t GetCount(const DriverDevMode* record) const = 0;

  // Position in the registry; -1 for an item not read from it.
  int32_t Index() const { return index_; }

 protected:
  void SetIndex(int32_t index) { index_ = index; }

 private:
  int32_t index_;
};

// An item of a collection kept under its own key, its count in a value without index suffix.
class StoredCollectionItem : public CollectionItem {
 public:
  void DeleteAll() const override;
  void SetCount(int32_t count, const DriverDevMode* record) const override;
  int32_t GetCount(const DriverDevMode* record) const override;
  // Changes whenever an item or the count is written or the collection deleted; a list built
  // from the collection is current while this stays the same.
  uint64_t LastWritten() const;

 protected:
  // keepZero: a count of 0 is written too, instead of leaving no key behind.
  StoredCollectionItem(int32_t index, const wchar_t* collection, const wchar_t* countName, bool keepZero)
      : CollectionItem(index), collection_(collection), countName_(countName), keepZero_(keepZero) {}

 private:
  const wchar_t* collection_;
  const wchar_t* countName_;
  bool keepZero_;
};

// index >= 0 reads that item; below 0 gives an empty item, the collection's factory.
// printerKey: the working record whose printer's cache holds the favorites.
std::unique_ptr<CollectionItem> CreateItem(CollectionType type, int32_t index, const DriverDevMode* printerKey);

// A stored count is believed up to here: a damaged one must not keep a page reading the registry.
constexpr int32_t kMaxCollectionItems = 256;

// The stored items of a collection that are valid for record, in index order.
std::vector<std::unique_ptr<CollectionItem>> LoadItems(CollectionType type, const DriverDevMode* record);

// Names and paths as a user reads them: case does not count.
bool SameTextNoCase(std::u16string_view a, std::u16string_view b);
// A text of spaces only names nothing.
bool HasVisibleText(std::u16string_view text);
// A label of the text file's "Common" section; english is key and default.
std::u16string CommonLabel(const char16_t* english);

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
  // Adds item in sorted place below the first entry, the list's "none", which stays first.
  int AddBelowFirst(std::unique_ptr<CollectionItem> item);
  // The first entry matching record, else the first empty one, else the first.
  int FindChosen(const DriverDevMode& record) const;
  void Remove(int position);  // deletes the entry's item
  void Clear();
  void Select(int position);

 private:
  UINT Message(UINT comboMessage, UINT listMessage) const { return combo_ ? comboMessage : listMessage; }
  HWND control_;
  bool combo_;
};

// A job's item joins the stored collection, or brings the stored item of its name up to date.
void AdoptItem(CollectionItem& item, CollectionType type);
// Rewrites the collection from the list: every valid entry in list order, renumbered from 0;
// the selected entry's choice also goes into record.
void SaveAll(const ItemList& list, CollectionType type, DriverDevMode* record);

}  // namespace qxge
