// The names the module derives from where it was loaded and from the user's language.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qxge {

struct ModuleNames {
  std::u16string dir;   // ends in a backslash, or empty
  std::u16string name;  // file name without directory and extension
  std::u16string base;  // name without one trailing "U" or "u"
};

ModuleNames SplitModulePath(std::u16string_view fullPath);

// Two-letter text-file code for a Windows language identifier; "EN" for anything unlisted.
std::u16string LanguageCodeFor(uint16_t languageId);

// The locale's language as GetLocaleInfo gives it: hexadecimal text such as "0409".
uint16_t ParseLanguageId(std::u16string_view hexText);

// The text file for a language code, falling back to English and then to a file named after
// the module itself. exists answers whether a file is there.
std::u16string ChooseTextFile(const ModuleNames& names, std::u16string_view code,
                              const std::function<bool(const std::u16string&)>& exists);

}  // namespace qxge
