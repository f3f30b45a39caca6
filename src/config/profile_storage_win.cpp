#include "config/profile_storage_win.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/win_file.h"
#include "platform/win_text.h"

namespace qxge {
namespace {

using platform::W;

enum Encoding { kAnsi = 0, kUtf16Le = 1, kUtf8 = 2, kUtf16Be = 3 };

// A profile file larger than this is damaged or not a profile file; only its start is read.
constexpr size_t kMaxProfileBytes = 8u << 20;

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

std::u16string FromUtf16(const char* data, size_t size, bool bigEndian) {
  std::u16string text(size / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto lo = static_cast<unsigned char>(data[2 * i + (bigEndian ? 1 : 0)]);
    const auto hi = static_cast<unsigned char>(data[2 * i + (bigEndian ? 0 : 1)]);
    text[i] = static_cast<char16_t>(lo | hi << 8);
  }
  return text;
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
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  if (bytes.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
    encoding = kUtf16Le;
    text = FromUtf16(bytes.data() + 2, bytes.size() - 2, false);
  } else if (bytes.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
    encoding = kUtf16Be;
    text = FromUtf16(bytes.data() + 2, bytes.size() - 2, true);
  } else if (bytes.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    encoding = kUtf8;
    text = Decode(bytes.data() + 3, bytes.size() - 3, CP_UTF8);
  } else {
    encoding = kAnsi;
    text = Decode(bytes.data(), bytes.size(), CP_ACP);
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
