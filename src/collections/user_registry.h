// One key of this module's per-user data, opened for one operation. Collections keep their
// items side by side in one key by appending the item's index to every value name.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/registry_key.h"

namespace qxge {

class UserRegistry {
 public:
  // collection: a subkey of TSF, or null for TSF itself. index < 0: no suffix.
  UserRegistry(const wchar_t* collection, int index, bool create);

  bool IsOpen() const { return key_.IsOpen(); }
  // bytes: the buffer's capacity in bytes; the buffer must hold one unit more for the terminator.
  bool GetString(const wchar_t* name, wchar_t* buffer, DWORD bytes) const;
  // A text of at most maxChars; a longer one reads as missing (false, text empty).
  bool GetText(const wchar_t* name, size_t maxChars, std::u16string& text) const;
  int32_t GetInt(const wchar_t* name) const;
  bool GetRecord(const wchar_t* name, uint8_t* record) const;
  void PutString(const wchar_t* name, const std::wstring& text) const;
  void PutInt(const wchar_t* name, int32_t value) const;
  void PutRecord(const wchar_t* name, const uint8_t* record) const;
  // When anything of the key last changed, in the system's file-time units; 0 without the key.
  uint64_t LastWritten() const;

  static void DeleteCollection(const wchar_t* collection);

 private:
  std::wstring ValueName(const wchar_t* name) const { return name + suffix_; }

  platform::RegistryKey key_;
  std::wstring suffix_;
};

}  // namespace qxge
