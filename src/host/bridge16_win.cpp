// The 16-bit host's twins of the exported functions, in the 32-bit module only: a 16-bit
// program reaches a 32-bit library only on a 32-bit system. The subsystem's services are bound
// at first use, never imported: an import would keep the module from loading wherever there is
// no 16-bit subsystem, and with no services every twin fails without touching its arguments.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <wownt32.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "app/host_blocks.h"
#include "host/bridge16.h"
#include "host/exports.h"
#include "platform/no_throw.h"

static_assert(sizeof(void*) == 4, "flat addresses of the 16-bit subsystem are 32-bit pointers");

namespace qxge {
namespace {

static_assert(sizeof(SheetContext) == Bridge16::kContextBytes && sizeof(PageInfoBlock) == Bridge16::kInfoBytes &&
                  sizeof(PageSlotTable) == PinnedPointerTable::kCountOffset &&
                  offsetof(PageSlotTable, tableAddress16) == Bridge16::kTableAddressField &&
                  PinnedPointerTable::kEntriesOffset + PinnedPointerTable::kEntryBytes * PinnedPointerTable::kCapacity ==
                      Bridge16::kTableBytes,
              "the blocks as the bridge reads them");
// The blocks the bridge builds are the platform's own.
static_assert(offsetof(NotifyBlock32, id) == offsetof(NMHDR, idFrom) && offsetof(NotifyBlock32, code) == offsetof(NMHDR, code) &&
                  offsetof(NotifyBlock32, detail) == offsetof(NMUPDOWN, iPos) &&
                  offsetof(NotifyBlock32, detail) + 4 == offsetof(NMUPDOWN, iDelta) &&
                  offsetof(NotifyBlock32, detail) == offsetof(PSHNOTIFY, lParam) && sizeof(NotifyBlock32) == 28,
              "notification block");
static_assert(offsetof(WindowPos32, insertAfter) == offsetof(WINDOWPOS, hwndInsertAfter) &&
                  offsetof(WindowPos32, x) == offsetof(WINDOWPOS, x) && offsetof(WindowPos32, cy) == offsetof(WINDOWPOS, cy) &&
                  offsetof(WindowPos32, flags) == offsetof(WINDOWPOS, flags) && sizeof(WindowPos32) == sizeof(WINDOWPOS),
              "window position block");
static_assert(offsetof(HelpInfo32, contextType) == offsetof(HELPINFO, iContextType) &&
                  offsetof(HelpInfo32, item) == offsetof(HELPINFO, hItemHandle) &&
                  offsetof(HelpInfo32, contextId) == offsetof(HELPINFO, dwContextId) &&
                  offsetof(HelpInfo32, mouseX) == offsetof(HELPINFO, MousePos) && sizeof(HelpInfo32) == sizeof(HELPINFO),
              "help block");

template <typename T>
T* Pointer(uint32_t flat) {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(flat));
}
template <typename T>
uint32_t Address(T* pointer) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}

class Wow32 final : public Subsystem16 {
 public:
  Wow32() {
    wchar_t dir[MAX_PATH];
    const UINT length = GetSystemDirectoryW(dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    // By its full path: a library of that name beside the host's program is not the subsystem.
    const HMODULE wow = LoadLibraryW((std::wstring(dir, length) + L"\\wow32.dll").c_str());
    if (wow == nullptr) return;
    const auto bind = [wow](auto& fn, const char* name) {
      fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(reinterpret_cast<void*>(GetProcAddress(wow, name)));
      return fn != nullptr;
    };
    bound_ = bind(get_, "WOWGetVDMPointer") && bind(fix_, "WOWGetVDMPointerFix") && bind(unfix_, "WOWGetVDMPointerUnfix") &&
             bind(handle32_, "WOWHandle32") && bind(handle16_, "WOWHandle16");
    if (!bound_) FreeLibrary(wow);
  }
  bool Bound() const { return bound_; }

  // The services check no limit themselves (Wine's translate any selector), so the segment's
  // descriptor says how far a block may reach.
  uint32_t BytesAt(uint32_t far16) override {
    const WORD selector = HIWORD(far16), offset = LOWORD(far16);
    LDT_ENTRY entry;
    if ((selector & ~3u) == 0 || !GetThreadSelectorEntry(GetCurrentThread(), selector, &entry) ||
        !entry.HighWord.Bits.Pres)
      return 0;
    // An expand-down segment holds the offsets above its limit; a 16-bit host's blocks are
    // never in one, so none is taken.
    constexpr DWORD kDataExpandDown = 0x14, kTypeMask = 0x1C;
    if ((entry.HighWord.Bits.Type & kTypeMask) == kDataExpandDown) return 0;
    DWORD limit = entry.LimitLow | DWORD{entry.HighWord.Bits.LimitHi} << 16;
    if (entry.HighWord.Bits.Granularity) limit = limit << 12 | 0xFFF;
    return offset <= limit ? limit - offset + 1 : 0;
  }
  uint32_t Flat(uint32_t far16, uint32_t bytes, bool pin) override {
    return Address(pin ? fix_(far16, bytes, TRUE) : get_(far16, bytes, TRUE));
  }
  void Unpin(uint32_t far16) override { unfix_(far16); }
  uint32_t Window32(uint16_t window16) override {
    if (window16 == 0) return 0;
    const HWND window = static_cast<HWND>(handle32_(window16, WOW_TYPE_HWND));
    return IsWindow(window) ? Address(window) : 0;
  }
  uint16_t Window16(uint32_t window32) override {
    return window32 != 0 ? handle16_(Pointer<void>(window32), WOW_TYPE_HWND) : 0;
  }
  uint32_t Word32(uint32_t flat) override { return Load<uint32_t>(flat); }
  void SetWord32(uint32_t flat, uint32_t value) override { std::memcpy(Pointer<void>(flat), &value, sizeof value); }
  uint16_t Word16(uint32_t flat) override { return Load<uint16_t>(flat); }
  uint8_t Byte(uint32_t flat) override { return Load<uint8_t>(flat); }
  void SetByte(uint32_t flat, uint8_t value) override { *Pointer<uint8_t>(flat) = value; }

 private:
  template <typename T>
  static T Load(uint32_t flat) {
    T value;
    std::memcpy(&value, Pointer<const void>(flat), sizeof value);
    return value;
  }

  bool bound_ = false;
  decltype(&WOWGetVDMPointer) get_ = nullptr;
  decltype(&WOWGetVDMPointerFix) fix_ = nullptr;
  decltype(&WOWGetVDMPointerUnfix) unfix_ = nullptr;
  decltype(&WOWHandle32) handle32_ = nullptr;
  decltype(&WOWHandle16) handle16_ = nullptr;
};

class ExportedFunctions final : public Module32 {
 public:
  void PageInfo(uint32_t info, int32_t pageId) override { QXGE_PageInfo(Pointer<PageInfoBlock>(info), pageId); }
  int32_t DialogProc(uint32_t window, uint32_t message, const Message32& converted, int32_t pageId) override {
    const LPARAM lParam = converted.lParamIsBlock ? reinterpret_cast<LPARAM>(&converted.block)
                                                  : static_cast<LPARAM>(converted.lParam);
    return QXGE_DialogProc(reinterpret_cast<HWND>(static_cast<uintptr_t>(window)), message, converted.wParam, lParam, pageId);
  }
  void FirstPageCallback(uint32_t table, uint32_t message) override {
    qxge::FirstPageCallback(Pointer<PageSlotTable>(table), message);
  }
  void GetText(int32_t fromTextFile, uint32_t section, uint32_t key, uint32_t buffer, int32_t size) override {
    QXGE_GetText(fromTextFile, Pointer<const wchar_t>(section), Pointer<const wchar_t>(key), Pointer<wchar_t>(buffer), size);
  }
  void SaveDefDevMode(uint32_t record) override { QXGE_SaveDefDevMode(Pointer<const uint8_t>(record)); }
};

// Null where the platform has no 16-bit subsystem.
Bridge16* Bridge() {
  static Wow32 services;
  static ExportedFunctions functions;
  static Bridge16 bridge(services, functions);
  return services.Bound() ? &bridge : nullptr;
}

}  // namespace
}  // namespace qxge

using qxge::Bridge;
using qxge::Bridge16;
using platform::Guarded;

extern "C" {

BOOL WINAPI QXGE_PageInfo_Th16(DWORD info, int32_t pageId) {
  return Guarded<BOOL>(FALSE, [&] {
    Bridge16* bridge = Bridge();
    return bridge != nullptr && bridge->PageInfo(info, pageId);
  });
}

DWORD WINAPI QXGE_DialogProc_Th16(WORD window, UINT message, WORD wParam, LPARAM lParam, int32_t pageId) {
  return Guarded<DWORD>(0, [&]() -> DWORD {
    Bridge16* bridge = Bridge();
    return bridge != nullptr ? bridge->DialogProc(window, message, wParam, static_cast<uint32_t>(lParam), pageId) : 1;
  });
}

UINT WINAPI QXGE_Page0CallBack_Th16(WORD, UINT message, DWORD table) {
  return Guarded<UINT>(0, [&]() -> UINT {
    Bridge16* bridge = Bridge();
    return bridge != nullptr ? bridge->PageCallback(message, table) : 0;
  });
}

BOOL WINAPI QXGE_GetText_Th16(BOOL fromTextFile, DWORD section, DWORD key, DWORD buffer, int32_t size) {
  return Guarded<BOOL>(FALSE, [&] {
    Bridge16* bridge = Bridge();
    return bridge != nullptr && bridge->GetText(fromTextFile, section, key, buffer, size);
  });
}

BOOL WINAPI QXGE_SaveDefDevMode_Th16(DWORD record) {
  return Guarded<BOOL>(FALSE, [&] {
    Bridge16* bridge = Bridge();
    return bridge != nullptr && bridge->SaveDefDevMode(record);
  });
}

}  // extern "C"
