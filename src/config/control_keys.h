// How a control's template text becomes its text-file key and its default display text.
#pragma once

#include <string>
#include <string_view>

namespace qxge {

// The template text without its mnemonic ampersands.
std::u16string KeyFromText(std::u16string_view text);

// What the control shows when the text file lacks its key: the template text without a
// trailing "(digit)" that only keeps keys of equal texts apart ("Type(1)" shows "Type").
std::u16string DefaultFromText(std::u16string_view text);

// The key of a control without a usable text: "class:id".
std::u16string ClassKey(std::u16string_view className, int id);

// Keys, and keys with a suffix, stay within the text-file functions' 255 characters.
std::u16string KeyWithSuffix(std::u16string_view key, std::u16string_view suffix);

}  // namespace qxge
