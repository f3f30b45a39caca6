// The five functions the driver's property-sheet module calls, exported by name.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/host_blocks.h"

extern "C" {
void WINAPI QXGE_PageInfo(qxge::PageInfoBlock* info, int32_t pageId);
BOOL WINAPI QXGE_DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, int32_t pageId);
UINT WINAPI QXGE_Page0CallBack(HWND hwnd, UINT message, qxge::PageSlotTable* table);
void WINAPI QXGE_GetText(BOOL fromTextFile, const wchar_t* section, const wchar_t* key, wchar_t* buffer, int32_t size);
void WINAPI QXGE_SaveDefDevMode(const uint8_t* record);
}

namespace qxge {
// What the first page's callback does for a host of either kind: a sheet being created has
// neither ended nor been applied or cancelled.
void FirstPageCallback(PageSlotTable* table, UINT message);
}  // namespace qxge
