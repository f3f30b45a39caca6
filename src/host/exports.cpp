// The five functions the driver's property-sheet module calls. Nothing may throw across them:
// a failure gives the answer of a page that does not exist.
#include <windows.h>
#include <prsht.h>

#include <cstdint>
#include <string>

#include "collections/user_registry.h"
#include "host/driver_ui_app.h"
#include "host/host_blocks.h"
#include "host/page_catalogue.h"
#include "platform/win_text.h"

using namespace qxge;
using platform::U;
using platform::W;

namespace {

template <typename Result, typename Body>
Result Guarded(Result failed, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return failed;
  }
}

// Container size in dialog units for a scale in percent (bounded at load).
int32_t ScaledSize(int32_t scale, int32_t base) { return scale * base / 100; }

bool ValidPageId(int32_t pageId) { return static_cast<uint32_t>(pageId) < static_cast<uint32_t>(kPageIdCount); }

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    SetAppModule(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Only on an explicit unload: at process exit the libraries go with the process.
    StopApp();
  }
  return TRUE;
}

void WINAPI QXGE_PageInfo(PageInfoBlock* info, int32_t pageId) {
  if (info == nullptr) return;
  Guarded(0, [&] {
    DriverUiApp& app = App();
    PageEntry entry;
    if (!LookupPage(pageId, app.Features(), entry)) {
      if (pageId == -1) {
        ProfileFile& model = app.ModelFile();
        model.SetSection(u"");
        model.ReadString(u"Caption", U(info->caption), kPageCaptionChars, nullptr);
      }
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
      if (!ValidPageId(pageId) || table == nullptr) return FALSE;
      // No page class is built yet: every container stays empty, its slot 0, and the later
      // messages of an empty slot are not answered.
      table->slots[pageId] = nullptr;
    }
    return FALSE;
  });
}

UINT WINAPI QXGE_Page0CallBack(HWND, UINT message, PageSlotTable* table) {
  if (table != nullptr && table->context != nullptr) {
    SheetContext* ctx = table->context;
    ctx->caller16 = 0;
    if (message == PSPCB_CREATE) ctx->ended = ctx->applied = ctx->cancelled = 0;
  }
  return 1;
}

void WINAPI QXGE_GetText(BOOL fromTextFile, const wchar_t* section, const wchar_t* key,
                                               wchar_t* buffer, int32_t size) {
  if (buffer == nullptr || size <= 0) return;
  buffer[0] = L'\0';
  Guarded(0, [&] {
    DriverUiApp& app = App();
    ProfileFile& file = fromTextFile ? app.TextFile() : app.ModelFile();
    const std::u16string remembered = file.Section();
    file.SetSection(section != nullptr ? U(section) : u"");
    file.ReadString(key != nullptr ? U(key) : u"", U(buffer), static_cast<size_t>(size), nullptr);
    file.SetSection(remembered);
    return 0;
  });
}

void WINAPI QXGE_SaveDefDevMode(const uint8_t* record) {
  if (record == nullptr) return;
  Guarded(0, [&] {
    UserRegistry(nullptr, -1, true).PutRecord(L"Default DevMode", record);
    return 0;
  });
}

}  // extern "C"
