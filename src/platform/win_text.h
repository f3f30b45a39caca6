// UTF-16 between the portable core (char16_t) and Win32 (wchar_t, also 16 bits here).
#pragma once

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 text is UTF-16");

namespace platform {

inline const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline const wchar_t* W(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }
inline wchar_t* W(char16_t* s) { return reinterpret_cast<wchar_t*>(s); }
inline const char16_t* U(const wchar_t* s) { return reinterpret_cast<const char16_t*>(s); }
inline char16_t* U(wchar_t* s) { return reinterpret_cast<char16_t*>(s); }
inline std::u16string_view U(std::wstring_view s) { return {U(s.data()), s.size()}; }
inline std::wstring_view W(std::u16string_view s) { return {W(s.data()), s.size()}; }

// Copies at most capacity - 1 units and always terminates (capacity > 0).
inline size_t CopyTerminated(std::u16string_view text, wchar_t* buffer, size_t capacity) {
  const size_t n = text.size() < capacity ? text.size() : capacity - 1;
  text.copy(U(buffer), n);
  buffer[n] = L'\0';
  return n;
}

}  // namespace platform
