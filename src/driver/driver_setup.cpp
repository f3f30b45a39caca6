// qxdrvsetup: registers the printer driver with the printing system and creates a printer
// that uses it, or removes both. Installing again first removes what an earlier install left.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const wchar_t kUsage[] =
    L"usage: qxdrvsetup install NAME PORT CONFIG DATA [FILE...]\n"
    L"       qxdrvsetup remove NAME\n"
    L"  NAME    the printer and its driver, for example \"QX Office 5000\"\n"
    L"  PORT    where jobs go, for example \"|lp -d QX_Office\"\n"
    L"  CONFIG  the configuration module, QXDRVUI.DLL\n"
    L"  DATA    the model's PPD, which the renderer reads\n"
    L"  FILE    the model package's other files: plug-in, model, text and version files\n";

// Wine's PostScript driver renders the jobs, so they reach the spooler as PostScript.
wchar_t kRenderer[] = L"wineps.drv";
wchar_t kDatatype[] = L"RAW";
wchar_t kPrintProcessor[] = L"WinPrint";

void Fail(const wchar_t* what, const std::wstring& name) {
  std::fwprintf(stderr, L"qxdrvsetup: %ls %ls failed (error %lu)\n", what, name.c_str(), GetLastError());
}

// Nothing to remove is no failure: removing is how an install starts.
bool Remove(std::wstring name) {
  HANDLE printer = nullptr;
  bool ok = true;
  if (OpenPrinterW(&name[0], &printer, nullptr)) {
    if (!DeletePrinter(printer)) {
      Fail(L"deleting printer", name);
      ok = false;
    }
    ClosePrinter(printer);
  }
  // Wine answers a driver it does not know as a printer name it does not know.
  if (!DeletePrinterDriverExW(nullptr, nullptr, &name[0], 0, 0) && GetLastError() != ERROR_UNKNOWN_PRINTER_DRIVER &&
      GetLastError() != ERROR_INVALID_PRINTER_NAME) {
    Fail(L"deleting driver", name);
    ok = false;
  }
  return ok;
}

bool Install(std::wstring name, std::wstring port, std::wstring config, std::wstring data,
             const std::vector<std::wstring>& files) {
  // The spooler names jobs "printer, Job N" and paths "\\server\printer": a printer whose name
  // holds a comma or a backslash would take jobs it can never hand on, so none is made.
  if (name.empty() || name.find_first_of(L",\\") != std::wstring::npos) {
    std::fwprintf(stderr, L"qxdrvsetup: \"%ls\" cannot name a printer: it is empty or holds a comma or a backslash\n",
                  name.c_str());
    return false;
  }
  if (!Remove(name)) return false;
  std::wstring dependent;
  for (const std::wstring& file : files) dependent += file + L'\0';
  dependent += L'\0';

  DRIVER_INFO_3W driver = {};
  driver.cVersion = 3;
  driver.pName = &name[0];
  driver.pDriverPath = kRenderer;
  driver.pDataFile = &data[0];
  driver.pConfigFile = &config[0];
  driver.pDependentFiles = &dependent[0];
  driver.pDefaultDataType = kDatatype;
  // The files are copied into the printing system's driver folder, whatever was there.
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_ALL_FILES | APD_COPY_FROM_DIRECTORY)) {
    Fail(L"adding driver", name);
    return false;
  }

  PRINTER_INFO_2W info = {};
  info.pPrinterName = &name[0];
  info.pPortName = &port[0];
  info.pDriverName = &name[0];
  info.pPrintProcessor = kPrintProcessor;
  info.pDatatype = kDatatype;
  const HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) {
    Fail(L"adding printer", name);
    return false;
  }
  ClosePrinter(printer);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"remove" && argc == 3) return Remove(argv[2]) ? 0 : 1;
  if (command == L"install" && argc >= 6)
    return Install(argv[2], argv[3], argv[4], argv[5], std::vector<std::wstring>(argv + 6, argv + argc)) ? 0 : 1;
  std::fwprintf(stderr, L"%ls", kUsage);
  return 2;
}
