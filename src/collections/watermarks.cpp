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
  look_.size = p.iWaterSize;
  look_.angle = p.iWaterAngle;
  look_.firstPage = p.WaterFirstPage;
  look_.colour = p.WaterColor;
  look_.weight = p.lfWeight;
  look_.italic = p.lfItalic;
  look_.text = p.cWaterText.Read();
  look_.face = p.WaterStrFaceName.Read();
}

WatermarkItem::WatermarkItem(Look look) : WatermarkItem(nullptr) { look_ = std::move(look); }

WatermarkItem::WatermarkItem(int32_t index) : WatermarkItem(nullptr) {
  SetIndex(index);
  if (index == 0) StoreBuiltIns();
  const UserRegistry store(kCollection, index, false);
  if (!store.GetText(L"Tx", kMaxTextChars, look_.text) || !store.GetText(L"Face", kMaxFaceChars, look_.face)) {
    look_.text.clear();
    look_.face.clear();
    return;
  }
  look_.angle = Short(store.GetInt(L"Ang") / 10);
  look_.size = Short(store.GetInt(L"Sz"));
  look_.colour = static_cast<uint32_t>(store.GetInt(L"Clr"));
  look_.weight = Weight(store.GetInt(L"Wg"));
  look_.italic = store.GetInt(L"It");
  look_.firstPage = store.GetInt(L"FPg");
}

std::unique_ptr<WatermarkItem> WatermarkItem::FromTextFile(int32_t number) {
  auto item = std::make_unique<WatermarkItem>(nullptr);
  ProfileFile& text = App().TextFile();
  const SectionScope section(text, u"WMTEXT" + FormatDecimal(number));
  item->look_.text = ReadTextFileString(text, u"Text", kMaxTextChars);
  item->look_.face = ReadTextFileString(text, u"FaceName", kMaxFaceChars);
  if (item->look_.text.empty() || item->look_.face.empty()) return item;
  item->look_.angle = Short(text.ReadInt(u"Angle", NoDefault));
  item->look_.size = Short(text.ReadInt(u"Size", NoDefault));
  item->look_.colour = static_cast<uint32_t>(text.ReadInt(u"Color", NoDefault));
  item->look_.weight = Weight(text.ReadInt(u"Weight", NoDefault));
  item->look_.italic = text.ReadInt(u"Italic", NoDefault);
  item->look_.firstPage = text.ReadInt(u"FirstPage", NoDefault);
  return item;
}

bool WatermarkItem::IsValid(const DriverDevMode*) const { return HasVisibleText(look_.text) && !look_.face.empty(); }

bool WatermarkItem::Matches(const DriverDevMode& record) const {
  // The record keeps 80 units: a longer text matches by its beginning, and the bytes after a
  // shorter text's terminator count too.
  decltype(record.dmPrivate.cWaterText) stored{};
  stored.Write(look_.text);
  return std::memcmp(stored.bytes, record.dmPrivate.cWaterText.bytes, sizeof stored.bytes) == 0;
}

std::u16string WatermarkItem::GetName() const {
  static const std::u16string none = CommonLabel(u"(No Watermark)");
  return look_.text.empty() ? none : look_.text;
}

bool WatermarkItem::Differs(const CollectionItem& other) const {
  const auto* w = dynamic_cast<const WatermarkItem*>(&other);
  if (w == nullptr) return true;
  const Look& o = w->look_;
  return o.text != look_.text || o.face != look_.face || o.weight != look_.weight || o.colour != look_.colour ||
         o.angle != look_.angle || o.italic != look_.italic || o.size != look_.size || o.firstPage != look_.firstPage;
}

void WatermarkItem::ApplyTo(DriverDevMode& record) const {
  PrivateDevMode& p = record.dmPrivate;
  p.iWaterCombo = static_cast<int16_t>(Index() + 1);
  p.iWaterSize = look_.size;
  p.iWaterAngle = look_.angle;
  p.WaterFirstPage = static_cast<uint16_t>(look_.firstPage);
  p.WaterColor = look_.colour;
  p.lfWeight = look_.weight;
  p.lfItalic = static_cast<uint8_t>(look_.italic);
  p.cWaterText.Write(look_.text);
  p.WaterStrFaceName.Write(look_.face);
}

int32_t WatermarkItem::CharacterSet() const {
  LOGFONTW font = {};
  font.lfHeight = 12;
  font.lfWeight = look_.weight;
  font.lfItalic = look_.italic != 0;
  font.lfCharSet = DEFAULT_CHARSET;
  platform::CopyTerminated(look_.face, font.lfFaceName, LF_FACESIZE);
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
  store.PutString(L"Tx", platform::W(look_.text));
  store.PutString(L"Face", platform::W(look_.face));
  store.PutInt(L"Ang", look_.angle * 10);
  store.PutInt(L"Sz", look_.size);
  store.PutInt(L"Clr", static_cast<int32_t>(look_.colour));
  store.PutInt(L"Wg", look_.weight);
  store.PutInt(L"CSet", CharacterSet());
  store.PutInt(L"It", look_.italic);
  store.PutInt(L"FPg", look_.firstPage);
}

}  // namespace qxge
