// Translators' texts reach the formatter as they are: any units, any '%' sequences, any length.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "config/profile_values.h"
#include "config/text_format.h"
#include "fuzz_input.h"
#include "printer/paper_size_text.h"

namespace {

using qxge::fuzz::Check;

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A shown length is the true one rounded: to the millimetre, or to the hundredth of an inch
// with always two decimals.
void CheckLength(int32_t tenths, bool inches) {
  const std::u16string shown = qxge::FormatLength(tenths, inches);
  const int64_t whole = qxge::ParseDecimalInt(shown);
  const int64_t magnitude = tenths < 0 ? -int64_t{tenths} : tenths;
  Check((tenths < 0) == (shown[0] == u'-'));
  if (!inches) {
    const int64_t error = 10 * (whole < 0 ? -whole : whole) - magnitude;
    Check(error > -5 && error <= 5);
    return;
  }
  const size_t point = shown.find(u'.');
  Check(point != std::u16string::npos && shown.size() == point + 3);
  const int64_t hundredths = 100 * (whole < 0 ? -whole : whole) + qxge::ParseDecimalInt(shown.substr(point + 1));
  const int64_t error = 254 * hundredths - 100 * magnitude;
  Check(error > -127 && error <= 127);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 11) return 0;
  const size_t maxChars = data[0] | (data[1] & 0x0F) << 8;
  const bool inches = data[1] & 0x10, inBrackets = data[1] & 0x20;
  int32_t number, other;
  std::memcpy(&number, data + 2, sizeof number);
  std::memcpy(&other, data + 6, sizeof other);
  const size_t split = data[10];
  data += 11;
  size -= 11;

  const std::u16string units = qxge::fuzz::Utf16Input(data, size).Rest();
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

  // The placeholders a translation is checked for are those the formatter fills: with a text
  // for each "%s" and a number for each "%d", none stays as written.
  const std::u16string kinds = qxge::PlaceholdersOf(pattern);
  Check(kinds.size() * 2 <= pattern.size() && kinds.find_first_not_of(u"sd") == std::u16string::npos);
  if (kinds.size() <= 2) {
    const qxge::FormatArg first = kinds.size() > 0 && kinds[0] == u'd' ? qxge::FormatArg(number) : qxge::FormatArg(u"");
    const qxge::FormatArg second = kinds.size() > 1 && kinds[1] == u'd' ? qxge::FormatArg(number) : qxge::FormatArg(u"");
    const std::u16string filled = qxge::FormatText(pattern, {first, second}, 1u << 24);
    const std::u16string empty = qxge::FormatText(pattern, {}, 1u << 24);
    Check(kinds.empty() ? filled == empty : filled != empty || number == 0);
  }

  if (!text.empty()) {
    std::u16string replaced = pattern;
    qxge::ReplaceAll(replaced, text, pattern, maxChars);
    Check(replaced.size() <= maxChars);
  }

  // A paper size line: the pattern is the translator's, the lengths come from a record.
  const std::u16string sizeText = qxge::PaperSizeTextFrom(pattern, number, other, inches, inBrackets);
  Check(sizeText.size() <= 512 + (inBrackets ? 3 : 0));
  Check(!inBrackets || (sizeText.compare(0, 2, u" (") == 0 && sizeText.back() == u')'));
  CheckLength(number, inches);
  CheckLength(other, !inches);
  return 0;
}
