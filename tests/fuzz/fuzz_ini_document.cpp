// Profile files are edited by hand and by other programs; reading and write-back must cope
// with any text, and a value once written must read back.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_document.h"
#include "fuzz_input.h"

namespace {

using qxge::fuzz::Check;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f'; }

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// What a reader sees of a value written as is: line breaks were blanked on writing, the
// surrounding blanks go, a NUL ends it and one matching pair of quotes is taken off.
std::u16string ExpectedValue(std::u16string_view written) {
  std::u16string value(written);
  for (auto& c : value)
    if (c == u'\r' || c == u'\n') c = u' ';
  std::u16string_view v = Trim(value);
  v = Trim(v.substr(0, v.find(u'\0')));
  if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::u16string(v);
}

// Only names that a line can hold: a key with '=' or a line break, or one that starts like a
// section header, is not a key the profile functions could ever read back.
bool UsableKey(std::u16string_view key) {
  key = Trim(key);
  return !key.empty() && key.front() != u'[' && key.find_first_of(u"=\n") == std::u16string_view::npos;
}

bool UsableSection(std::u16string_view section) { return section.find(u'\n') == std::u16string_view::npos; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  auto fold = [](char16_t c) -> char16_t {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 0x20);
    return c;
  };
  for (size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

// A name that probably occurs in the document, cut from line n as a reader would cut it.
std::u16string NameFromLine(std::u16string_view doc, size_t n, bool section) {
  std::vector<std::u16string_view> lines;
  for (size_t start = 0; start <= doc.size();) {
    size_t end = doc.find(u'\n', start);
    if (end == std::u16string_view::npos) end = doc.size();
    lines.push_back(doc.substr(start, end - start));
    start = end + 1;
  }
  std::u16string_view line = Trim(lines[n % lines.size()]);
  if (section) {
    if (!line.empty() && line.front() == u'[') line.remove_prefix(1);
    return std::u16string(line.substr(0, line.rfind(u']')));
  }
  return std::u16string(line.substr(0, line.find(u'=')));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qxge::fuzz::Utf16Input in(data, size);
  const char16_t mode = in.Unit();
  const size_t sectionLen = in.Unit() % 24, keyLen = in.Unit() % 24, valueLen = in.Unit() % 300;
  const size_t otherLine = in.Unit(), sectionLine = in.Unit(), keyLine = in.Unit();
  std::u16string section = in.Take(sectionLen), key = in.Take(keyLen);
  const std::u16string value = in.Take(valueLen);
  const std::u16string docText = in.Rest();
  if (mode & 1) section = NameFromLine(docText, sectionLine, true);
  // A key from one of the lines just below the section's header is often one of its keys.
  if (mode & 2) key = NameFromLine(docText, (mode & 1 ? sectionLine + 1 : 0) + keyLine % 8, false);
  const std::u16string otherSection = NameFromLine(docText, otherLine, true);
  const std::u16string otherKey = NameFromLine(docText, otherLine + 1, false);

  qxge::IniDocument doc;
  doc.Parse(docText);
  doc.Find(section, key);
  const auto otherBefore = doc.Find(otherSection, otherKey);
  const std::optional<std::u16string> other =
      otherBefore ? std::optional<std::u16string>(std::u16string(*otherBefore)) : std::nullopt;

  // Reading and re-saving an untouched file changes nothing a reader sees.
  const std::u16string saved = doc.Serialize();
  qxge::IniDocument reread;
  reread.Parse(saved);
  Check(reread.Serialize() == saved);

  if (!UsableKey(key) || !UsableSection(section)) {
    doc.Set(section, key, value);  // must not crash, whatever it leaves
    doc.Serialize();
    return 0;
  }
  doc.Set(section, key, value);
  const std::u16string expected = ExpectedValue(value);
  const auto now = doc.Find(section, key);
  Check(now && *now == expected);

  reread.Parse(doc.Serialize());
  const auto after = reread.Find(section, key);
  Check(after && *after == expected);

  // Every other key keeps what it read before the edit.
  if (!(SameName(otherSection, section) && SameName(otherKey, key))) {
    const auto otherAfter = reread.Find(otherSection, otherKey);
    Check(otherAfter.has_value() == other.has_value());
    if (other) Check(*otherAfter == *other);
  }
  return 0;
}
