// Whole-file reads and writes and the file facts a cache needs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace platform {

// Reads at most maxBytes from the start of the file.
bool ReadWholeFile(const wchar_t* path, std::string& bytes, size_t maxBytes);
// Reads the whole file while nobody else has it open; false when it is empty, larger than
// maxBytes or not read to its end.
bool ReadFileAlone(const wchar_t* path, std::string& bytes, size_t maxBytes);
bool WriteWholeFile(const wchar_t* path, const void* data, size_t size);
bool FileExists(const wchar_t* path);
// False when the file is missing; otherwise its size and last-write time.
bool FileStamp(const wchar_t* path, uint64_t& size, uint64_t& writeTime);
void ClearReadOnlyAttribute(const wchar_t* path);

// The full path of a loaded module, however long.
std::wstring ModulePath(HMODULE module);

}  // namespace platform
