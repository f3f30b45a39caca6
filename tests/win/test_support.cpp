#include "test_support.h"

#include <fstream>
#include <iterator>

#include "platform/registry_key.h"

namespace qxtest {

std::wstring SourceDir() { return QXGE_SOURCE_DIR; }
std::wstring BinaryDir() { return QXGE_BINARY_DIR; }
std::wstring BuiltModulePath() { return BinaryDir() + L"\\bin\\QXGEU.DLL"; }

namespace {

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = dir + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

}  // namespace

std::wstring FreshFolder(const std::wstring& name) {
  const std::wstring area = BinaryDir() + L"\\test-area";
  CreateDirectoryW(area.c_str(), nullptr);
  const std::wstring dir = area + L"\\" + name;
  RemoveTree(dir);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

void WriteTextFile(const std::wstring& path, const std::string& utf8) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out << utf8;
}

std::string ReadTextFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    const std::wstring wide(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], n, nullptr, nullptr);
    return utf8;
  }
  return bytes;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void ForgetUser(const std::wstring& moduleBase) {
  RegDeleteTreeW(HKEY_CURRENT_USER, (L"SOFTWARE\\QXPrint\\" + moduleBase).c_str());
}

std::wstring ReadUserString(const std::wstring& moduleBase, const wchar_t* name) {
  platform::RegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, (L"SOFTWARE\\QXPrint\\" + moduleBase).c_str(), KEY_READ)) return L"<no key>";
  wchar_t text[256] = {};
  DWORD bytes = 0;
  if (!key.Query(name, text, sizeof text - sizeof(wchar_t), bytes)) return L"<no value>";
  return text;
}

}  // namespace qxtest

#include "module_package.h"

namespace qxtest {

std::wstring StageModule(const std::wstring& folder, const std::wstring& moduleFile) {
  const std::wstring path = folder + L"\\" + moduleFile;
  CopyFileW(BuiltModulePath().c_str(), path.c_str(), FALSE);
  return path;
}

std::wstring GetText(qxhost::ModulePackage& module, bool fromTextFile, const wchar_t* section, const wchar_t* key) {
  wchar_t buffer[512];
  wmemset(buffer, L'#', 512);
  module.GetText(fromTextFile, section, key, buffer, 512);
  return buffer;
}

}  // namespace qxtest
