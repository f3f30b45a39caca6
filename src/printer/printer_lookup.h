// What the spooler and the port monitors know about the printer a record is for: its port,
// its network address, its driver's files and its papers. Nothing here writes anything.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/printer_handle.h"
#include "printer/paper_list.h"
#include "record/driver_dev_mode.h"

namespace qxge {

std::u16string PrinterNameOf(const DriverDevMode& record);

// A string value under HKEY_LOCAL_MACHINE, at most 260 characters; empty when missing, longer
// or of another type.
std::u16string ReadMachineString(const std::wstring& keyPath, const wchar_t* name);

// Not open when the printer cannot be had.
platform::PrinterHandle OpenPrinterFor(std::u16string_view printerName);
platform::PrinterHandle OpenPrinterFor(const DriverDevMode& record);

// The PRINTER_INFO_<level> block with the strings it points to; empty when it cannot be had.
std::vector<uint8_t> GetPrinterInfo(const DriverDevMode& record, DWORD level);

struct PrinterPort {
  std::u16string name;
  DWORD attributes = 0;  // PRINTER_ATTRIBUTE_...
};
std::optional<PrinterPort> GetPrinterPort(const DriverDevMode& record);

// A printer reached over the network, by the spooler's flag or by a LAN port monitor.
bool IsNetworkPort(const DriverDevMode& record);

// The monitor of the local port named port (any case), or empty.
std::u16string GetPortMonitor(std::u16string_view port);

// The printer's network address from its port monitor's settings, a host name resolved if
// need be; empty for a local printer or when nothing is known. May block on name resolution.
std::u16string GetPrinterHost(const DriverDevMode& record);

// The version file beside this module named after the printer driver's data file; empty when
// the driver cannot be asked.
std::u16string VersionFilePath(const DriverDevMode& record);

// A printer that claims more entries than this is not believed.
constexpr int kMaxCapabilityElements = 4096;

// DeviceCapabilitiesW for the record's printer with the record as device mode; the count with
// output null.
int DeviceCapability(const DriverDevMode& record, WORD capability, void* output);

// The printer's list for capability (DC_PAPERS: WORD, DC_PAPERSIZE: POINT, DC_PAPERNAMES:
// std::array<wchar_t, 64>, ...); empty when it has none or cannot be asked.
template <typename Element>
std::vector<Element> DeviceCapabilityArray(const DriverDevMode& record, WORD capability) {
  const int count = DeviceCapability(record, capability, nullptr);
  if (count <= 0 || count > kMaxCapabilityElements) return {};
  std::vector<Element> elements(static_cast<size_t>(count));
  if (DeviceCapability(record, capability, elements.data()) != count) return {};
  return elements;
}

// What a paper lookup asks for besides the paper numbers.
constexpr unsigned kPaperNames = 1, kPaperSizes = 2, kCustomPapers = 4;

// The printer's papers, with the user's custom sizes when kCustomPapers is asked for (the
// driver's own entry wins for a number it reports); none when the printer reports no papers.
std::vector<PaperEntry> PrinterPapers(DriverDevMode& record, unsigned facts);

// The model's double-sided papers extended by the user's custom sizes that fit within the
// printer's listed ones; sizes a user added or changed since the last sheet count.
void RefreshDoubleSidedPapers(DriverDevMode& record);

// The printer's name (at most 64 characters) and size in tenths of a millimetre of paper code
// paperCode, or of the record's paper when paperCode is -1; custom sizes included. False, with
// name and size untouched, when the printer does not offer the paper. Either output may be null.
bool PaperNameAndSize(DriverDevMode& record, std::u16string* name, POINT* size, int32_t paperCode = -1);

// "8.27 x 11.69 in" or "210 x 297 mm" in the user's language (text file, section "Preview").
std::u16string PaperSizeText(int32_t width, int32_t height, bool inches, bool inBrackets);

}  // namespace qxge
