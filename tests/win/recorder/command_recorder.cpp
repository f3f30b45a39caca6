// Stands in for a web browser or a URL handler: appends the command line it was started with,
// one line in UTF-8, to the file named by QXGE_RECORDER_OUT, and ends.
#include <windows.h>

#include <string>

int wmain() {
  wchar_t out[1024];
  const DWORD n = GetEnvironmentVariableW(L"QXGE_RECORDER_OUT", out, 1024);
  if (n == 0 || n >= 1024) return 1;
  const std::wstring line = std::wstring(GetCommandLineW()) + L"\n";
  std::string utf8(static_cast<size_t>(line.size() * 3), '\0');
  utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                                      &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr)));
  const HANDLE file = CreateFileW(out, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
