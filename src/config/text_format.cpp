#include "config/text_format.h"

#include <algorithm>

#include "config/profile_values.h"

namespace qxge {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Where to cut piece to keep at most room units: a pair cut in half would show as garbage.
size_t CutPoint(std::u16string_view piece, size_t room) {
  if (piece.size() <= room) return piece.size();
  return room != 0 && IsHighSurrogate(piece[room - 1]) && IsLowSurrogate(piece[room]) ? room - 1 : room;
}

}  // namespace

void CutText(std::u16string& text, size_t maxChars) { text.resize(CutPoint(text, maxChars)); }

std::u16string PlaceholdersOf(std::u16string_view pattern) {
  std::u16string kinds;
  for (size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] != u'%') continue;
    const char16_t kind = pattern[++i];
    if (kind == u's' || kind == u'd') kinds += kind;
    else if (kind != u'%') --i;  // a lone '%' is text; what follows it may start a placeholder
  }
  return kinds;
}

std::u16string FormatText(std::u16string_view pattern, std::initializer_list<FormatArg> args, size_t maxChars) {
  std::u16string out;
  bool full = false;
  const auto append = [&](std::u16string_view piece) {
    const size_t room = maxChars - out.size();
    out.append(piece.substr(0, CutPoint(piece, room)));
    full = piece.size() > room;
  };
  const FormatArg* next = args.begin();
  // Once the result is full nothing more can show, so a huge pattern costs no more than maxChars.
  for (size_t i = 0; i < pattern.size() && !full; ++i) {
    const char16_t kind = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
    if (pattern[i] != u'%' || (kind != u'%' && kind != u's' && kind != u'd')) {
      // Plain text runs up to the next '%' in one piece, so a pair in it is never split.
      const size_t end = std::min(pattern.find(u'%', i + 1), pattern.size());
      append(pattern.substr(i, end - i));
      i = end - 1;
      continue;
    }
    ++i;
    const char16_t placeholder[] = {u'%', kind};
    if (kind == u'%') {
      append(u"%");
    } else if (next == args.end()) {
      append({placeholder, 2});
    } else {
      const FormatArg& arg = *next++;
      if (kind == u's' && !arg.IsNumber())
        append(arg.Text());
      else if (kind == u'd' && arg.IsNumber())
        append(FormatDecimal(arg.Number()));
      else
        append({placeholder, 2});
    }
  }
  return out;
}

bool ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with, size_t maxChars) {
  if (what.empty()) return false;
  bool replaced = false;
  for (size_t at = text.find(what); at != std::u16string::npos && at < maxChars; at = text.find(what, at)) {
    text.replace(at, what.size(), with);
    at += with.size();
    replaced = true;
    // Values may hold many macros each: keep the text bounded while it grows.
    CutText(text, maxChars);
  }
  CutText(text, maxChars);
  return replaced;
}

void StripAmpersands(std::u16string& text) { text.erase(std::remove(text.begin(), text.end(), u'&'), text.end()); }

void StripAcceleratorSuffix(std::u16string& text) {
  const size_t n = text.size();
  if (n >= 4 && text[n - 3] == u'(' && text[n - 1] == u')' && text[n - 4] != u' ') text.resize(n - 3);
}

}  // namespace qxge
