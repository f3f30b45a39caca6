// Every value the module takes from a model file goes through a KeyReader. A watcher, when one
// is given, sees each key as it is read, with its kind and default: the package checker learns
// what the module reads by running the module's own loading code, so a key is known to it the
// day the module starts reading it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qxge {

class ProfileFile;

using IntList = std::vector<int32_t>;

enum class KeyKind {
  Switch,     // 0 or 1; any non-zero value counts as 1
  Number,     // an integer in any form ReadInt accepts
  List,       // decimal integers separated by ';', ',' or blanks
  PaperList,  // a List of Windows paper numbers
  Text,
};

class KeyWatcher {
 public:
  virtual ~KeyWatcher() = default;
  // Called after the read, with field already holding what the module made of the value:
  // an int32_t for switches and numbers, an IntList for lists, a std::u16string for texts.
  // defaultValue is NoDefault when the key has none.
  virtual void Read(const ProfileFile& file, std::u16string_view key, KeyKind kind, int32_t defaultValue,
                    const void* field) = 0;
};

class KeyReader {
 public:
  // Lists are cut here: a damaged file must not drive a huge allocation.
  static constexpr size_t kMaxListEntries = 256;
  // The longest list value read, in characters.
  static constexpr size_t kMaxListChars = 511;

  KeyReader(ProfileFile& file, KeyWatcher* watcher) : file_(file), watcher_(watcher) {}

  void Switch(int32_t& field, const char16_t* key, int32_t defaultValue);
  void Number(int32_t& field, const char16_t* key, int32_t defaultValue);
  void List(IntList& field, const char16_t* key) { ReadList(field, key, KeyKind::List); }
  void Papers(IntList& field, const char16_t* key) { ReadList(field, key, KeyKind::PaperList); }
  // No default, and nothing is ever written back.
  void Text(std::u16string& field, const char16_t* key);

 private:
  void ReadList(IntList& field, const char16_t* key, KeyKind kind);
  void Tell(const char16_t* key, KeyKind kind, int32_t defaultValue, const void* field) {
    if (watcher_ != nullptr) watcher_->Read(file_, key, kind, defaultValue, field);
  }

  ProfileFile& file_;
  KeyWatcher* watcher_;
};

}  // namespace qxge
