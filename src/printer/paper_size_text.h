// Paper sizes as the pages show them: whole millimetres or inches with two decimals.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qxge {

// tenths: a length in tenths of a millimetre.
std::u16string FormatLength(int32_t tenths, bool inches);

// format: a translator's text with two "%s" for width and height ("%s x %s mm"). With
// inBrackets the result is " (" + text + ")", to follow a paper name.
std::u16string PaperSizeTextFrom(std::u16string_view format, int32_t width, int32_t height, bool inches,
                                 bool inBrackets);

}  // namespace qxge
