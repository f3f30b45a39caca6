// Profile files held in memory, so that tests see exactly the text the module would leave on
// disk and can play another program editing a file or a file that refuses writes.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "config/profile_file.h"

namespace qxge {

class MemoryProfileStorage : public ProfileStorage {
 public:
  // Another program writes the file: its stamp changes as a real file's would.
  void Put(const std::u16string& path, std::u16string text, int encoding = 0) {
    files_[path] = File{std::move(text), encoding, ++clock_};
  }
  std::u16string Text(const std::u16string& path) const {
    const auto it = files_.find(path);
    return it == files_.end() ? std::u16string() : it->second.text;
  }
  bool Exists(const std::u16string& path) const { return files_.count(path) != 0; }
  void SetReadOnly(const std::u16string& path) { readOnly_.insert(path); }

  int saves = 0;          // successful saves
  int refusedSaves = 0;
  int lastSaveEncoding = -2;

  Stamp StampOf(const std::u16string& path) override {
    Stamp stamp;
    const auto it = files_.find(path);
    if (it == files_.end()) return stamp;
    stamp.exists = true;
    stamp.size = it->second.text.size();
    stamp.writeTime = it->second.time;
    return stamp;
  }
  bool Load(const std::u16string& path, std::u16string& text, int& encoding) override {
    const auto it = files_.find(path);
    if (it == files_.end()) return false;
    text = it->second.text;
    encoding = it->second.encoding;
    return true;
  }
  bool Save(const std::u16string& path, std::u16string_view text, int encoding) override {
    if (readOnly_.count(path) != 0) {
      ++refusedSaves;
      return false;
    }
    ++saves;
    lastSaveEncoding = encoding;
    files_[path] = File{std::u16string(text), encoding < 0 ? 1 : encoding, ++clock_};
    return true;
  }
  void ClearReadOnly(const std::u16string& path) override { readOnly_.erase(path); }

 private:
  struct File {
    std::u16string text;
    int encoding;
    uint64_t time;
  };
  std::map<std::u16string, File> files_;
  std::set<std::u16string> readOnly_;
  uint64_t clock_ = 0;
};

}  // namespace qxge
