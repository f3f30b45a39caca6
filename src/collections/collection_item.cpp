#include "collections/collection_item.h"

#include <commctrl.h>

#include "collections/favorites.h"
#include "platform/win_text.h"

namespace qxge {

std::unique_ptr<CollectionItem> CreateItem(CollectionType type, int32_t index, const DriverDevMode* printerKey) {
  switch (type) {
    case CollectionType::Favorite:
      if (index < 0) return std::make_unique<FavoriteItem>(nullptr, nullptr);
      return printerKey != nullptr ? std::make_unique<FavoriteItem>(index, *printerKey) : nullptr;
    default:
      // The paper, watermark and overlay items come with the pages that edit them.
      return nullptr;
  }
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

void ItemList::Remove(int position) {
  delete Item(position);
  SendMessageW(control_, Message(CB_DELETESTRING, LB_DELETESTRING), position, 0);
}

void ItemList::Clear() {
  for (int i = Count(); i-- > 0;) delete Item(i);
  SendMessageW(control_, Message(CB_RESETCONTENT, LB_RESETCONTENT), 0, 0);
}

void ItemList::Select(int position) { SendMessageW(control_, Message(CB_SETCURSEL, LB_SETCURSEL), position, 0); }

void SaveAll(const ItemList& list, CollectionType type, DriverDevMode* record) {
  const std::unique_ptr<CollectionItem> factory = CreateItem(type, -1, nullptr);
  if (factory == nullptr) return;
  factory->DeleteAll();
  int32_t n = 0;
  const int selected = list.Selection();
  for (int i = 0; i < list.Count(); ++i) {
    const CollectionItem* item = list.Item(i);
    if (item == nullptr) continue;
    if (item->IsValid(nullptr)) item->Save(n++);
    if (i == selected && record != nullptr) item->ApplyTo(*record);
  }
  factory->SetCount(n, record);
}

}  // namespace qxge
