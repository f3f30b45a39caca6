// The blocks of the printing system's calls into a printer's configuration module, as the
// printer-interface documentation lays them out (the compiler's headers lack them).
#pragma once

#include <windows.h>
#include <compstui.h>

#include <cstdint>

namespace qxdrv {

struct DocumentPropertyHeader {
  WORD cbSize;
  WORD reserved;
  HANDLE printer;
  LPWSTR printerName;
  DEVMODEW* in;
  DEVMODEW* out;
  DWORD outBytes;
  DWORD mode;
};

struct DevicePropertyHeader {
  WORD cbSize;
  WORD flags;
  HANDLE printer;
  LPWSTR printerName;
};

// The flags of these calls, as the Windows SDK declares them (DM_NOPERMISSION, DPS_NOPERMISSION,
// CDM_CONVERT, CDM_DRIVER_DEFAULT). Wine's headers declare none of them: its spooler hands a
// program's mode over unchanged and never asks for the printer's sheet itself.
// A document-properties call from a user who may not change the settings.
constexpr DWORD kModeNoPermission = 0x20;
// A printer-properties sheet for a user who may not change the printer.
constexpr WORD kDeviceNoPermission = 0x01;
// DrvConvertDevMode requests.
constexpr DWORD kConvertToCurrent = 0x01;
constexpr DWORD kDriverDefault = 0x04;

using DocumentPropertySheetsFn = LONG(WINAPI*)(PROPSHEETUI_INFO* info, LPARAM lParam);
using DeviceCapabilitiesFn = DWORD(WINAPI*)(HANDLE printer, LPWSTR device, WORD capability, void* output,
                                            DEVMODEW* devmode);

}  // namespace qxdrv
