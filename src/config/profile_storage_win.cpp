#include "config/profile_storage_win.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/win_file.h"
#include "platform/win_text.h"

namespace qxge {
namespace {

using platform::W;

std::u16string Decode(const char* data, size_t size, UINT codePage) {
  if (size == 0) return {};
  const int n = MultiByteToWideChar(codePage, 0, data, static_cast<int>(size), nullptr, 0);
  if (n <= 0) return {};
  std::u16string text(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(codePage, 0, data, static_cast<int>(size), W(&text[0]), n);
  return text;
}

std::string Encode(std::u16string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, W(text.data()), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, W(text.data()), static_cast<int>(text.size()), &bytes[0], n, nullptr, nullptr);
  return bytes;
}

}  // namespace

ProfileStorage::Stamp Win32ProfileStorage::StampOf(const std::u16string& path) {
  Stamp stamp;
  stamp.exists = !path.empty() && platform::FileStamp(W(path), stamp.size, stamp.writeTime);
  return stamp;
}

bool Win32ProfileStorage::Load(const std::u16string& path, std::u16string& text, int& encoding) {
  std::string bytes;
  if (path.empty() || !platform::ReadWholeFile(W(path), bytes, kMaxProfileBytes)) return false;
  size_t mark = 0;
  encoding = SniffEncoding(bytes, mark);
  const std::string_view body = std::string_view(bytes).substr(mark);
  switch (encoding) {
    case kUtf16Le: text = FromUtf16(body, false); break;
    case kUtf16Be: text = FromUtf16(body, true); break;
    case kUtf8: text = Decode(body.data(), body.size(), CP_UTF8); break;
    default: text = Decode(body.data(), body.size(), CP_ACP); break;
  }
  return true;
}

bool Win32ProfileStorage::Save(const std::u16string& path, std::u16string_view text, int encoding) {
  std::string bytes;
  switch (encoding) {
    case kAnsi: bytes = Encode(text, CP_ACP); break;
    case kUtf8: bytes = "\xEF\xBB\xBF" + Encode(text, CP_UTF8); break;
    case kUtf16Be:
      bytes = "\xFE\xFF";
      for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c >> 8));
        bytes.push_back(static_cast<char>(c & 0xFF));
      }
      break;
    default:  // an existing UTF-16 file, or a new one: UTF-16 keeps every translation intact
      bytes = "\xFF\xFE";
      bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
      break;
  }
  return platform::WriteWholeFile(W(path), bytes.data(), bytes.size());
}

void Win32ProfileStorage::ClearReadOnly(const std::u16string& path) {
  if (!path.empty()) platform::ClearReadOnlyAttribute(W(path));
}

}  // namespace qxge
