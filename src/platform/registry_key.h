// An owned registry key: closed when the owner goes; movable, not copyable.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace platform {

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() { Close(); }
  RegistryKey(RegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  bool Open(HKEY root, const wchar_t* path, REGSAM access);
  bool Create(HKEY root, const wchar_t* path, REGSAM access);
  void Close();
  bool IsOpen() const { return key_ != nullptr; }
  HKEY Get() const { return key_; }

  // Reads a value of any type into buffer of capacity bytes; size receives the bytes read.
  bool Query(const wchar_t* name, void* buffer, DWORD capacity, DWORD& size) const;
  // A REG_DWORD of exactly four bytes; any other value counts as missing.
  bool QueryDword(const wchar_t* name, DWORD& value) const;
  bool Set(const wchar_t* name, DWORD type, const void* data, DWORD size) const;
  bool SetDword(const wchar_t* name, DWORD value) const { return Set(name, REG_DWORD, &value, sizeof value); }
  // REG_SZ with its terminating zero.
  bool SetString(const wchar_t* name, const std::wstring& text) const;

 private:
  HKEY key_ = nullptr;
};

}  // namespace platform
