#include "collections/user_registry.h"

#include <cstring>
#include <cwchar>
#include <vector>

#include "app/driver_ui_app.h"
#include "app/host_blocks.h"
#include "config/profile_values.h"
#include "platform/win_text.h"

namespace qxge {
namespace {

std::wstring KeyPath(const wchar_t* collection) {
  std::wstring path = App().UserKeyPath() + L"\\" + kUserSettingsKey;
  if (collection != nullptr) path += L"\\" + std::wstring(collection);
  return path;
}

}  // namespace

UserRegistry::UserRegistry(const wchar_t* collection, int index, bool create) {
  const std::wstring path = KeyPath(collection);
  if (create)
    key_.Create(HKEY_CURRENT_USER, path.c_str(), KEY_ALL_ACCESS);
  else
    key_.Open(HKEY_CURRENT_USER, path.c_str(), KEY_READ);
  if (index >= 0) suffix_ = std::to_wstring(index);
}

bool UserRegistry::GetString(const wchar_t* name, wchar_t* buffer, DWORD bytes) const {
  DWORD size = 0;
  if (!key_.Query(ValueName(name).c_str(), buffer, bytes, size)) {
    buffer[0] = L'\0';
    return false;
  }
  buffer[size / sizeof(wchar_t)] = L'\0';
  return true;
}

bool UserRegistry::GetText(const wchar_t* name, size_t maxChars, std::u16string& text) const {
  text.clear();
  std::vector<wchar_t> buffer(maxChars + 2);
  if (!GetString(name, buffer.data(), static_cast<DWORD>((maxChars + 1) * sizeof(wchar_t)))) return false;
  // A value written without its terminator may fill the capacity: that is one unit too many.
  const size_t length = wcslen(buffer.data());
  if (length > maxChars) return false;
  text.assign(platform::U(buffer.data()), length);
  return true;
}

int32_t UserRegistry::GetInt(const wchar_t* name) const {
  wchar_t text[257];
  GetString(name, text, 256 * sizeof(wchar_t));
  return ParseDecimalInt(platform::U(text));
}

bool UserRegistry::GetRecord(const wchar_t* name, uint8_t* record) const {
  if (!key_.IsOpen()) return false;
  DWORD size = 0;
  if (key_.Query(ValueName(name).c_str(), record, kDriverDevModeBytes, size)) return true;
  std::memset(record, 0, kDriverDevModeBytes);
  return false;
}

void UserRegistry::PutString(const wchar_t* name, const std::wstring& text) const {
  key_.SetString(ValueName(name).c_str(), text);
}

void UserRegistry::PutInt(const wchar_t* name, int32_t value) const { PutString(name, std::to_wstring(value)); }

void UserRegistry::PutRecord(const wchar_t* name, const uint8_t* record) const {
  key_.Set(ValueName(name).c_str(), REG_BINARY, record, kDriverDevModeBytes);
}

uint64_t UserRegistry::LastWritten() const {
  FILETIME written{};
  if (!key_.IsOpen() || RegQueryInfoKeyW(key_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS)
    return 0;
  return uint64_t{written.dwHighDateTime} << 32 | written.dwLowDateTime;
}

void UserRegistry::DeleteCollection(const wchar_t* collection) {
  RegDeleteTreeW(HKEY_CURRENT_USER, KeyPath(collection).c_str());
}

}  // namespace qxge
