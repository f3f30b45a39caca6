// Product texts in the text file name the driver, its version and its web pages through
// macros, so one translation serves every model; the version file beside the driver holds
// the values.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace qxge {

class ProfileFile;

// A text never grows beyond this by expansion, whatever the version file holds.
constexpr size_t kMaxExpandedChars = 4096;

struct TextMacro {
  const char16_t* macro;
  const char16_t* key;  // in the version file's section "Version"
};

// The order matters: a value may itself hold a macro further down the table.
extern const TextMacro kTextMacros[21];
// Only in the About pages' model information lines; key is the name of a string of the
// module's version block.
extern const TextMacro kVersionBlockMacros[5];

// Replaces the text macros, in their fixed order, by the values of the version file's
// section "Version"; a macro whose key is missing disappears. True when anything was replaced.
bool ExpandMacros(std::u16string& text, ProfileFile& versionFile);

// The model information of the About pages: the keys "M_Info1".."M_Info10" of the text file's
// current section, text macros expanded, then "$DESCRIPTION", "$VERSION", "$COMPANY",
// "$COPYRIGHT" and "$COMMENT" replaced by versionString of their version-block names. Every
// line ends in "\n", a missing one too, so the layout of the ten lines never shifts.
std::u16string ModelInfoText(ProfileFile& textFile,
                             const std::function<std::u16string(std::u16string_view)>& versionString);

// Win32: the named string of the version block of the module file at path ("FileVersion", ...),
// or empty.
std::u16string ModuleVersionString(const std::u16string& path, std::u16string_view name);

}  // namespace qxge
