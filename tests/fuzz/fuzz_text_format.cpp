// Translators' texts reach the formatter as they are: any units, any '%' sequences, any length.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/text_format.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 7) return 0;
  const size_t maxChars = data[0] | (data[1] & 0x0F) << 8;
  int32_t number;
  std::memcpy(&number, data + 2, sizeof number);
  const size_t split = data[6];
  data += 7;
  size -= 7;

  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), data, units.size() * 2);
  const std::u16string text = units.substr(0, std::min(split, units.size()));
  const std::u16string pattern = units.substr(text.size());

  // A bound only cuts the result short, and never inside a surrogate pair.
  const std::u16string whole = qxge::FormatText(pattern, {text, number, text}, 1u << 24);
  const std::u16string out = qxge::FormatText(pattern, {text, number, text}, maxChars);
  Check(out.size() <= maxChars && whole.compare(0, out.size(), out) == 0);
  Check(out.size() == std::min(whole.size(), maxChars) ||
        (out.size() + 1 == maxChars && IsHigh(whole[out.size()]) && IsLow(whole[out.size() + 1])));

  // Without arguments only "%%" changes, so the result is never longer than the pattern.
  Check(qxge::FormatText(pattern, {}, 1u << 24).size() <= pattern.size());

  if (!text.empty()) {
    std::u16string replaced = pattern;
    qxge::ReplaceAll(replaced, text, pattern, maxChars);
    Check(replaced.size() <= maxChars);
  }
  return 0;
}
