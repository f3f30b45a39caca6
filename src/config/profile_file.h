// One INI-format file with a current section and typed reads that fill the file with their
// defaults while write-back is on, so a model's files complete themselves in development.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/ini_document.h"

namespace qxge {

// Where the bytes of a profile file live. The Win32 implementation reads and writes real
// files; tests use one in memory.
class ProfileStorage {
 public:
  struct Stamp {
    bool exists = false;
    uint64_t size = 0;
    uint64_t writeTime = 0;
    bool operator==(const Stamp& o) const { return exists == o.exists && size == o.size && writeTime == o.writeTime; }
  };
  virtual ~ProfileStorage() = default;
  virtual Stamp StampOf(const std::u16string& path) = 0;
  // Fills text with the decoded file; encoding is an opaque tag that Save gets back.
  virtual bool Load(const std::u16string& path, std::u16string& text, int& encoding) = 0;
  // encoding -1: a new file, written as the storage sees fit.
  virtual bool Save(const std::u16string& path, std::u16string_view text, int encoding) = 0;
  virtual void ClearReadOnly(const std::u16string& path) = 0;
};

// How profile files are kept on disk: a byte-order mark names the encoding, else the text is
// in the ANSI code page.
enum ProfileEncoding { kAnsi = 0, kUtf16Le = 1, kUtf8 = 2, kUtf16Be = 3 };

// A profile file larger than this is damaged or not a profile file; only its start is read.
constexpr size_t kMaxProfileBytes = 8u << 20;

// The encoding the start of a file announces; markBytes is the length of its byte-order mark.
ProfileEncoding SniffEncoding(std::string_view bytes, size_t& markBytes);
// An odd last byte is dropped.
std::u16string FromUtf16(std::string_view bytes, bool bigEndian);

// The integer default that means "no default": a missing key reads as 0 and nothing is written.
constexpr int32_t NoDefault = 0x12345678;

class ProfileFile {
 public:
  static constexpr size_t kPathChars = 260;
  static constexpr size_t kSectionChars = 260;

  explicit ProfileFile(ProfileStorage& storage);

  void SetFile(std::u16string_view path, bool clearReadOnly);
  const std::u16string& Path() const { return path_; }

  // The switch is read at every write, so it can point at a value loaded after this file is set.
  void SetWriteBack(const int32_t* writeBack) { writeBack_ = writeBack; }
  // The version file whose values expanded reads put in place of the text macros.
  void SetMacroSource(ProfileFile* versionFile) { macroSource_ = versionFile; }

  // No name or the empty name selects "Common".
  void SetSection(std::u16string_view section);
  const std::u16string& Section() const { return section_; }

  // Copies at most capacity - 1 characters and a terminator into buffer (capacity > 0).
  // A missing or empty key with a default gives the default and writes it back.
  size_t ReadString(std::u16string_view key, char16_t* buffer, size_t capacity, const char16_t* defaultText);
  // 256 characters at most; with no default the key itself is the default. With expand set,
  // the version text macros are replaced from the macro source, when one is set.
  std::u16string ReadText(std::u16string_view key, const char16_t* defaultText = nullptr, bool expand = false);
  int32_t ReadInt(std::u16string_view key, int32_t defaultValue);

  // Lookups made so far, for the benchmark's count of text-file reads per sheet.
  size_t Reads() const { return reads_; }

  bool WriteString(std::u16string_view key, std::u16string_view value);
  bool WriteInt(std::u16string_view key, int32_t value);

 private:
  std::u16string_view EffectiveSection() const;
  void Refresh();

  ProfileStorage& storage_;
  std::u16string path_;
  std::u16string section_;
  const int32_t* writeBack_ = nullptr;
  ProfileFile* macroSource_ = nullptr;

  IniDocument document_;
  ProfileStorage::Stamp stamp_;
  int encoding_ = -1;
  bool loaded_ = false;
  size_t reads_ = 0;
};

// Reads of another section in the middle of a page's work: the page's section comes back after.
class SectionScope {
 public:
  SectionScope(ProfileFile& file, std::u16string_view section) : file_(file), saved_(file.Section()) {
    file_.SetSection(section);
  }
  ~SectionScope() { file_.SetSection(saved_); }
  SectionScope(const SectionScope&) = delete;
  SectionScope& operator=(const SectionScope&) = delete;

 private:
  ProfileFile& file_;
  std::u16string saved_;
};

}  // namespace qxge
