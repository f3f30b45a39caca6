#include "printer/status_watch.h"

#include <algorithm>

#include "platform/registry_key.h"
#include "platform/win_text.h"
#include "printer/printer_lookup.h"

namespace qxge {
namespace {

std::wstring MonitorKey(const DriverDevMode& record) {
  return L"Software\\QXmMon\\" + std::wstring(platform::W(PrinterNameOf(record)));
}

std::wstring PrinterKey(const DriverDevMode& record) {
  return L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" + std::wstring(platform::W(PrinterNameOf(record)));
}

std::wstring DriverDataKey(const DriverDevMode& record) { return PrinterKey(record) + L"\\PrinterDriverData"; }

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

SentrySettings ReadSentrySettings(const DriverDevMode& record) {
  SentrySettings settings;
  platform::RegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, DriverDataKey(record).c_str(), KEY_READ)) return settings;
  DWORD value = 0;
  if (key.QueryDword(L"PSentry_Enable", value)) settings.enabled = value != 0;
  if (key.QueryDword(L"PSentry_Timeout", value))
    settings.interval = static_cast<int32_t>(std::clamp<DWORD>(value, kMinSentryInterval, kMaxSentryInterval));
  return settings;
}

void WriteSentrySettings(const DriverDevMode& record, const SentrySettings& settings) {
  platform::RegistryKey printer, key;
  if (!printer.Open(HKEY_LOCAL_MACHINE, PrinterKey(record).c_str(), KEY_READ) ||
      !key.Create(printer.Get(), L"PrinterDriverData", KEY_ALL_ACCESS))
    return;
  key.SetDword(L"PSentry_Timeout", static_cast<DWORD>(settings.interval));
  key.SetDword(L"PSentry_Enable", settings.enabled ? 1 : 0);
}

std::u16string ReadLastSentryTopic(const DriverDevMode& record) {
  return ReadMachineString(DriverDataKey(record), L"PSentry_LastInfo");
}

}  // namespace qxge
