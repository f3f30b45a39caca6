// A second program for the tests: asks the printing system for a printer's settings, as any
// program does before it prints, and writes the bytes it got to a file.
// Usage: qxtest_settings PRINTER FILE
#include <windows.h>
#include <winspool.h>

#include <vector>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(argv[1], &printer, nullptr)) return 1;
  const LONG size = DocumentPropertiesW(nullptr, printer, argv[1], nullptr, nullptr, 0);
  std::vector<BYTE> settings(size > 0 ? static_cast<size_t>(size) : 0);
  const bool got = size > 0 && DocumentPropertiesW(nullptr, printer, argv[1], reinterpret_cast<DEVMODEW*>(settings.data()),
                                                   nullptr, DM_OUT_BUFFER) == IDOK;
  ClosePrinter(printer);
  if (!got) return 1;
  const HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, settings.data(), static_cast<DWORD>(settings.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == settings.size() ? 0 : 1;
}
