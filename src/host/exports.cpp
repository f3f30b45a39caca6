// The five functions the driver's property-sheet module calls. Nothing may throw across them:
// a failure gives the answer of a page that does not exist.
#include <windows.h>
#include <prsht.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "app/driver_ui_app.h"
#include "app/host_blocks.h"
#include "collections/record_cache.h"
#include "host/exports.h"
#include "host/file_refresh.h"
#include "host/page_catalogue.h"
#include "host/page_factory.h"
#include "platform/no_throw.h"
#include "platform/win_text.h"

using namespace qxge;
using platform::Guarded;
using platform::U;
using platform::W;

void qxge::FirstPageCallback(PageSlotTable* table, UINT message) {
  if (table == nullptr || table->context == nullptr || message != PSPCB_CREATE) return;
  SheetContext& sheet = *table->context;
  sheet.ended = sheet.applied = sheet.cancelled = 0;
}

namespace {

// Container size in dialog units for a scale in percent, truncated toward zero. Any scale the
// text file holds is the translator's; only a product beyond 32 bits (a scale of millions) is
// held at the largest size the host's block can carry.
int32_t ScaledSize(int32_t scale, int32_t base) {
  const int64_t size = int64_t{scale} * base / 100;
  return static_cast<int32_t>(std::clamp<int64_t>(size, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

PageSlotTable* TableOf(HWND page) {
  const HWND sheet = GetParent(page);
  return sheet != nullptr ? reinterpret_cast<PageSlotTable*>(GetWindowLongPtrW(sheet, GWLP_USERDATA)) : nullptr;
}

bool ValidPageId(int32_t pageId) { return static_cast<uint32_t>(pageId) < static_cast<uint32_t>(kPageIdCount); }

}  // namespace

extern "C" {

void WINAPI QXGE_PageInfo(PageInfoBlock* info, int32_t pageId) {
  if (info == nullptr) return;
  Guarded(0, [&] {
    DriverUiApp& app = App();
    PageEntry entry;
    if (!LookupPage(pageId, app.Features(), entry)) {
      if (pageId == -1) platform::CopyTerminated(app.Features().Caption, info->caption, kPageCaptionChars);
      return 0;
    }
    ProfileFile& text = app.TextFile();
    text.SetSection(std::u16string(entry.name) + u" Dialog");
    if (text.ReadString(u"Caption", U(info->caption), kPageCaptionChars, u"") == 0)
      platform::CopyTerminated(entry.name, info->caption, kPageCaptionChars);
    info->width = ScaledSize(app.Features().CPSUI_Scale_X, 336);
    info->height = ScaledSize(app.Features().CPSUI_Scale_Y, 250);
    return 0;
  });
}

BOOL WINAPI QXGE_DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam, int32_t pageId) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (message == WM_INITDIALOG) {
      // The sheet window carries the table so that every later message of every page finds it.
      SetWindowLongPtrW(GetParent(hwnd), GWLP_USERDATA, lParam);
      auto* table = reinterpret_cast<PageSlotTable*>(lParam);
      // A table without the sheet's context gives a page nothing to work on.
      if (!ValidPageId(pageId) || table == nullptr || table->context == nullptr) return FALSE;
      std::unique_ptr<SettingsPage> page = CreatePage(pageId);
      table->slots[pageId] = page.get();
      if (page == nullptr) return FALSE;
      // A page whose records could not be had stays an empty container until it goes.
      page.release()->Attach(hwnd, table->context);
      return TRUE;
    }
    PageSlotTable* table = TableOf(hwnd);
    if (table == nullptr || table->context == nullptr || !ValidPageId(pageId) || table->slots[pageId] == nullptr)
      return FALSE;
    auto* page = static_cast<SettingsPage*>(table->slots[pageId]);
    SheetContext& sheet = *table->context;

    if (message == WM_DESTROY) {
      if (table->closing == 0) {
        table->closing = 1;
        if ((sheet.sheetFlags & kSheetNoRefreshMask) != 1) ApplyFileRefresh(sheet);
      }
      table->slots[pageId] = nullptr;
      if (const HWND own = page->Handle()) {
        ShowWindow(own, SW_HIDE);
        SetParent(own, nullptr);
      }
      delete page;
      return TRUE;
    }
    if (message != WM_NOTIFY) return FALSE;

    // The sender is not examined: the sheet is the only window that notifies a container.
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
      case PSN_SETACTIVE:
        page->Refill();
        return TRUE;
      case PSN_KILLACTIVE: {
        const int verdict = page->OnKillActive();
        if (verdict == kKeepPage) SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, TRUE);
        else if (verdict == kStoreAndLeave) page->OnStoreControls();
        return TRUE;
      }
      case PSN_APPLY:
        if (page->OnApply() != 0) {
          SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, PSNRET_INVALID);
        } else {
          SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, PSNRET_NOERROR);
          sheet.ended = sheet.applied = 1;
          ApplyFileRefresh(sheet);
        }
        return TRUE;
      case PSN_RESET:
        if (page->OnReset() != 0) {
          SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, TRUE);
        } else {
          SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, FALSE);
          sheet.ended = sheet.cancelled = 1;
        }
        return TRUE;
      case PSN_HELP:
        page->ShowPageHelp(0);
        return TRUE;
      case PSN_QUERYCANCEL:
        return TRUE;
      default:
        return FALSE;
    }
  });
}

UINT WINAPI QXGE_Page0CallBack(HWND, UINT message, PageSlotTable* table) {
  if (table != nullptr && table->context != nullptr) table->context->caller16 = 0;
  FirstPageCallback(table, message);
  return 1;
}

void WINAPI QXGE_GetText(BOOL fromTextFile, const wchar_t* section, const wchar_t* key,
                                               wchar_t* buffer, int32_t size) {
  if (buffer == nullptr || size <= 0) return;
  buffer[0] = L'\0';
  Guarded(0, [&] {
    DriverUiApp& app = App();
    ProfileFile& file = fromTextFile ? app.TextFile() : app.ModelFile();
    const SectionScope asked(file, section != nullptr ? U(section) : u"");
    file.ReadString(key != nullptr ? U(key) : u"", U(buffer), static_cast<size_t>(size), nullptr);
    return 0;
  });
}

void WINAPI QXGE_SaveDefDevMode(const uint8_t* record) {
  if (record == nullptr) return;
  Guarded(0, [&] {
    RecordCache::SaveUserDefault(*reinterpret_cast<const DriverDevMode*>(record));
    return 0;
  });
}

}  // extern "C"
