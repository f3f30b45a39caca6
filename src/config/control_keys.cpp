#include "config/control_keys.h"

#include "config/profile_values.h"

namespace qxge {

namespace {
constexpr size_t kMaxKeyChars = 255;
}

std::u16string KeyFromText(std::u16string_view text) {
  std::u16string key;
  for (char16_t c : text)
    if (c != u'&') key.push_back(c);
  return key.substr(0, kMaxKeyChars);
}

std::u16string DefaultFromText(std::u16string_view text) {
  const size_t n = text.size();
  if (n >= 4 && text[n - 1] == u')' && text[n - 2] >= u'0' && text[n - 2] <= u'9' && text[n - 3] == u'(' &&
      text[n - 4] != u' ')
    text.remove_suffix(3);
  return std::u16string(text);
}

std::u16string ClassKey(std::u16string_view className, int id) {
  std::u16string key(className);
  key += u':';
  key += FormatDecimal(id);
  return key.substr(0, kMaxKeyChars);
}

std::u16string KeyWithSuffix(std::u16string_view key, std::u16string_view suffix) {
  std::u16string full(key.substr(0, kMaxKeyChars > suffix.size() ? kMaxKeyChars - suffix.size() : 0));
  full += suffix;
  return full;
}

}  // namespace qxge
