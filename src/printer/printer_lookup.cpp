#include "printer/printer_lookup.h"

#include <algorithm>
#include <memory>
#include <cstring>
#include <cwchar>

#include "app/driver_ui_app.h"
#include "collections/custom_papers.h"
#include "collections/record_cache.h"
#include "config/profile_values.h"
#include "platform/host_address.h"
#include "platform/registry_key.h"
#include "platform/win_text.h"
#include "printer/paper_size_text.h"

namespace qxge {

using platform::U;
using platform::W;

namespace {

// Spooler blocks of a few kilobytes; a size far beyond is a broken answer, not a block.
constexpr DWORD kMaxSpoolerBytes = 16u << 20;

constexpr wchar_t kMonitorsKey[] = L"System\\CurrentControlSet\\Control\\Print\\Monitors\\";
constexpr size_t kValueChars = 260;

// The spooler's two calls: the size, then the block. call(buffer, size, needed) -> BOOL.
template <typename Call>
std::vector<uint8_t> SpoolerBlock(Call call) {
  DWORD needed = 0;
  call(nullptr, 0, &needed);
  if (needed == 0 || needed > kMaxSpoolerBytes) return {};
  std::vector<uint8_t> block(needed);
  if (!call(block.data(), needed, &needed)) return {};
  return block;
}


std::string ReadAnsiValue(const std::wstring& keyPath, const char* name) {
  platform::RegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, keyPath.c_str(), KEY_READ)) return {};
  char value[kValueChars] = {};
  DWORD type = 0, bytes = sizeof value;
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || bytes <= 1)
    return {};
  return std::string(value, strnlen(value, std::min<size_t>(bytes, kValueChars)));
}

std::u16string Resolve(const std::string& hostName) {
  return Utf16FromAscii(platform::ResolveHostAddress(hostName));
}

// Sets fit-to-page for the time of a capability query and puts the caller's value back.
class FitPageForQuery {
 public:
  explicit FitPageForQuery(DriverDevMode& record) : record_(record), saved_(record.dmPrivate.iFitPage) {
    record_.dmPrivate.iFitPage = 1;
  }
  ~FitPageForQuery() { record_.dmPrivate.iFitPage = saved_; }
  FitPageForQuery(const FitPageForQuery&) = delete;
  FitPageForQuery& operator=(const FitPageForQuery&) = delete;

 private:
  DriverDevMode& record_;
  int16_t saved_;
};

struct SizeFormats {
  std::u16string inches, millimetres;
};

SizeFormats ReadSizeFormats() {
  ProfileFile& text = App().TextFile();
  const SectionScope preview(text, u"Preview");
  return SizeFormats{text.ReadText(u"%s x %s in"), text.ReadText(u"%s x %s mm")};
}

}  // namespace

std::u16string ReadMachineString(const std::wstring& keyPath, const wchar_t* name) {
  platform::RegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, keyPath.c_str(), KEY_READ)) return {};
  wchar_t value[kValueChars] = {};
  DWORD type = 0, bytes = sizeof value;
  // A longer value fails the read and counts as absent, like a value of another type.
  if (RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return {};
  const size_t chars = std::min<size_t>(bytes / sizeof(wchar_t), kValueChars);
  return std::u16string(U(value), wcsnlen(value, chars));
}

std::u16string PrinterNameOf(const DriverDevMode& record) {
  std::u16string name = Records().PrinterName(record);
  return name.empty() ? record.dmPublic.dmDeviceName.Read() : name;
}

platform::PrinterHandle OpenPrinterFor(std::u16string_view printerName) {
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, MAXIMUM_ALLOWED};
  platform::PrinterHandle printer;
  printer.Open(W(std::u16string(printerName)), &defaults);
  return printer;
}

platform::PrinterHandle OpenPrinterFor(const DriverDevMode& record) { return OpenPrinterFor(PrinterNameOf(record)); }

std::vector<uint8_t> GetPrinterInfo(const DriverDevMode& record, DWORD level) {
  const platform::PrinterHandle printer = OpenPrinterFor(record);
  if (!printer.IsOpen()) return {};
  return SpoolerBlock([&](BYTE* block, DWORD size, DWORD* needed) {
    return GetPrinterW(printer.Get(), level, block, size, needed);
  });
}

std::optional<PrinterPort> GetPrinterPort(const DriverDevMode& record) {
  const std::vector<uint8_t> block = GetPrinterInfo(record, 2);
  if (block.size() < sizeof(PRINTER_INFO_2W)) return std::nullopt;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
  PrinterPort port;
  if (info->pPortName != nullptr) port.name = U(info->pPortName);
  port.attributes = info->Attributes;
  return port;
}

bool IsNetworkPort(const DriverDevMode& record) {
  const std::optional<PrinterPort> port = GetPrinterPort(record);
  if (!port) return false;
  if ((port->attributes & PRINTER_ATTRIBUTE_NETWORK) != 0) return true;
  return GetPortMonitor(port->name).find(u"LAN") != std::u16string::npos;
}

std::u16string GetPortMonitor(std::u16string_view port) {
  DWORD count = 0;
  const std::vector<uint8_t> block = SpoolerBlock([&](BYTE* buffer, DWORD size, DWORD* needed) {
    return EnumPortsW(nullptr, 2, buffer, size, needed, &count);
  });
  if (count > block.size() / sizeof(PORT_INFO_2W)) return {};
  const auto* ports = reinterpret_cast<const PORT_INFO_2W*>(block.data());
  const std::u16string wanted(port);
  for (DWORD i = 0; i < count; ++i) {
    if (ports[i].pPortName == nullptr ||
        CompareStringOrdinal(ports[i].pPortName, -1, W(wanted), -1, TRUE) != CSTR_EQUAL)
      continue;
    return ports[i].pMonitorName != nullptr ? std::u16string(U(ports[i].pMonitorName)) : std::u16string();
  }
  return {};
}

std::u16string GetPrinterHost(const DriverDevMode& record) {
  const std::optional<PrinterPort> port = GetPrinterPort(record);
  if (!port) return {};
  const std::u16string monitor = GetPortMonitor(port->name);
  if (monitor.empty()) return {};
  const std::wstring portName(W(port->name));
  if (CompareStringOrdinal(W(monitor), -1, L"TCPMON.DLL", -1, TRUE) == CSTR_EQUAL) {
    const std::wstring key = kMonitorsKey + std::wstring(L"Standard TCP/IP Port\\Ports\\") + portName;
    const std::u16string address = ReadMachineString(key, L"IPAddress");
    return address.empty() ? Resolve(ReadAnsiValue(key, "HostName")) : address;
  }
  const std::wstring monitorKey = kMonitorsKey + std::wstring(W(monitor)) + L"\\";
  std::u16string address = ReadMachineString(monitorKey + L"Port Names\\" + portName, L"DeviceIP");
  if (address.empty()) address = ReadMachineString(monitorKey + portName, L"IP");
  return address.empty() ? Resolve(ReadAnsiValue(monitorKey + portName, "DNSName")) : address;
}

std::u16string VersionFilePath(const DriverDevMode& record) {
  const platform::PrinterHandle printer = OpenPrinterFor(record);
  if (!printer.IsOpen()) return {};
  const std::vector<uint8_t> block = SpoolerBlock([&](BYTE* buffer, DWORD size, DWORD* needed) {
    return GetPrinterDriverW(printer.Get(), nullptr, 2, buffer, size, needed);
  });
  if (block.size() < sizeof(DRIVER_INFO_2W)) return {};
  const auto* driver = reinterpret_cast<const DRIVER_INFO_2W*>(block.data());
  if (driver->pDataFile == nullptr) return {};
  std::u16string name(U(driver->pDataFile));
  name.erase(0, name.find_last_of(u'\\') + 1);
  name = name.substr(0, name.find_last_of(u'.'));
  return App().ModuleDir() + name + u".VER";
}

int DeviceCapability(const DriverDevMode& record, WORD capability, void* output) {
  const std::u16string printer = PrinterNameOf(record);
  return DeviceCapabilitiesW(W(printer), L"", capability, static_cast<wchar_t*>(output),
                             reinterpret_cast<const DEVMODEW*>(&record));
}

std::vector<PaperEntry> PrinterPapers(DriverDevMode& record, unsigned facts) {
  // The driver reads our private part too and must answer as for a fit-to-page job; the
  // caller's record comes back as it was.
  const FitPageForQuery fitPage(record);
  const std::vector<uint16_t> ids = DeviceCapabilityArray<uint16_t>(record, DC_PAPERS);
  if (ids.empty()) return {};
  std::vector<DriverPaperName> names;
  std::vector<DriverPaperSize> sizes;
  if (facts & kPaperNames) names = DeviceCapabilityArray<DriverPaperName>(record, DC_PAPERNAMES);
  if (facts & kPaperSizes) sizes = DeviceCapabilityArray<DriverPaperSize>(record, DC_PAPERSIZE);
  std::vector<PaperEntry> custom;
  if (facts & kCustomPapers) {
    for (const std::unique_ptr<CollectionItem>& item : LoadItems(CollectionType::CustomPaper, nullptr)) {
      const auto& paper = static_cast<const CustomPaperItem&>(*item);
      custom.push_back({paper.PaperNumber(), paper.GetName(), paper.Width(), paper.Height()});
    }
  }
  return MergePapers(ids, (facts & kPaperNames) ? &names : nullptr, (facts & kPaperSizes) ? &sizes : nullptr, custom);
}

void RefreshDoubleSidedPapers(DriverDevMode& record) {
  ModelFeatures& model = App().Features();
  if (model.CustomDuplexSizes == 0) return;
  const std::vector<PaperEntry> papers = PrinterPapers(record, kPaperSizes);
  // Position n holds size 257 + n; a position without a valid size stays 0 x 0 and fits no box.
  std::vector<std::pair<int32_t, int32_t>> custom;
  for (const std::unique_ptr<CollectionItem>& item : LoadItems(CollectionType::CustomPaper, nullptr)) {
    const auto& paper = static_cast<const CustomPaperItem&>(*item);
    const auto at = static_cast<size_t>(paper.Index());
    if (at >= custom.size()) custom.resize(at + 1, {0, 0});
    custom[at] = {paper.Width(), paper.Height()};
  }
  model.RefreshDoubleSidedPapers(
      [&](int32_t id, int32_t& w, int32_t& h) {
        for (const PaperEntry& paper : papers) {
          if (paper.id != id) continue;
          w = paper.width;
          h = paper.height;
          return true;
        }
        return false;
      },
      custom);
}

bool PaperNameAndSize(DriverDevMode& record, std::u16string* name, POINT* size, int32_t paperCode) {
  const int32_t wanted = paperCode == -1 ? static_cast<int32_t>(record.dmPublic.dmPaperSize) : paperCode;
  // The user's sizes are only read for their own numbers.
  const unsigned facts = (name != nullptr ? kPaperNames : 0) | (size != nullptr ? kPaperSizes : 0) |
                         (wanted >= kFirstCustomPaper ? kCustomPapers : 0);
  for (PaperEntry& paper : PrinterPapers(record, facts)) {
    if (paper.id != wanted) continue;
    if (name != nullptr) *name = std::move(paper.name);
    if (size != nullptr) *size = {paper.width, paper.height};
    return true;
  }
  return false;
}

std::u16string PaperSizeText(int32_t width, int32_t height, bool inches, bool inBrackets) {
  static const SizeFormats formats = ReadSizeFormats();
  return PaperSizeTextFrom(inches ? formats.inches : formats.millimetres, width, height, inches, inBrackets);
}

}  // namespace qxge
