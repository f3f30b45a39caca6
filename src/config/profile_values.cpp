#include "config/profile_values.h"

#include <limits>

namespace qxge {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

int32_t Accumulate(std::u16string_view text, size_t pos, unsigned base, bool negative) {
  // Accumulate in 64 bits and stop growing once past the 32-bit range; the clamp below
  // then gives the saturated value as strtol would.
  int64_t value = 0;
  const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; pos < text.size(); ++pos) {
    const int d = DigitValue(text[pos]);
    if (d >= static_cast<int>(base)) break;
    if (value <= limit) value = value * base + d;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

size_t SkipSign(std::u16string_view text, size_t pos, bool& negative) {
  negative = false;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
    negative = text[pos] == u'-';
    ++pos;
  }
  return pos;
}

}  // namespace

int32_t ParseAutoBaseInt(std::u16string_view text) {
  bool negative;
  size_t pos = SkipSign(text, 0, negative);
  unsigned base = 10;
  if (pos < text.size() && text[pos] == u'0') {
    const bool hexPrefix = pos + 1 < text.size() && (text[pos + 1] == u'x' || text[pos + 1] == u'X');
    if (hexPrefix && pos + 2 < text.size() && DigitValue(text[pos + 2]) < 16) {
      base = 16;
      pos += 2;
    } else {
      base = 8;
    }
  }
  return Accumulate(text, pos, base, negative);
}

int32_t ParseDecimalInt(std::u16string_view text) {
  bool negative;
  const size_t pos = SkipSign(text, 0, negative);
  return Accumulate(text, pos, 10, negative);
}

std::vector<int32_t> ParseIntList(std::u16string_view text, size_t maxCount) {
  std::vector<int32_t> list;
  size_t start = 0;
  while (start <= text.size() && list.size() < maxCount) {
    size_t end = text.find_first_of(u";, ", start);
    if (end == std::u16string_view::npos) end = text.size();
    if (end > start) list.push_back(ParseDecimalInt(text.substr(start, end - start)));
    start = end + 1;
  }
  return list;
}

std::u16string FormatDecimal(int64_t value) {
  char16_t digits[24];
  size_t n = 0;
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::u16string text;
  if (value < 0) text.push_back(u'-');
  while (n > 0) text.push_back(digits[--n]);
  return text;
}

std::u16string FormatHexUpper(uint32_t value) {
  static const char16_t kDigits[] = u"0123456789ABCDEF";
  char16_t digits[8];
  size_t n = 0;
  do {
    digits[n++] = kDigits[value & 15];
    value >>= 4;
  } while (value != 0);
  std::u16string text;
  while (n > 0) text.push_back(digits[--n]);
  return text;
}

std::u16string FormatProfileInt(int32_t value) {
  if (value <= 8192) return FormatDecimal(value);
  return u"0x" + FormatHexUpper(static_cast<uint32_t>(value));
}

std::u16string Utf16FromAscii(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace qxge
