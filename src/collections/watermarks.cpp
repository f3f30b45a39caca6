#include "collections/watermarks.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/driver_ui_app.h"
#include "collections/user_registry.h"
#include "config/profile_file.h"
#include "config/profile_values.h"
#include "platform/gdi.h"
#include "platform/win_text.h"

namespace qxge {
namespace {

constexpr wchar_t kCollection[] = L"Watermark Data";

// A stored number its record field cannot hold is damage: it reads as a missing one.
int16_t Short(int32_t value) { return value >= INT16_MIN && value <= INT16_MAX ? static_cast<int16_t>(value) : 0; }
int32_t Weight(int32_t value) { return value >= 0 && value <= 1000 ? value : 0; }

std::u16string ReadTextFileString(ProfileFile& text, const char16_t* key, size_t maxChars) {
  std::u16string value(maxChars + 1, u'\0');
  value.resize(text.ReadString(key, value.data(), value.size(), nullptr));
  return value;
}

// A user's first look at the collection stores the model's built-ins, and the count written
// after them, even 0, keeps them from coming back once the user has deleted them.
void StoreBuiltIns() {
  std::u16string count;
  if (UserRegistry(kCollection, -1, false).GetText(L"WMNum", 255, count) && !count.empty()) return;
  ProfileFile& text = App().TextFile();
  int32_t builtIns = 0;
  {
    const SectionScope menu(text, u"MAINMENU");
    builtIns = std::clamp(text.ReadInt(u"ItemNum", NoDefault), 0, kMaxCollectionItems);
  }
  for (int32_t k = 0; k < builtIns; ++k) WatermarkItem::FromTextFile(k + 1)->Save(k);
  UserRegistry(kCollection, -1, true).PutInt(L"WMNum", builtIns);
}

}  // namespace

WatermarkItem::WatermarkItem(const DriverDevMode* record) : StoredCollectionItem(-1, kCollection, L"WMNum", true) {
  if (record == nullptr) return;
  const PrivateDevMode& p = record->dmPrivate;
  size_ = p.iWaterSize;
  angle_ = p.iWaterAngle;
  firstPage_ = p.WaterFirstPage;
  colour_ = p.WaterColor;
  weight_ = p.lfWeight;
  italic_ = p.lfItalic;
  text_ = p.cWaterText.Read();
  face_ = p.WaterStrFaceName.Read();
}

WatermarkItem::WatermarkItem(int32_t index) : WatermarkItem(nullptr) {
  SetIndex(index);
  if (index == 0) StoreBuiltIns();
  const UserRegistry store(kCollection, index, false);
  if (!store.GetText(L"Tx", kMaxTextChars, text_) || !store.GetText(L"Face", kMaxFaceChars, face_)) {
    text_.clear();
    face_.clear();
    return;
  }
  angle_ = Short(store.GetInt(L"Ang") / 10);
  size_ = Short(store.GetInt(L"Sz"));
  colour_ = static_cast<uint32_t>(store.GetInt(L"Clr"));
  weight_ = Weight(store.GetInt(L"Wg"));
  italic_ = store.GetInt(L"It");
  firstPage_ = store.GetInt(L"FPg");
}

std::unique_ptr<WatermarkItem> WatermarkItem::FromTextFile(int32_t number) {
  auto item = std::make_unique<WatermarkItem>(nullptr);
  ProfileFile& text = App().TextFile();
  const SectionScope section(text, u"WMTEXT" + FormatDecimal(number));
  item->text_ = ReadTextFileString(text, u"Text", kMaxTextChars);
  item->face_ = ReadTextFileString(text, u"FaceName", kMaxFaceChars);
  if (item->text_.empty() || item->face_.empty()) return item;
  item->angle_ = Short(text.ReadInt(u"Angle", NoDefault));
  item->size_ = Short(text.ReadInt(u"Size", NoDefault));
  item->colour_ = static_cast<uint32_t>(text.ReadInt(u"Color", NoDefault));
  item->weight_ = Weight(text.ReadInt(u"Weight", NoDefault));
  item->italic_ = text.ReadInt(u"Italic", NoDefault);
  item->firstPage_ = text.ReadInt(u"FirstPage", NoDefault);
  return item;
}

bool WatermarkItem::IsValid(const DriverDevMode*) const { return HasVisibleText(text_) && !face_.empty(); }

bool WatermarkItem::Matches(const DriverDevMode& record) const {
  // The record keeps 80 units: a longer text matches by its beginning, and the bytes after a
  // shorter text's terminator count too.
  decltype(record.dmPrivate.cWaterText) stored{};
  stored.Write(text_);
  return std::memcmp(stored.bytes, record.dmPrivate.cWaterText.bytes, sizeof stored.bytes) == 0;
}

std::u16string WatermarkItem::GetName() const {
  static const std::u16string none = CommonLabel(u"(No Watermark)");
  return text_.empty() ? none : text_;
}

bool WatermarkItem::Differs(const CollectionItem& other) const {
  const auto* w = dynamic_cast<const WatermarkItem*>(&other);
  return w == nullptr || w->text_ != text_ || w->face_ != face_ || w->weight_ != weight_ || w->colour_ != colour_ ||
         w->angle_ != angle_ || w->italic_ != italic_ || w->size_ != size_ || w->firstPage_ != firstPage_;
}

void WatermarkItem::ApplyTo(DriverDevMode& record) const {
  PrivateDevMode& p = record.dmPrivate;
  p.iWaterCombo = static_cast<int16_t>(Index() + 1);
  p.iWaterSize = size_;
  p.iWaterAngle = angle_;
  p.WaterFirstPage = static_cast<uint16_t>(firstPage_);
  p.WaterColor = colour_;
  p.lfWeight = weight_;
  p.lfItalic = static_cast<uint8_t>(italic_);
  p.cWaterText.Write(text_);
  p.WaterStrFaceName.Write(face_);
}

int32_t WatermarkItem::CharacterSet() const {
  LOGFONTW font = {};
  font.lfHeight = 12;
  font.lfWeight = weight_;
  font.lfItalic = italic_ != 0;
  font.lfCharSet = DEFAULT_CHARSET;
  platform::CopyTerminated(face_, font.lfFaceName, LF_FACESIZE);
  const platform::Font handle(CreateFontIndirectW(&font));
  platform::MemoryDc screen(nullptr);
  TEXTMETRICW metrics = {};
  if (!handle || screen.Get() == nullptr) return DEFAULT_CHARSET;
  screen.Select(handle.Get());
  return GetTextMetricsW(screen.Get(), &metrics) ? metrics.tmCharSet : DEFAULT_CHARSET;
}

void WatermarkItem::Save(int32_t index) {
  SetIndex(index);
  const UserRegistry store(kCollection, index, true);
  store.PutString(L"Tx", platform::W(text_));
  store.PutString(L"Face", platform::W(face_));
  store.PutInt(L"Ang", angle_ * 10);
  store.PutInt(L"Sz", size_);
  store.PutInt(L"Clr", static_cast<int32_t>(colour_));
  store.PutInt(L"Wg", weight_);
  store.PutInt(L"CSet", CharacterSet());
  store.PutInt(L"It", italic_);
  store.PutInt(L"FPg", firstPage_);
}

}  // namespace qxge
