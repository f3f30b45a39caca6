// A port monitor for the tests: the spooler loads it from the path registered under the
// machine's Monitors key and asks it for its ports, so the tests get network ports of named
// monitors without any network printer.
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <cwchar>

namespace {

struct Port {
  const wchar_t* name;
  const wchar_t* monitor;
};

// Ports of the monitors the lookups tell apart; the tests put their printers on them.
const Port kPorts[] = {
    {L"QXTCP_ADDRESS:", L"TCPMON.DLL"}, {L"QXTCP_HOST:", L"tcpmon.dll"},
    {L"QXLAN_DEVICE:", L"QX LAN Monitor"}, {L"QXLAN_IP:", L"QX LAN Monitor"},
    {L"QXLAN_DNS:", L"QX LAN Monitor"}, {L"QXUSB_1:", L"QX USB Monitor"},
};

size_t Chars(const wchar_t* text) { return wcslen(text) + 1; }

BOOL WINAPI EnumPorts(HANDLE, LPWSTR, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned) {
  const DWORD count = sizeof kPorts / sizeof kPorts[0];
  const DWORD entry = level == 1 ? sizeof(PORT_INFO_1W) : sizeof(PORT_INFO_2W);
  DWORD bytes = count * entry;
  for (const Port& p : kPorts)
    bytes += static_cast<DWORD>((Chars(p.name) + (level == 1 ? 0 : Chars(p.monitor) + Chars(L""))) * sizeof(wchar_t));
  *needed = bytes;
  *returned = 0;
  if (level != 1 && level != 2) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  if (buffer == nullptr || size < bytes) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  wchar_t* text = reinterpret_cast<wchar_t*>(buffer + count * entry);
  const auto put = [&](const wchar_t* s) {
    wchar_t* at = text;
    wcscpy(at, s);
    text += Chars(s);
    return at;
  };
  for (DWORD i = 0; i < count; ++i) {
    if (level == 1) {
      reinterpret_cast<PORT_INFO_1W*>(buffer)[i].pName = put(kPorts[i].name);
    } else {
      PORT_INFO_2W& info = reinterpret_cast<PORT_INFO_2W*>(buffer)[i];
      info.pPortName = put(kPorts[i].name);
      info.pMonitorName = put(kPorts[i].monitor);
      info.pDescription = put(L"");
      info.fPortType = PORT_TYPE_WRITE;
      info.Reserved = 0;
    }
  }
  *returned = count;
  return TRUE;
}

MONITOR2 g_monitor = {sizeof(MONITOR2), EnumPorts};

}  // namespace

extern "C" __declspec(dllexport) LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT, PHANDLE monitor) {
  *monitor = reinterpret_cast<HANDLE>(&g_monitor);
  return &g_monitor;
}
