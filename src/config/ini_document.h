// An INI-format text held in memory, read and edited the way the Windows private-profile
// functions read and edit a file: case-insensitive section and key names, first match wins,
// values without surrounding blanks or a matching pair of quotes. Edits keep every other line
// of the text as it was, so a translator's comments and layout survive write-back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qxge {

class IniDocument {
 public:
  void Parse(std::u16string_view text);
  void Clear();

  // The value of key in the first section named section, or nothing when either is missing.
  std::optional<std::u16string_view> Find(std::u16string_view section, std::u16string_view key) const;

  // Replaces the value of an existing key, adds the key at the end of its section, or adds the
  // section at the end of the text. False when the text already said exactly that.
  bool Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  std::u16string Serialize() const;

  // Section headers and keys as the reader sees them, in the order of the text. A key above
  // the first header belongs to no section: nothing ever finds it.
  struct Entry {
    size_t line;  // counted from 1
    bool header;
    bool inSection;
    std::u16string_view section, key, value;
  };
  std::vector<Entry> Entries() const;

 private:
  struct Section {
    size_t lastLine;  // last non-blank line of the section, where new keys go after
    std::unordered_map<std::u16string, size_t> keys;  // folded name -> line of first match
  };

  void Index();
  const Section* FindSection(std::u16string_view section) const;

  std::vector<std::u16string> lines_;
  std::vector<Section> sections_;
  std::unordered_map<std::u16string, size_t> sectionIndex_;  // folded name -> first section
};

}  // namespace qxge
