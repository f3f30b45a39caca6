#include "platform/registry_key.h"

namespace platform {

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = other.key_;
    other.key_ = nullptr;
  }
  return *this;
}

bool RegistryKey::Open(HKEY root, const wchar_t* path, REGSAM access) {
  Close();
  return RegOpenKeyExW(root, path, 0, access, &key_) == ERROR_SUCCESS || (key_ = nullptr, false);
}

bool RegistryKey::Create(HKEY root, const wchar_t* path, REGSAM access) {
  Close();
  return RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key_, nullptr) ==
             ERROR_SUCCESS ||
         (key_ = nullptr, false);
}

void RegistryKey::Close() {
  if (key_ != nullptr) RegCloseKey(key_);
  key_ = nullptr;
}

bool RegistryKey::Query(const wchar_t* name, void* buffer, DWORD capacity, DWORD& size) const {
  size = capacity;
  if (key_ == nullptr) return false;
  return RegQueryValueExW(key_, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
}

bool RegistryKey::QueryDword(const wchar_t* name, DWORD& value) const {
  DWORD type = 0, read = 0, size = sizeof read;
  if (key_ == nullptr ||
      RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof read)
    return false;
  value = read;
  return true;
}

bool RegistryKey::Set(const wchar_t* name, DWORD type, const void* data, DWORD size) const {
  if (key_ == nullptr) return false;
  return RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegistryKey::SetString(const wchar_t* name, const std::wstring& text) const {
  return Set(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace platform
