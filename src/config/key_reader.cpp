#include "config/key_reader.h"

#include "config/profile_file.h"
#include "config/profile_values.h"

namespace qxge {

void KeyReader::Switch(int32_t& field, const char16_t* key, int32_t defaultValue) {
  field = file_.ReadInt(key, defaultValue) != 0 ? 1 : 0;
  Tell(key, KeyKind::Switch, defaultValue, &field);
}

void KeyReader::Number(int32_t& field, const char16_t* key, int32_t defaultValue) {
  field = file_.ReadInt(key, defaultValue);
  Tell(key, KeyKind::Number, defaultValue, &field);
}

void KeyReader::ReadList(IntList& field, const char16_t* key, KeyKind kind) {
  char16_t buffer[kMaxListChars + 1];
  const size_t n = file_.ReadString(key, buffer, kMaxListChars + 1, u"");
  field = ParseIntList(std::u16string_view(buffer, n), kMaxListEntries);
  Tell(key, kind, NoDefault, &field);
}

void KeyReader::Text(std::u16string& field, const char16_t* key) {
  char16_t buffer[256];
  field.assign(buffer, file_.ReadString(key, buffer, 256, nullptr));
  Tell(key, KeyKind::Text, NoDefault, &field);
}

}  // namespace qxge
