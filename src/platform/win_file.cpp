#include "platform/win_file.h"

namespace platform {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE Get() const { return h_; }
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

// Reads up to want bytes from the file's start; bytes holds what was read.
bool ReadFrom(const FileHandle& file, std::string& bytes, size_t want) {
  bytes.resize(want);
  size_t done = 0;
  while (done < want) {
    DWORD got = 0;
    const DWORD chunk = static_cast<DWORD>(want - done < 1u << 20 ? want - done : 1u << 20);
    if (!ReadFile(file.Get(), &bytes[done], chunk, &got, nullptr)) return false;
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return true;
}

int64_t FileSize(const FileHandle& file) {
  LARGE_INTEGER size;
  return GetFileSizeEx(file.Get(), &size) ? size.QuadPart : -1;
}

}  // namespace

bool ReadWholeFile(const wchar_t* path, std::string& bytes, size_t maxBytes) {
  bytes.clear();
  FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  const int64_t size = FileSize(file);
  if (size < 0) return false;
  return ReadFrom(file, bytes, static_cast<uint64_t>(size) < maxBytes ? static_cast<size_t>(size) : maxBytes);
}

bool ReadFileAlone(const wchar_t* path, std::string& bytes, size_t maxBytes) {
  bytes.clear();
  FileHandle file(CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  const int64_t size = FileSize(file);
  if (size <= 0 || static_cast<uint64_t>(size) > maxBytes) return false;
  return ReadFrom(file, bytes, static_cast<size_t>(size)) && bytes.size() == static_cast<size_t>(size);
}

bool WriteWholeFile(const wchar_t* path, const void* data, size_t size) {
  // Windows refuses to open a read-only file for writing; Wine running as root would not, so
  // the attribute is honoured here to behave the same everywhere.
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
  FileHandle file(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    DWORD put = 0;
    const DWORD chunk = static_cast<DWORD>(size < 1u << 20 ? size : 1u << 20);
    if (!WriteFile(file.Get(), p, chunk, &put, nullptr) || put == 0) return false;
    p += put;
    size -= put;
  }
  return true;
}

bool FileExists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

bool FileStamp(const wchar_t* path, uint64_t& size, uint64_t& writeTime) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return false;
  size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  writeTime = (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
  return true;
}

void ClearReadOnlyAttribute(const wchar_t* path) {
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

std::wstring ModulePath(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace platform
