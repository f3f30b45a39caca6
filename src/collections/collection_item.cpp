#include "collections/collection_item.h"

#include <commctrl.h>

#include <algorithm>

#include "app/driver_ui_app.h"
#include "collections/custom_papers.h"
#include "collections/favorites.h"
#include "collections/overlays.h"
#include "collections/user_registry.h"
#include "collections/watermarks.h"
#include "config/profile_file.h"
#include "platform/win_text.h"

namespace qxge {

std::unique_ptr<CollectionItem> CreateItem(CollectionType type, int32_t index, const DriverDevMode* printerKey) {
  switch (type) {
    case CollectionType::CustomPaper:
      return index < 0 ? std::make_unique<CustomPaperItem>() : std::make_unique<CustomPaperItem>(index);
    case CollectionType::Watermark:
      return index < 0 ? std::make_unique<WatermarkItem>(nullptr) : std::make_unique<WatermarkItem>(index);
    case CollectionType::Overlay:
      return index < 0 ? std::make_unique<OverlayItem>(nullptr) : std::make_unique<OverlayItem>(index);
    case CollectionType::Favorite:
      if (index < 0) return std::make_unique<FavoriteItem>(nullptr, nullptr);
      return printerKey != nullptr ? std::make_unique<FavoriteItem>(index, *printerKey) : nullptr;
  }
  return nullptr;
}

void StoredCollectionItem::DeleteAll() const { UserRegistry::DeleteCollection(collection_); }

void StoredCollectionItem::SetCount(int32_t count, const DriverDevMode*) const {
  if (count != 0 || keepZero_) UserRegistry(collection_, -1, true).PutInt(countName_, count);
}

int32_t StoredCollectionItem::GetCount(const DriverDevMode*) const {
  return UserRegistry(collection_, -1, false).GetInt(countName_);
}

uint64_t StoredCollectionItem::LastWritten() const { return UserRegistry(collection_, -1, false).LastWritten(); }

std::vector<std::unique_ptr<CollectionItem>> LoadItems(CollectionType type, const DriverDevMode* record) {
  std::vector<std::unique_ptr<CollectionItem>> items;
  int32_t count = 1;  // the first item is read even without a count
  for (int32_t index = 0; index < count && index < kMaxCollectionItems; ++index) {
    std::unique_ptr<CollectionItem> item = CreateItem(type, index, record);
    if (item == nullptr) break;
    if (index == 0) count = std::max(1, item->GetCount(record));
    if (item->IsValid(record)) items.push_back(std::move(item));
  }
  return items;
}

bool SameTextNoCase(std::u16string_view a, std::u16string_view b) {
  return CompareStringOrdinal(platform::W(a.data()), static_cast<int>(a.size()), platform::W(b.data()),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool HasVisibleText(std::u16string_view text) { return text.find_first_not_of(u' ') != std::u16string_view::npos; }

std::u16string CommonLabel(const char16_t* english) {
  ProfileFile& text = App().TextFile();
  const SectionScope common(text, u"");
  return text.ReadText(english, english);
}

ItemList::ItemList(HWND control) : control_(control) {
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  combo_ = lstrcmpiW(className, WC_COMBOBOXW) == 0;
}

int ItemList::Count() const {
  const LRESULT n = SendMessageW(control_, Message(CB_GETCOUNT, LB_GETCOUNT), 0, 0);
  return n < 0 ? 0 : static_cast<int>(n);
}

int ItemList::Selection() const {
  const LRESULT n = SendMessageW(control_, Message(CB_GETCURSEL, LB_GETCURSEL), 0, 0);
  return n < 0 ? -1 : static_cast<int>(n);
}

CollectionItem* ItemList::Item(int position) const {
  if (position < 0) return nullptr;
  const LRESULT data = SendMessageW(control_, Message(CB_GETITEMDATA, LB_GETITEMDATA), position, 0);
  return data == CB_ERR || data == 0 ? nullptr : reinterpret_cast<CollectionItem*>(data);
}

std::u16string ItemList::Text(int position) const {
  const LRESULT length = SendMessageW(control_, Message(CB_GETLBTEXTLEN, LB_GETTEXTLEN), position, 0);
  if (length <= 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  SendMessageW(control_, Message(CB_GETLBTEXT, LB_GETTEXT), position, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

int ItemList::Add(std::unique_ptr<CollectionItem> item, int position) {
  const std::u16string name = item->GetName();
  const LRESULT at = position < 0
                         ? SendMessageW(control_, Message(CB_ADDSTRING, LB_ADDSTRING), 0, reinterpret_cast<LPARAM>(name.c_str()))
                         : SendMessageW(control_, Message(CB_INSERTSTRING, LB_INSERTSTRING), position,
                                        reinterpret_cast<LPARAM>(name.c_str()));
  if (at < 0) return -1;
  SendMessageW(control_, Message(CB_SETITEMDATA, LB_SETITEMDATA), at, reinterpret_cast<LPARAM>(item.release()));
  return static_cast<int>(at);
}

int ItemList::AddBelowFirst(std::unique_ptr<CollectionItem> item) {
  // A sorted list would place a text beginning with a space or a '(' above the "none" entry.
  CollectionItem* first = Item(0);
  if (first == nullptr) return Add(std::move(item));
  const std::u16string firstName = Text(0);
  SendMessageW(control_, Message(CB_DELETESTRING, LB_DELETESTRING), 0, 0);
  const int at = Add(std::move(item));
  const LRESULT back = SendMessageW(control_, Message(CB_INSERTSTRING, LB_INSERTSTRING), 0,
                                    reinterpret_cast<LPARAM>(firstName.c_str()));
  if (back < 0) {
    delete first;
    return at;
  }
  SendMessageW(control_, Message(CB_SETITEMDATA, LB_SETITEMDATA), 0, reinterpret_cast<LPARAM>(first));
  return at < 0 ? -1 : at + 1;
}

int ItemList::FindChosen(const DriverDevMode& record) const {
  int empty = -1;
  for (int i = 0; i < Count(); ++i) {
    const CollectionItem* item = Item(i);
    if (item == nullptr) continue;
    if (item->IsValid(nullptr) && item->Matches(record)) return i;
    if (empty < 0 && !item->IsValid(nullptr)) empty = i;
  }
  return empty >= 0 ? empty : 0;
}

void ItemList::Remove(int position) {
  delete Item(position);
  SendMessageW(control_, Message(CB_DELETESTRING, LB_DELETESTRING), position, 0);
}

void ItemList::Clear() {
  for (int i = Count(); i-- > 0;) delete Item(i);
  SendMessageW(control_, Message(CB_RESETCONTENT, LB_RESETCONTENT), 0, 0);
}

void ItemList::Select(int position) { SendMessageW(control_, Message(CB_SETCURSEL, LB_SETCURSEL), position, 0); }

void AdoptItem(CollectionItem& item, CollectionType type) {
  if (!item.IsValid(nullptr)) return;
  for (const std::unique_ptr<CollectionItem>& stored : LoadItems(type, nullptr)) {
    if (stored->GetName() != item.GetName()) continue;
    if (item.Differs(*stored)) item.Save(stored->Index());
    return;
  }
  const int32_t count = std::clamp(item.GetCount(nullptr), 0, kMaxCollectionItems);
  item.Save(count);
  item.SetCount(count + 1, nullptr);
}

void SaveAll(const ItemList& list, CollectionType type, DriverDevMode* record) {
  const std::unique_ptr<CollectionItem> factory = CreateItem(type, -1, nullptr);
  if (factory == nullptr) return;
  factory->DeleteAll();
  int32_t n = 0;
  const int selected = list.Selection();
  for (int i = 0; i < list.Count(); ++i) {
    CollectionItem* item = list.Item(i);
    if (item == nullptr) continue;
    if (item->IsValid(nullptr)) item->Save(n++);
    if (i == selected && record != nullptr) item->ApplyTo(*record);
  }
  factory->SetCount(n, record);
}

}  // namespace qxge
