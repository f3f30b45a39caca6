#include "package_check.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/module_names.h"
#include "config/ini_document.h"
#include "config/key_reader.h"
#include "config/model_features.h"
#include "config/profile_file.h"
#include "config/profile_values.h"
#include "config/version_macros.h"
#include "printer/ppd_papers.h"
#include "record/driver_dev_mode.h"
#include "record/record_compare.h"

namespace qxge::check {
namespace fs = std::filesystem;
namespace {

// ---------------------------------------------------------------------------------------------
// Texts

std::string Narrow(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    else if (c >= 0xD800 && c < 0xE000)
      c = 0xFFFD;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// A file's own text in a message: a line may be 100,000 characters long.
std::string Shown(std::u16string_view text) {
  constexpr size_t kShownChars = 40;
  return text.size() <= kShownChars ? Narrow(text) : Narrow(text.substr(0, kShownChars)) + "...";
}

std::string Number(int64_t n) { return std::to_string(n); }

// Names compare as the profile functions compare them.
char16_t Fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

std::u16string Folded(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = Fold(c);
  return out;
}

// Edits (insert, delete, replace, swap of neighbours) between two names, ignoring case; names
// too long to be a slip of the keyboard compare as far apart.
size_t Distance(std::u16string_view a, std::u16string_view b) {
  constexpr size_t kLongest = 64, kFar = 1000;
  if (a.size() > kLongest || b.size() > kLongest) return kFar;
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t cost = Fold(a[i - 1]) == Fold(b[j - 1]) ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && Fold(a[i - 1]) == Fold(b[j - 2]) && Fold(a[i - 2]) == Fold(b[j - 1]))
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

// Near enough to be the same name mistyped.
bool Near(std::u16string_view known, size_t distance) {
  return distance <= 1 + known.size() / 8 && distance * 2 < known.size();
}

template <typename Names>
std::optional<std::u16string> Nearest(std::u16string_view typed, const Names& names) {
  std::optional<std::u16string> best;
  size_t bestDistance = 0;
  for (const std::u16string& name : names) {
    const size_t d = Distance(typed, name);
    if (Near(name, d) && (!best || d < bestDistance)) {
      best = name;
      bestDistance = d;
    }
  }
  return best;
}

bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Like the module's integer reading, but whole: a sign, then "0x" and hex digits, "0" and
// octal digits, or decimal digits, and nothing after.
bool IsWholeNumber(std::u16string_view s, bool autoBase) {
  size_t i = 0;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
  int base = 10;
  if (autoBase && i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    base = 16;
    i += 2;
  } else if (autoBase && i < s.size() && s[i] == u'0') {
    base = 8;
  }
  if (i == s.size()) return false;
  for (; i < s.size(); ++i) {
    const char16_t c = s[i];
    const bool digit = base == 16 ? (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')
                                  : c >= u'0' && c < u'0' + base;
    if (!digit) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Findings

enum class Severity { Warning, Error };

class Findings {
 public:
  // Beyond this many a file's findings only count: a damaged file of several megabytes must
  // neither flood the screen nor cost a guess at every line.
  static constexpr size_t kKept = 200, kShown = 50;

  bool Room() const { return items_.size() < kKept; }
  void Add(size_t line, Severity severity, std::string message) {
    errors_ = errors_ || severity == Severity::Error;
    if (!Room()) {
      ++unshown_;
      return;
    }
    items_.push_back(Item{line, severity, std::move(message)});
  }
  void Error(size_t line, std::string message) { Add(line, Severity::Error, std::move(message)); }
  void Warning(size_t line, std::string message) { Add(line, Severity::Warning, std::move(message)); }

  bool Errors() const { return errors_; }

  void Print(const std::string& file, std::ostream& out) {
    std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) { return a.line < b.line; });
    size_t unshown = unshown_;
    for (size_t i = 0; i < items_.size(); ++i) {
      if (i == kShown) {
        unshown += items_.size() - kShown;
        break;
      }
      const Item& item = items_[i];
      out << file;
      if (item.line != 0) out << ':' << item.line;
      out << (item.severity == Severity::Error ? ": error: " : ": warning: ") << item.message << '\n';
    }
    if (unshown != 0) out << file << ": note: " << unshown << " more findings not shown\n";
  }

 private:
  struct Item {
    size_t line;
    Severity severity;
    std::string message;
  };
  std::vector<Item> items_;
  size_t unshown_ = 0;
  bool errors_ = false;
};

// ---------------------------------------------------------------------------------------------
// Package files

enum class Role { Model, Text, Version, PrinterDescription };

struct Source {
  Role role = Role::Model;
  fs::path path;
  std::string name;   // as the finding lines give it
  std::u16string id;  // the path under which the profile reader finds the text
  std::string bytes;
  std::u16string text;  // decoded as Windows decodes it
  bool usable = false;
  IniDocument document;
  std::vector<IniDocument::Entry> entries;
  Findings findings;
};

size_t LineAt(std::string_view bytes, size_t offset) {
  return 1 + static_cast<size_t>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

size_t LineAt(std::u16string_view text, size_t offset) {
  return 1 + static_cast<size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), u'\n'));
}

// Where the first malformed UTF-8 sequence starts, or npos; decoded into text when given.
size_t DecodeUtf8(std::string_view bytes, std::u16string* text) {
  size_t bad = std::string_view::npos;
  for (size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    uint32_t c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
    bool ok = n != 0 && i + n <= bytes.size();
    for (size_t k = 1; ok && k < n; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      ok = (next & 0xC0) == 0x80;
      c = c << 6 | (next & 0x3F);
    }
    const uint32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
    ok = ok && c >= least[n] && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000);
    if (!ok) {
      if (bad == std::string_view::npos) bad = i;
      if (text != nullptr) *text += u'\uFFFD';
      ++i;
      continue;
    }
    if (text != nullptr) {
      if (c >= 0x10000) {
        *text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        *text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      } else {
        *text += static_cast<char16_t>(c);
      }
    }
    i += n;
  }
  return bad;
}

bool ReadBytes(Source& s) {
  std::error_code error;
  const uintmax_t size = fs::file_size(s.path, error);
  std::ifstream in(s.path, std::ios::binary);
  if (error || !in) {
    s.findings.Error(0, "cannot be read" + (error ? ": " + error.message() : std::string()));
    return false;
  }
  const size_t wanted = static_cast<size_t>(std::min<uintmax_t>(size, kMaxProfileBytes));
  s.bytes.resize(wanted);
  in.read(s.bytes.data(), static_cast<std::streamsize>(wanted));
  if (in.bad() || static_cast<size_t>(in.gcount()) != wanted) {
    s.findings.Error(0, "cannot be read to its end");
    return false;
  }
  if (size > kMaxProfileBytes)
    s.findings.Error(0, Number(static_cast<int64_t>(size)) + " bytes: only the first " +
                            Number(kMaxProfileBytes >> 20) + " MB are read, the rest is lost");
  return true;
}

// Decodes as the module's profile reader does: a byte-order mark names the encoding, else the
// bytes are in the ANSI code page (taken here as Latin-1, which keeps every key intact).
void Decode(Source& s) {
  size_t mark = 0;
  const ProfileEncoding encoding = SniffEncoding(s.bytes, mark);
  const std::string_view body = std::string_view(s.bytes).substr(mark);
  if (encoding == kUtf16Le || encoding == kUtf16Be) {
    s.text = FromUtf16(body, encoding == kUtf16Be);
    if (body.size() % 2 != 0)
      s.findings.Error(LineAt(s.text, s.text.size()), "UTF-16 text cut off in the middle of a character");
    for (size_t i = 0; i < s.text.size(); ++i) {
      const char16_t c = s.text[i];
      const bool high = c >= 0xD800 && c < 0xDC00, low = c >= 0xDC00 && c < 0xE000;
      if (high && i + 1 < s.text.size() && s.text[i + 1] >= 0xDC00 && s.text[i + 1] < 0xE000) {
        ++i;
      } else if (high || low) {
        s.findings.Error(LineAt(s.text, i), "not valid UTF-16: a half character pair");
        break;
      }
    }
  } else if (encoding == kUtf8) {
    const size_t bad = DecodeUtf8(body, &s.text);
    if (bad != std::string_view::npos)
      s.findings.Error(LineAt(body, bad), "not valid UTF-8, though the file starts with a UTF-8 byte-order mark");
  } else {
    s.text.assign(body.begin(), body.end());
    for (char16_t& c : s.text) c = static_cast<unsigned char>(c);
    const auto nonAscii = std::find_if(body.begin(), body.end(), [](char c) { return (c & 0x80) != 0; });
    if (nonAscii != body.end() && DecodeUtf8(body, nullptr) == std::string_view::npos)
      s.findings.Warning(LineAt(body, static_cast<size_t>(nonAscii - body.begin())),
                         "UTF-8 text without a byte-order mark: Windows reads it in the ANSI code page, so "
                         "letters beyond ASCII come out garbled; save it as UTF-8 with a byte-order mark or as "
                         "UTF-16");
  }
  const auto control = std::find_if(s.text.begin(), s.text.end(), [](char16_t c) {
    return c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\v' && c != u'\f';
  });
  if (control != s.text.end()) {
    const size_t at = static_cast<size_t>(control - s.text.begin());
    s.findings.Error(LineAt(s.text, at), "binary data (character " + Number(*control) + "): not a text file");
    return;
  }
  s.usable = true;
}

// The profile reader over the package as read: a check never writes into a package.
class PackageStorage : public ProfileStorage {
 public:
  void Add(const std::u16string& id, const std::u16string& text) { texts_[id] = &text; }
  Stamp StampOf(const std::u16string& path) override {
    Stamp stamp;
    stamp.exists = texts_.count(path) != 0;
    return stamp;
  }
  bool Load(const std::u16string& path, std::u16string& text, int& encoding) override {
    const auto it = texts_.find(path);
    if (it == texts_.end()) return false;
    text = *it->second;
    encoding = kUtf16Le;
    return true;
  }
  bool Save(const std::u16string&, std::u16string_view, int) override { return false; }
  void ClearReadOnly(const std::u16string&) override {}

 private:
  std::unordered_map<std::u16string, const std::u16string*> texts_;
};

// ---------------------------------------------------------------------------------------------
// What the module reads

struct KeyRecord {
  const ProfileFile* file;
  std::u16string section;
  std::u16string key;
  KeyKind kind;
  int32_t defaultValue;
  const void* field;
  int32_t asRead;  // switches and numbers: the value taken from the file, before any adjustment
};

bool IsInteger(KeyKind kind) { return kind == KeyKind::Switch || kind == KeyKind::Number; }

class Recorder : public KeyWatcher {
 public:
  void Read(const ProfileFile& file, std::u16string_view key, KeyKind kind, int32_t defaultValue,
            const void* field) override {
    const std::u16string& section = file.Section();
    reads.push_back(KeyRecord{&file, section.empty() ? u"Common" : section, std::u16string(key), kind, defaultValue,
                              field, IsInteger(kind) ? *static_cast<const int32_t*>(field) : 0});
  }
  std::vector<const KeyRecord*> Of(const ProfileFile& file) const {
    std::vector<const KeyRecord*> out;
    for (const KeyRecord& r : reads)
      if (r.file == &file) out.push_back(&r);
    return out;
  }
  std::vector<KeyRecord> reads;
};

// The keys one file offers the module, each with the line the module takes it from.
class FileKeys {
 public:
  FileKeys(Source& source, std::vector<const KeyRecord*> known) : s_(source), known_(std::move(known)) {}

  // Checks every line against what the module reads; with strict set, a key nothing reads is
  // a finding too (the text file's keys are read by the pages, beyond what a check can run).
  void Check(bool strict) {
    std::unordered_map<std::u16string, size_t> sections;
    std::unordered_map<std::u16string, const IniDocument::Entry*> keys;
    bool ignored = false;
    for (const IniDocument::Entry& e : s_.entries) {
      if (e.header) {
        keys.clear();
        const auto [first, added] = sections.emplace(Folded(e.section), e.line);
        ignored = !added || (strict && !KnowsSection(e.section));
        if (!added)
          s_.findings.Error(e.line, "[" + Shown(e.section) + "]: duplicate section; only the one at line " +
                                        Number(first->second) + " is read, the keys below are ignored");
        else if (ignored)
          UnknownSection(e);
        continue;
      }
      if (!e.key.empty() && e.key.front() == u';') continue;
      if (!e.inSection) {
        s_.findings.Warning(e.line, Shown(e.key) + ": key outside any section; nothing reads it");
        continue;
      }
      if (ignored) continue;
      const auto [first, added] = keys.emplace(Folded(e.key), &e);
      if (!added) {
        Duplicate(e, *first->second);
        continue;
      }
      if (const KeyRecord* r = Find(e.section, e.key)) {
        lines_[r->field] = &e;
        Value(e, *r);
      } else if (strict) {
        UnknownKey(e);
      }
    }
  }

  // The line the module read a field's key from, when the file has it.
  const IniDocument::Entry* LineOf(const void* field) const {
    const auto it = lines_.find(field);
    return it == lines_.end() ? nullptr : it->second;
  }

 private:
  const KeyRecord* Find(std::u16string_view section, std::u16string_view key) const {
    for (const KeyRecord* r : known_)
      if (SameName(r->section, section) && SameName(r->key, key)) return r;
    return nullptr;
  }

  bool KnowsSection(std::u16string_view section) const {
    return std::any_of(known_.begin(), known_.end(), [&](const KeyRecord* r) { return SameName(r->section, section); });
  }

  void UnknownSection(const IniDocument::Entry& e) {
    std::vector<std::u16string> names;
    for (const KeyRecord* r : known_) names.push_back(r->section);
    const auto guess = s_.findings.Room() ? Nearest(e.section, names) : std::nullopt;
    if (guess)
      s_.findings.Error(e.line, "[" + Shown(e.section) + "]: unknown section; did you mean [" + Narrow(*guess) +
                                    "]? None of its keys is read");
    else
      s_.findings.Warning(e.line, "[" + Shown(e.section) + "]: unknown section; none of its keys is read");
  }

  void UnknownKey(const IniDocument::Entry& e) {
    if (!s_.findings.Room()) {
      s_.findings.Warning(e.line, {});
      return;
    }
    for (const KeyRecord* r : known_) {
      if (SameName(r->key, e.key)) {
        s_.findings.Error(e.line, Shown(e.key) + ": the module reads this key in [" + Narrow(r->section) +
                                      "], not in [" + Shown(e.section) + "]");
        return;
      }
    }
    std::vector<std::u16string> names;
    for (const KeyRecord* r : known_)
      if (SameName(r->section, e.section)) names.push_back(r->key);
    if (const auto guess = Nearest(e.key, names))
      s_.findings.Error(e.line, Shown(e.key) + ": unknown key; did you mean " + Narrow(*guess) + "?");
    else
      s_.findings.Warning(e.line, Shown(e.key) + ": unknown key; the module does not read it");
  }

  void Duplicate(const IniDocument::Entry& e, const IniDocument::Entry& first) {
    const std::string where = Shown(e.key) + ": duplicate key; the value at line " + Number(first.line);
    if (e.value == first.value)
      s_.findings.Warning(e.line, where + " is the same, delete one");
    else
      s_.findings.Error(e.line,
                        where + " (" + Shown(first.value) + ") is read, this one (" + Shown(e.value) + ") is ignored");
  }

  void Value(const IniDocument::Entry& e, const KeyRecord& r) {
    const std::string key = Shown(e.key);
    const std::string setting = key + "=" + Shown(e.value);
    if (IsInteger(r.kind)) {
      if (e.value.empty()) {
        s_.findings.Warning(e.line, key + " is empty; the module takes " +
                                        (r.defaultValue == NoDefault ? "0" : "its default, " + Number(r.defaultValue)));
        return;
      }
      const int32_t read = ParseAutoBaseInt(e.value);
      const bool whole = IsWholeNumber(e.value, true);
      if (r.kind == KeyKind::Number && !whole)
        s_.findings.Error(e.line, setting + ": not a whole number; the module reads " + Number(read));
      else if (r.kind == KeyKind::Switch && !whole)
        s_.findings.Error(e.line, setting + ": not a number; the module reads it as " +
                                      (read != 0 ? "1 (on)" : "0 (off)") + "; write 0 or 1");
      else if (r.kind == KeyKind::Switch && (read < 0 || read > 1))
        s_.findings.Add(e.line, read < 0 ? Severity::Error : Severity::Warning,
                        setting + ": a switch is 0 or 1; the module reads " + Number(read) + " as 1 (on)");
      return;
    }
    if (r.kind != KeyKind::List && r.kind != KeyKind::PaperList) return;
    std::u16string_view value = e.value;
    if (value.size() > KeyReader::kMaxListChars) {
      s_.findings.Warning(e.line, key + ": longer than " + Number(KeyReader::kMaxListChars) +
                                      " characters; the module reads only the list's start");
      value = value.substr(0, KeyReader::kMaxListChars);
    }
    // Within the characters read there is no room for more entries than the module keeps.
    for (size_t start = 0; start <= value.size();) {
      const size_t end = std::min(value.find_first_of(u";, ", start), value.size());
      const std::u16string_view token = value.substr(start, end - start);
      if (!token.empty() && !IsWholeNumber(token, false)) {
        s_.findings.Error(e.line, key + ": \"" + Shown(token) + "\" is not a decimal number; the module reads it as " +
                                      Number(ParseDecimalInt(token)));
        return;
      }
      start = end + 1;
    }
  }

  Source& s_;
  std::vector<const KeyRecord*> known_;
  std::unordered_map<const void*, const IniDocument::Entry*> lines_;
};

// ---------------------------------------------------------------------------------------------
// The package

struct Printer {
  const Source* source;
  PpdPapers papers;
};

class Package {
 public:
  Package(const fs::path& folder, std::ostream& out) : folder_(folder), out_(out) {}

  int Check() {
    std::error_code error;
    if (!fs::is_directory(folder_, error)) {
      out_ << folder_.u8string() << ": error: " << (fs::exists(folder_, error) ? "not a folder" : "no such folder")
           << '\n';
      return 1;
    }
    if (!Collect()) return 1;
    for (Source& s : sources_) {
      if (!ReadBytes(s)) continue;
      if (s.role == Role::PrinterDescription) {
        ReadPrinter(s);
        continue;
      }
      Decode(s);
      if (!s.usable) continue;
      s.document.Parse(s.text);
      s.entries = s.document.Entries();
      storage_.Add(s.id, s.text);
    }
    for (Source& s : sources_)
      if (s.role == Role::Model && s.usable) CheckModel(s);
    for (Source& s : sources_)
      if (s.role == Role::Version && s.usable) CheckVersion(s);
    bool errors = false;
    for (Source& s : sources_) {
      s.findings.Print(s.name, out_);
      errors = errors || s.findings.Errors();
    }
    return errors ? 1 : 0;
  }

 private:
  bool Collect() {
    std::error_code error;
    constexpr std::pair<std::u16string_view, Role> kRoles[] = {
        {u".INI", Role::Model}, {u".DAT", Role::Text}, {u".VER", Role::Version}, {u".PPD", Role::PrinterDescription}};
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
      if (!entry.is_regular_file(error)) continue;
      const std::u16string extension = Folded(entry.path().extension().u16string());
      for (const auto& [name, role] : kRoles)
        if (extension == name) {
          Source& s = sources_.emplace_back();
          s.role = role;
          s.path = entry.path();
          s.name = (folder_ / entry.path().filename()).u8string();
          s.id = entry.path().filename().u16string();
        }
    }
    if (error) {
      out_ << folder_.u8string() << ": error: cannot be listed: " << error.message() << '\n';
      return false;
    }
    std::sort(sources_.begin(), sources_.end(), [](const Source& a, const Source& b) { return a.name < b.name; });
    if (std::none_of(sources_.begin(), sources_.end(), [](const Source& s) { return s.role == Role::Model; })) {
      out_ << folder_.u8string() << ": error: no model file (.INI) in this folder\n";
      return false;
    }
    return true;
  }

  void ReadPrinter(Source& s) {
    Printer printer{&s, ReadPpdPapers(s.bytes)};
    for (size_t line : printer.papers.skippedLines)
      s.findings.Warning(line, "longer than 255 characters or without a line end; the printing system skips it");
    for (const PpdPaper& p : printer.papers.dropped)
      s.findings.Warning(p.line,
                         "page size " + p.name + " lacks a *PageSize or a *PaperDimension; the printing system drops it");
    if (printer.papers.offered.empty()) s.findings.Error(0, "no page size the printing system can offer");
    printers_.push_back(std::move(printer));
  }

  std::vector<Source*> TextFilesOf(const Source& model, const ModuleNames& names) {
    std::vector<Source*> texts;
    const bool onlyModel =
        std::count_if(sources_.begin(), sources_.end(), [](const Source& m) { return m.role == Role::Model; }) == 1;
    for (Source& s : sources_) {
      if (s.role != Role::Text || !s.usable) continue;
      const std::u16string stem = Folded(s.path.stem().u16string());
      if ((stem.size() == names.base.size() + 2 && stem.compare(0, names.base.size(), Folded(names.base)) == 0) ||
          stem == Folded(names.name))
        texts.push_back(&s);
      else if (onlyModel)
        s.findings.Warning(0, "the module never opens this text file: " + model.path.filename().u8string() +
                                  " looks for " + Narrow(names.base) + "<language code>.DAT");
    }
    return texts;
  }

  void CheckModel(Source& m) {
    const ModuleNames names = SplitModulePath(m.id);
    std::vector<Source*> texts = TextFilesOf(m, names);
    const std::u16string english = Folded(names.base + u"EN");
    if (std::none_of(sources_.begin(), sources_.end(), [&](const Source& t) {
          return t.role == Role::Text && Folded(t.path.stem().u16string()) == english;
        }))
      m.findings.Warning(0, "no text file " + Narrow(names.base) +
                                "EN.DAT: users whose language has no text file see the built-in English texts");
    // One run of the module's start-up per text file; the model file's own findings come from the first.
    if (texts.empty()) texts.push_back(nullptr);
    for (size_t i = 0; i < texts.size(); ++i) {
      Recorder recorder;
      ProfileFile model(storage_), text(storage_);
      model.SetFile(m.id, false);
      text.SetFile(texts[i] != nullptr ? texts[i]->id : u"", false);
      ModelFeatures features;
      features.Load(model, text, &recorder);
      if (texts[i] != nullptr) FileKeys(*texts[i], recorder.Of(text)).Check(false);
      if (texts[i] != nullptr) CheckMacros(*texts[i]);
      if (i != 0) continue;
      FileKeys keys(m, recorder.Of(model));
      keys.Check(true);
      ModelRules(m, model, keys, recorder, features);
    }
  }

  void ModelRules(Source& m, const ProfileFile& model, const FileKeys& keys, const Recorder& recorder,
                  const ModelFeatures& f) {
    const auto keyOf = [&](const void* field) {
      for (const KeyRecord& r : recorder.reads)
        if (r.field == field) return Narrow(r.key);
      return std::string();
    };
    const auto lineOf = [&](const void* field) -> size_t {
      const IniDocument::Entry* e = keys.LineOf(field);
      return e != nullptr ? e->line : 0;
    };

    if (f.ShowDevmodeChanges != 0)
      m.findings.Warning(lineOf(&f.ShowDevmodeChanges),
                         "ShowDevmodeChanges=" + Number(f.ShowDevmodeChanges) +
                             ": the module writes every missing key into the package's files and reports every "
                             "change on apply; set 0 before shipping");

    // Switches the module turns off again after reading them, because another key wins.
    for (const KeyRecord& r : recorder.reads) {
      if (r.kind != KeyKind::Switch || r.file != &model || r.asRead == 0 || *static_cast<const int32_t*>(r.field) != 0)
        continue;
      const KeyRecord* winner = OverriddenBy(m, model, recorder, r);
      m.findings.Warning(lineOf(r.field), Narrow(r.key) + "=1 has no effect: the module turns it off" +
                                              (winner == nullptr ? std::string(" for this model")
                                                                 : " while " + Narrow(winner->key) + " is on (line " +
                                                                       Number(lineOf(winner->field)) + ")"));
    }

    const std::pair<const int32_t*, const int32_t*> limits[] = {
        {&f.MinPaperW, &f.MaxPaperW}, {&f.MinPaperH, &f.MaxPaperH}, {&f.ExtrasMinPassLen, &f.ExtrasMaxPassLen}};
    for (const auto& [low, high] : limits) {
      if (*low <= *high) continue;
      const size_t lowLine = lineOf(low), highLine = lineOf(high);
      m.findings.Error(lowLine != 0 ? lowLine : highLine,
                       keyOf(low) + " (" + Number(*low) + ") is above " + keyOf(high) + " (" + Number(*high) +
                           (highLine != 0 ? ", line " + Number(highLine) : std::string(", its default")) +
                           "): no value lies between them");
    }

    if (f.BorderPapers.size() != f.BorderlessPapers.size()) {
      const bool borderLonger = f.BorderPapers.size() > f.BorderlessPapers.size();
      const IntList& longer = borderLonger ? f.BorderPapers : f.BorderlessPapers;
      const IntList& shorter = borderLonger ? f.BorderlessPapers : f.BorderPapers;
      const void* longField = borderLonger ? static_cast<const void*>(&f.BorderPapers) : &f.BorderlessPapers;
      const void* shortField = borderLonger ? static_cast<const void*>(&f.BorderlessPapers) : &f.BorderPapers;
      m.findings.Error(lineOf(longField), keyOf(longField) + " has " + Number(static_cast<int64_t>(longer.size())) +
                                              " entries, " + keyOf(shortField) + " " +
                                              Number(static_cast<int64_t>(shorter.size())) +
                                              ": the two lists pair up by position, so paper " +
                                              Number(longer[shorter.size()]) + " has no counterpart");
    }

    for (const Printer& printer : printers_) PapersOffered(m, recorder, printer, lineOf);
    DoubleSided(m, f, lineOf);
  }

  // The switch that, read as off, lets the module keep the overridden one on: the module's own
  // start-up, run again over the model file with that one switch changed, tells.
  const KeyRecord* OverriddenBy(const Source& m, const ProfileFile& model, const Recorder& recorder,
                                const KeyRecord& overridden) {
    for (const KeyRecord& r : recorder.reads) {
      if (r.kind != KeyKind::Switch || r.file != &model || r.asRead == 0 || &r == &overridden) continue;
      IniDocument changed = m.document;
      changed.Set(r.section, r.key, u"0");
      const std::u16string text = changed.Serialize();
      PackageStorage scratch;
      scratch.Add(m.id, text);
      ProfileFile changedModel(scratch), noText(scratch);
      changedModel.SetFile(m.id, false);
      Recorder again;
      ModelFeatures features;
      features.Load(changedModel, noText, &again);
      for (const KeyRecord& k : again.reads)
        if (k.key == overridden.key && k.section == overridden.section && *static_cast<const int32_t*>(k.field) != 0)
          return &r;
    }
    return nullptr;
  }

  template <typename LineOf>
  void PapersOffered(Source& m, const Recorder& recorder, const Printer& printer, const LineOf& lineOf) {
    std::unordered_set<int32_t> offered;
    std::string names;
    for (const PpdPaper& p : printer.papers.offered) {
      offered.insert(p.id);
      if (offered.size() <= 12) names += (names.empty() ? "" : ", ") + Number(p.id) + " " + p.name;
    }
    if (offered.size() > 12) names += ", ...";
    for (const KeyRecord& r : recorder.reads) {
      if (r.kind != KeyKind::PaperList) continue;
      std::string missing;
      size_t count = 0;
      for (int32_t paper : *static_cast<const IntList*>(r.field)) {
        if (offered.count(paper) != 0) continue;
        missing += (missing.empty() ? "" : ", ") + Number(paper);
        ++count;
      }
      if (count != 0)
        m.findings.Error(lineOf(r.field), Narrow(r.key) + (count == 1 ? ": paper " : ": papers ") + missing +
                                              (count == 1 ? " is" : " are") + " not among the papers of " +
                                              printer.source->path.filename().u8string() + " (" + names + ")");
    }
  }

  // Double-sided printing, and with it booklets, needs a paper the module lets go on both
  // sides: the module's own rule decides, for every paper the printer offers, with a duplex
  // unit installed and the first double-sided media chosen.
  template <typename LineOf>
  void DoubleSided(Source& m, const ModelFeatures& f, const LineOf& lineOf) {
    if (f.LayoutBooklet == 0 && f.LayoutDoubleSided == 0) return;
    std::vector<int32_t> papers;
    for (const Printer& printer : printers_)
      for (const PpdPaper& p : printer.papers.offered) papers.push_back(p.id);
    if (printers_.empty()) papers = f.DoubleSidedPapers;
    DriverDevMode record{};
    record.dmPrivate.iDuplexUnit = 1;
    record.dmPrivate.iPaperType = static_cast<int16_t>(f.DoubleSidedMedias.empty() ? 0 : f.DoubleSidedMedias.front());
    const bool possible = std::any_of(papers.begin(), papers.end(), [&](int32_t paper) {
      record.dmPublic.dmPaperSize = static_cast<int16_t>(paper);
      return !IsDuplexBlocked(record, f);
    });
    if (possible) return;
    const std::string why = std::string("no paper can be printed on both sides (DoubleSidedPapers names none") +
                            (f.DoubleSidedPapers.empty() ? ")" : " the printer offers)");
    if (f.LayoutBooklet != 0)
      m.findings.Error(lineOf(&f.LayoutBooklet),
                       "LayoutBooklet=1, but " + why + ", so the Layout page never offers Booklet Printing");
    if (f.LayoutDoubleSided != 0)
      m.findings.Error(lineOf(&f.LayoutDoubleSided),
                       "LayoutDoubleSided=1, but " + why + ", so double-sided printing stays greyed out");
  }

  // Macros in the text file's values: each must be one the module replaces, and the version
  // file must hold its value.
  void CheckMacros(Source& t) {
    const Source* version = nullptr;
    for (const Source& s : sources_)
      if (s.role == Role::Version && s.usable) version = version == nullptr ? &s : nullptr;
    std::vector<std::u16string> macros;
    for (const TextMacro& m : kTextMacros) macros.push_back(std::u16string(m.macro + 1));
    for (const TextMacro& m : kVersionBlockMacros) macros.push_back(std::u16string(m.macro + 1));
    for (const IniDocument::Entry& e : t.entries) {
      if (e.header) continue;
      for (size_t at = e.value.find(u'$'); at != std::u16string_view::npos; at = e.value.find(u'$', at + 1)) {
        size_t end = at + 1;
        while (end < e.value.size() && (IsLetter(e.value[end]) || IsDigit(e.value[end]) || e.value[end] == u'_')) ++end;
        const std::u16string_view name = e.value.substr(at + 1, end - at - 1);
        if (name.empty() || !IsLetter(name.front())) continue;
        const auto known = std::find(macros.begin(), macros.end(), name);
        if (known == macros.end()) {
          if (!t.findings.Room()) continue;
          if (const auto guess = Nearest(name, macros))
            t.findings.Error(e.line, "$" + Shown(name) + ": unknown macro; did you mean $" + Narrow(*guess) + "?");
          continue;
        }
        const size_t index = static_cast<size_t>(known - macros.begin());
        if (version == nullptr || index >= std::size(kTextMacros)) continue;
        if (!version->document.Find(u"Version", kTextMacros[index].key))
          t.findings.Warning(e.line, "$" + Narrow(name) + ": " + version->path.filename().u8string() + " has no " +
                                         Narrow(kTextMacros[index].key) + ", so the macro comes out empty");
      }
    }
  }

  void CheckVersion(Source& v) {
    ProfileFile file(storage_);
    file.SetFile(v.id, false);
    file.SetSection(u"Version");
    std::vector<KeyRecord> records;
    for (const TextMacro& m : kTextMacros)
      records.push_back(KeyRecord{&file, u"Version", m.key, KeyKind::Text, NoDefault, m.key, 0});
    std::vector<const KeyRecord*> known;
    for (const KeyRecord& r : records) known.push_back(&r);
    FileKeys(v, known).Check(true);
  }

  fs::path folder_;
  std::ostream& out_;
  std::vector<Source> sources_;
  std::vector<Printer> printers_;
  PackageStorage storage_;
};

}  // namespace

int CheckPackage(const fs::path& folder, std::ostream& out) {
  // A folder that changes under the check, or memory that runs out, ends it with a line, not
  // a crash.
  try {
    return Package(folder, out).Check();
  } catch (const std::exception& e) {
    out << folder.u8string() << ": error: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace qxge::check
