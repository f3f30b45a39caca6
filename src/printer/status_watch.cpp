#include "printer/status_watch.h"

#include "platform/registry_key.h"
#include "platform/win_text.h"
#include "printer/printer_lookup.h"

namespace qxge {
namespace {

std::wstring MonitorKey(const DriverDevMode& record) {
  return L"Software\\QXmMon\\" + std::wstring(platform::W(PrinterNameOf(record)));
}

}  // namespace

std::optional<bool> ReadStatusWindowSwitch(const DriverDevMode& record) {
  platform::RegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, MonitorKey(record).c_str(), KEY_READ)) return std::nullopt;
  // The monitor shows its window unless told otherwise.
  DWORD value = 1;
  key.QueryDword(L"SMEnabled", value);
  return value != 0;
}

void WriteStatusWindowSwitch(const DriverDevMode& record, bool on) {
  platform::RegistryKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, MonitorKey(record).c_str(), KEY_ALL_ACCESS)) key.SetDword(L"SMEnabled", on ? 1 : 0);
}

}  // namespace qxge
