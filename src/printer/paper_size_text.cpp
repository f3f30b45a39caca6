#include "printer/paper_size_text.h"

#include <cstdlib>

#include "config/profile_values.h"
#include "config/text_format.h"

namespace qxge {
namespace {

// A format read from the text file is at most 255 characters; two lengths add little.
constexpr size_t kMaxSizeTextChars = 512;

}  // namespace

std::u16string FormatLength(int32_t tenths, bool inches) {
  // Sizes are never negative, but a damaged record must still give a readable number.
  const int64_t magnitude = std::llabs(static_cast<int64_t>(tenths));
  const std::u16string sign = tenths < 0 ? u"-" : u"";
  if (!inches) return sign + FormatDecimal((magnitude + 5) / 10);
  const int64_t hundredths = (magnitude * 100 + 127) / 254;
  const int64_t fraction = hundredths % 100;
  return sign + FormatDecimal(hundredths / 100) + (fraction < 10 ? u".0" : u".") + FormatDecimal(fraction);
}

std::u16string PaperSizeTextFrom(std::u16string_view format, int32_t width, int32_t height, bool inches,
                                 bool inBrackets) {
  const std::u16string text =
      FormatText(format, {FormatLength(width, inches), FormatLength(height, inches)}, kMaxSizeTextChars);
  return inBrackets ? u" (" + text + u")" : text;
}

}  // namespace qxge
