// The printer's driver as the printing system registered it: the model package's plug-in
// among the driver's files, and the renderer that turns jobs into PostScript for the spooler.
#pragma once

#include <windows.h>

#include <string>

#include "driver/printer_interface.h"
#include "sheethost/module_package.h"

namespace qxdrv {

struct DriverPackage {
  // Null when the registration names no plug-in or it does not load; failure says why.
  qxhost::ModulePackage* plugIn = nullptr;
  DWORD failure = ERROR_SUCCESS;
  DocumentPropertySheetsFn rendererSettings = nullptr;
  DeviceCapabilitiesFn rendererCapabilities = nullptr;
};

// What the registration of printer names. Each library is loaded once per process and stays:
// the plug-in keeps process-wide state from its load, as the printing system keeps this module.
DriverPackage FindDriverPackage(const std::wstring& printer);

}  // namespace qxdrv
