// The blocks shared with the host. Their layouts are fixed: the 32-bit module matches the
// host contract byte for byte; the 64-bit module keeps the same fields in the same order
// with natural 8-byte pointers.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace qxge {

constexpr size_t kDriverDevModeBytes = 4075;
constexpr int kPrinterNameChars = 80;
constexpr int kPageCaptionChars = 128;
constexpr int kPageSlots = 22;

// Where the module keeps a user's data: HKEY_CURRENT_USER\<kUserKeyRoot><module base>. The
// user default record, which QXGE_SaveDefDevMode replaces and a host may read, is the value
// kUserDefaultValue of kDriverDevModeBytes bytes in its subkey kUserSettingsKey.
constexpr wchar_t kUserKeyRoot[] = L"SOFTWARE\\QXPrint\\";
constexpr wchar_t kUserSettingsKey[] = L"TSF";
constexpr wchar_t kUserDefaultValue[] = L"Default DevMode";

// Sheet flags.
constexpr uint32_t kSheetReadOnly = 0x80000000u;
constexpr uint32_t kSheetNeverMark = 0x40000000u;
constexpr uint32_t kSheetNoRefreshMask = 0xFFu;  // low byte 1: no refresh when the sheet closes

struct SheetContext {
  int32_t caller16;      // 1 while the 16-bit host drives the sheet
  int32_t ended;         // an apply or a reset was accepted
  int32_t applied;
  int32_t cancelled;
  uint32_t sheetFlags;
  uint8_t unused[132];
  void* record1;         // host records passed through, never read here
  void* record2;
  uint8_t* liveRecord;   // the host's record of kDriverDevModeBytes bytes
  wchar_t printerName[kPrinterNameChars];
};

// The sheet's printer name, never read beyond its field: a host may fill all of it.
inline std::u16string SheetPrinterName(const SheetContext& sheet) {
  return std::u16string(reinterpret_cast<const char16_t*>(sheet.printerName), wcsnlen(sheet.printerName, kPrinterNameChars));
}

struct PageSlotTable {
  SheetContext* context;
  int32_t closing;       // set when the first page of the sheet is destroyed
  uint32_t tableAddress16;
  void* slots[kPageSlots];  // the page object of each page number
  uint8_t unused[24];
};

struct PageInfoBlock {
  HWND window;
  int32_t width;         // dialog units
  int32_t height;
  wchar_t caption[kPageCaptionChars];
};

#if defined(_WIN64)
static_assert(offsetof(SheetContext, sheetFlags) == 16 && offsetof(SheetContext, record1) == 152 &&
                  offsetof(SheetContext, record2) == 160 && offsetof(SheetContext, liveRecord) == 168 &&
                  offsetof(SheetContext, printerName) == 176 && sizeof(SheetContext) == 336,
              "64-bit SheetContext layout");
static_assert(offsetof(PageSlotTable, closing) == 8 && offsetof(PageSlotTable, tableAddress16) == 12 &&
                  offsetof(PageSlotTable, slots) == 16 && offsetof(PageSlotTable, unused) == 192 &&
                  sizeof(PageSlotTable) == 216,
              "64-bit PageSlotTable layout");
static_assert(offsetof(PageInfoBlock, width) == 8 && offsetof(PageInfoBlock, height) == 12 &&
                  offsetof(PageInfoBlock, caption) == 16 && sizeof(PageInfoBlock) == 272,
              "64-bit PageInfoBlock layout");
#else
static_assert(offsetof(SheetContext, ended) == 4 && offsetof(SheetContext, applied) == 8 &&
                  offsetof(SheetContext, cancelled) == 12 && offsetof(SheetContext, sheetFlags) == 16 &&
                  offsetof(SheetContext, record1) == 152 && offsetof(SheetContext, record2) == 156 &&
                  offsetof(SheetContext, liveRecord) == 160 && offsetof(SheetContext, printerName) == 164 &&
                  sizeof(SheetContext) == 324,
              "32-bit SheetContext layout");
static_assert(offsetof(PageSlotTable, closing) == 4 && offsetof(PageSlotTable, tableAddress16) == 8 &&
                  offsetof(PageSlotTable, slots) == 12 && offsetof(PageSlotTable, unused) == 100 &&
                  sizeof(PageSlotTable) == 124,
              "32-bit PageSlotTable layout");
static_assert(offsetof(PageInfoBlock, width) == 4 && offsetof(PageInfoBlock, height) == 8 &&
                  offsetof(PageInfoBlock, caption) == 12 && sizeof(PageInfoBlock) == 268,
              "32-bit PageInfoBlock layout");
#endif

// The exported functions, as the host declares them.
using PageInfoFn = void(WINAPI*)(PageInfoBlock* info, int32_t pageId);
using DialogProcFn = BOOL(WINAPI*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, int32_t pageId);
using Page0CallBackFn = UINT(WINAPI*)(HWND hwnd, UINT message, PageSlotTable* table);
using GetTextFn = void(WINAPI*)(BOOL fromTextFile, const wchar_t* section, const wchar_t* key, wchar_t* buffer,
                                int32_t size);
using SaveDefDevModeFn = void(WINAPI*)(const uint8_t* record);

}  // namespace qxge
