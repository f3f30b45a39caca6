// Texts with placeholders that come from translators' files. A translator may leave stray
// or foreign conversions in a text, so nothing here interprets more than the caller asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qxge {

// One value the caller has for a text: a text for "%s" or an integer for "%d".
class FormatArg {
 public:
  FormatArg(std::u16string_view text) : text_(text) {}
  FormatArg(const char16_t* text) : text_(text) {}
  FormatArg(const std::u16string& text) : text_(text) {}
  FormatArg(int32_t number) : isNumber_(true), number_(number) {}

  bool IsNumber() const { return isNumber_; }
  std::u16string_view Text() const { return text_; }
  int32_t Number() const { return number_; }

 private:
  bool isNumber_ = false;
  std::u16string_view text_;
  int32_t number_ = 0;
};

// Each "%s" and "%d" of pattern takes the next argument and is replaced by it when the
// argument is of its kind; a placeholder of the wrong kind or beyond the arguments stays as
// written. "%%" gives "%"; any other '%' is plain text. The result has at most maxChars
// units; a surrogate pair at the cut is left out whole.
std::u16string FormatText(std::u16string_view pattern, std::initializer_list<FormatArg> args, size_t maxChars);

// The kinds of the placeholders FormatText fills, in order: "s" or "d" each ("%%" is none).
// A translation must keep the English text's, or its values land in the wrong places.
std::u16string PlaceholdersOf(std::u16string_view pattern);

// Replaces every occurrence of what (not empty) by with, scanning past each replacement, so a
// value that holds what is not expanded again. The result is cut at maxChars characters.
// True when anything was replaced.
bool ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with, size_t maxChars);

// Cuts text to at most maxChars units; a surrogate pair at the cut is left out whole.
void CutText(std::u16string& text, size_t maxChars);

// Texts from the text file mark their access keys for dialogs; captions drawn elsewhere lose
// them. Removes every "&".
void StripAmpersands(std::u16string& text);
// Cuts a trailing access key in brackets, as translations for some languages add it ("Print(P)"
// gives "Print"); after a blank the brackets are part of the text and stay.
void StripAcceleratorSuffix(std::u16string& text);

}  // namespace qxge
