#include "config/profile_file.h"

#include <algorithm>

#include "config/profile_values.h"
#include "config/version_macros.h"

namespace qxge {
namespace {

size_t CopyBounded(std::u16string_view text, char16_t* buffer, size_t capacity) {
  const size_t n = std::min(text.size(), capacity - 1);
  std::copy_n(text.data(), n, buffer);
  buffer[n] = u'\0';
  return n;
}

std::u16string_view CutTo(std::u16string_view text, size_t chars) {
  return text.substr(0, std::min(text.size(), chars - 1));
}

}  // namespace

ProfileEncoding SniffEncoding(std::string_view bytes, size_t& markBytes) {
  const auto at = [&](size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0; };
  markBytes = 2;
  if (at(0) == 0xFF && at(1) == 0xFE) return kUtf16Le;
  if (at(0) == 0xFE && at(1) == 0xFF) return kUtf16Be;
  markBytes = 3;
  if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) return kUtf8;
  markBytes = 0;
  return kAnsi;
}

std::u16string FromUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto lo = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 1 : 0)]);
    const auto hi = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 0 : 1)]);
    text[i] = static_cast<char16_t>(lo | hi << 8);
  }
  return text;
}

ProfileFile::ProfileFile(ProfileStorage& storage) : storage_(storage) {}

void ProfileFile::SetFile(std::u16string_view path, bool clearReadOnly) {
  path_ = CutTo(path, kPathChars);
  if (clearReadOnly) storage_.ClearReadOnly(path_);
  loaded_ = false;
  Refresh();
}

void ProfileFile::SetSection(std::u16string_view section) {
  section_ = CutTo(section, kSectionChars);
  // Another program (a translator's editor) may have changed the file since the last page.
  Refresh();
}

std::u16string_view ProfileFile::EffectiveSection() const {
  return section_.empty() ? std::u16string_view(u"Common") : std::u16string_view(section_);
}

void ProfileFile::Refresh() {
  const ProfileStorage::Stamp now = storage_.StampOf(path_);
  if (loaded_ && now == stamp_) return;
  std::u16string text;
  document_.Clear();
  encoding_ = -1;
  if (now.exists && storage_.Load(path_, text, encoding_)) document_.Parse(text);
  stamp_ = now;
  loaded_ = true;
}

size_t ProfileFile::ReadString(std::u16string_view key, char16_t* buffer, size_t capacity, const char16_t* defaultText) {
  if (capacity == 0) return 0;
  ++reads_;
  if (!loaded_) Refresh();
  const auto value = document_.Find(EffectiveSection(), key);
  const size_t read = CopyBounded(value.value_or(std::u16string_view()), buffer, capacity);
  if (read != 0 || defaultText == nullptr) return read;
  WriteString(key, defaultText);
  return CopyBounded(defaultText, buffer, capacity);
}

std::u16string ProfileFile::ReadText(std::u16string_view key, const char16_t* defaultText, bool expand) {
  char16_t buffer[256];
  const std::u16string keyText(key);
  const size_t n = ReadString(key, buffer, 256, defaultText != nullptr ? defaultText : keyText.c_str());
  std::u16string text(buffer, n);
  if (expand && macroSource_ != nullptr) ExpandMacros(text, *macroSource_);
  return text;
}

int32_t ProfileFile::ReadInt(std::u16string_view key, int32_t defaultValue) {
  char16_t buffer[256];
  const size_t n = ReadString(key, buffer, 256, nullptr);
  if (n != 0) return ParseAutoBaseInt(std::u16string_view(buffer, n));
  if (defaultValue == NoDefault) return 0;
  WriteInt(key, defaultValue);
  return defaultValue;
}

bool ProfileFile::WriteString(std::u16string_view key, std::u16string_view value) {
  if (writeBack_ == nullptr || *writeBack_ == 0 || path_.empty()) return false;
  // The whole text is saved: edits another program made since the last look must be in it.
  Refresh();
  // Rewriting a file with the text it already holds would only touch its time stamp.
  if (!document_.Set(EffectiveSection(), key, value)) return true;
  if (storage_.Save(path_, document_.Serialize(), encoding_)) {
    stamp_ = storage_.StampOf(path_);
    if (encoding_ < 0) loaded_ = false;  // a new file: learn the encoding it was given
    return true;
  }
  // The file kept its old contents (read-only, say): so must we.
  loaded_ = false;
  Refresh();
  return false;
}

bool ProfileFile::WriteInt(std::u16string_view key, int32_t value) {
  return WriteString(key, FormatProfileInt(value));
}

}  // namespace qxge
