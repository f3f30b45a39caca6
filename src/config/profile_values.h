// Integer texts as they appear in profile files, the registry and model lists.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qxge {

// Like the C library's strtol with base 0: blanks, a sign, then "0x" hex, "0" octal or
// decimal; stops at the first character that does not fit; clamps to the 32-bit range.
int32_t ParseAutoBaseInt(std::u16string_view text);

// Leading blanks, a sign and decimal digits; anything else ends the number.
int32_t ParseDecimalInt(std::u16string_view text);

// Tokens separated by ';', ',' or ' ', each read as a decimal integer. The list is cut at
// maxCount entries so that a damaged file cannot drive a huge allocation.
std::vector<int32_t> ParseIntList(std::u16string_view text, size_t maxCount);

std::u16string FormatDecimal(int64_t value);
std::u16string FormatHexUpper(uint32_t value);

// How a profile integer is written back: decimal up to 8192, "0x%X" above.
std::u16string FormatProfileInt(int32_t value);

std::u16string Utf16FromAscii(std::string_view ascii);

}  // namespace qxge
