#include "collections/custom_papers.h"

#include <utility>

#include "collections/user_registry.h"
#include "platform/win_text.h"

namespace qxge {
namespace {

constexpr wchar_t kCollection[] = L"Custom Paper Data";

// A side no record can hold reads as no side at all, which leaves the size out of every list.
int32_t Side(int32_t tenths) { return tenths > 0 && tenths <= CustomPaperItem::kMaxLength ? tenths : 0; }

}  // namespace

CustomPaperItem::CustomPaperItem() : StoredCollectionItem(-1, kCollection, L"CPNum", false) {}

CustomPaperItem::CustomPaperItem(int32_t index) : CustomPaperItem() {
  SetIndex(index);
  const UserRegistry store(kCollection, index, false);
  if (!store.GetText(L"Nm", kMaxNameChars, name_)) return;
  width_ = Side(store.GetInt(L"Wd"));
  height_ = Side(store.GetInt(L"Hg"));
  inches_ = store.GetInt(L"In");
}

CustomPaperItem::CustomPaperItem(std::u16string name, int32_t width, int32_t height, bool inches)
    : CustomPaperItem() {
  inches_ = inches ? 1 : 0;
  width_ = Side(width);
  height_ = Side(height);
  name_ = std::move(name);
  if (name_.size() > kMaxNameChars) name_.resize(kMaxNameChars);
}

bool CustomPaperItem::IsValid(const DriverDevMode*) const {
  return width_ != 0 && height_ != 0 && HasVisibleText(name_);
}

bool CustomPaperItem::Matches(const DriverDevMode& record) const {
  // An item not yet stored has no paper number.
  return Index() >= 0 && PaperNumber() == record.dmPublic.dmPaperSize;
}

bool CustomPaperItem::Differs(const CollectionItem& other) const {
  const auto* paper = dynamic_cast<const CustomPaperItem*>(&other);
  return paper == nullptr || paper->name_ != name_ || paper->inches_ != inches_ || paper->width_ != width_ ||
         paper->height_ != height_;
}

void CustomPaperItem::ApplyTo(DriverDevMode& record) const {
  PublicDevMode& pub = record.dmPublic;
  pub.dmFields |= dm::kPaperSize | dm::kPaperLength | dm::kPaperWidth;
  pub.dmPaperSize = static_cast<int16_t>(PaperNumber());
  pub.dmPaperLength = static_cast<int16_t>(height_);
  pub.dmPaperWidth = static_cast<int16_t>(width_);
  record.dmPrivate.iPaperLength = static_cast<uint16_t>(height_);
  record.dmPrivate.iPaperWidth = static_cast<uint16_t>(width_);
}

void CustomPaperItem::Save(int32_t index) {
  SetIndex(index);
  const UserRegistry store(kCollection, index, true);
  store.PutString(L"Nm", platform::W(name_));
  store.PutInt(L"Wd", width_);
  store.PutInt(L"Hg", height_);
  store.PutInt(L"In", inches_);
}

}  // namespace qxge
