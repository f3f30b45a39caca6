#include "config/ini_document.h"

namespace qxge {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f'; }

std::u16string_view Trim(std::u16string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

char16_t Fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

std::u16string Folded(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = Fold(c);
  return out;
}

// "[name]" with the name between the '[' and the last ']' of the line.
bool SectionName(std::u16string_view line, std::u16string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != u'[') return false;
  const size_t close = line.rfind(u']');
  name = Trim(close == std::u16string_view::npos || close == 0 ? line.substr(1) : line.substr(1, close - 1));
  return true;
}

bool KeyName(std::u16string_view line, std::u16string_view& name) {
  line = Trim(line);
  if (line.empty()) return false;
  name = Trim(line.substr(0, line.find(u'=')));
  return !name.empty();
}

std::u16string_view ValueOf(std::u16string_view line) {
  const size_t eq = line.find(u'=');
  if (eq == std::u16string_view::npos) return {};
  std::u16string_view value = Trim(line.substr(eq + 1));
  const size_t nul = value.find(u'\0');
  if (nul != std::u16string_view::npos) value = Trim(value.substr(0, nul));
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

void IniDocument::Clear() {
  lines_.clear();
  Index();
}

void IniDocument::Parse(std::u16string_view text) {
  lines_.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(u'\n', start);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    start = end + 1;
  }
  Index();
}

void IniDocument::Index() {
  sections_.clear();
  sectionIndex_.clear();
  Section* current = nullptr;
  for (size_t i = 0; i < lines_.size(); ++i) {
    std::u16string_view name;
    if (SectionName(lines_[i], name)) {
      sections_.push_back(Section{i, {}});
      current = &sections_.back();
      sectionIndex_.emplace(Folded(name), sections_.size() - 1);
    } else if (current != nullptr && KeyName(lines_[i], name)) {
      current->lastLine = i;
      current->keys.emplace(Folded(name), i);
    } else if (current != nullptr && !Trim(lines_[i]).empty()) {
      current->lastLine = i;
    }
  }
}

const IniDocument::Section* IniDocument::FindSection(std::u16string_view section) const {
  const auto it = sectionIndex_.find(Folded(Trim(section)));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::u16string_view> IniDocument::Find(std::u16string_view section, std::u16string_view key) const {
  const Section* s = FindSection(section);
  if (s == nullptr) return std::nullopt;
  const auto it = s->keys.find(Folded(Trim(key)));
  if (it == s->keys.end()) return std::nullopt;
  return ValueOf(lines_[it->second]);
}

bool IniDocument::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  section = Trim(section);
  key = Trim(key);
  // A line break in a value would split it into lines the reader takes as new keys.
  std::u16string tail(u"=");
  for (char16_t c : value) tail += (c == u'\r' || c == u'\n') ? u' ' : c;
  if (const Section* s = FindSection(section)) {
    const auto it = s->keys.find(Folded(key));
    if (it != s->keys.end()) {
      // The key keeps the spelling the file gave it.
      std::u16string_view name;
      KeyName(lines_[it->second], name);
      std::u16string line = std::u16string(name) + tail;
      if (lines_[it->second] == line) return false;
      lines_[it->second] = std::move(line);
      return true;  // names and line positions are unchanged: the index still holds
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(s->lastLine + 1), std::u16string(key) + tail);
  } else {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    std::u16string header(u"[");
    header += section;
    header += u']';
    lines_.push_back(std::move(header));
    lines_.push_back(std::u16string(key) + tail);
  }
  Index();
  return true;
}

std::vector<IniDocument::Entry> IniDocument::Entries() const {
  std::vector<Entry> entries;
  std::u16string_view section;
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    std::u16string_view name;
    if (SectionName(lines_[i], name)) {
      section = name;
      inSection = true;
      entries.push_back(Entry{i + 1, true, true, section, {}, {}});
    } else if (KeyName(lines_[i], name)) {
      entries.push_back(Entry{i + 1, false, inSection, section, name, ValueOf(lines_[i])});
    }
  }
  return entries;
}

std::u16string IniDocument::Serialize() const {
  std::u16string text;
  for (const auto& line : lines_) {
    text += line;
    text += u"\r\n";
  }
  return text;
}

}  // namespace qxge
