#include <windows.h>

#include <cwchar>
#include <vector>

#include "config/version_macros.h"
#include "platform/win_text.h"

namespace qxge {

using platform::U;
using platform::W;

std::u16string ModuleVersionString(const std::u16string& path, std::u16string_view name) {
  // A version block is a few kilobytes; anything far larger is not one we wrote.
  constexpr DWORD kMaxBlockBytes = 1 << 20;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(W(path), &ignored);
  if (size == 0 || size > kMaxBlockBytes) return {};
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(W(path), 0, size, block.data())) return {};
  const std::u16string query = u"\\StringFileInfo\\040904B0\\" + std::u16string(name);
  void* value = nullptr;
  UINT chars = 0;
  if (!VerQueryValueW(block.data(), W(query), &value, &chars) || value == nullptr) return {};
  const wchar_t* text = static_cast<const wchar_t*>(value);
  return std::u16string(U(text), wcsnlen(text, chars));
}

}  // namespace qxge
