// Profile files on disk, in the encodings the Windows profile functions accept.
#pragma once

#include "config/profile_file.h"

namespace qxge {

class Win32ProfileStorage : public ProfileStorage {
 public:
  Stamp StampOf(const std::u16string& path) override;
  bool Load(const std::u16string& path, std::u16string& text, int& encoding) override;
  bool Save(const std::u16string& path, std::u16string_view text, int encoding) override;
  void ClearReadOnly(const std::u16string& path) override;
};

}  // namespace qxge
