#include <windows.h>

#include <cstring>
#include <new>

#include "app/driver_ui_app.h"
#include "platform/win_text.h"
#include "record/record_report.h"

namespace qxge {
namespace {

// The clipboard owns the block only when it takes it.
void PutOnClipboard(UINT format, const void* data, size_t bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (block == nullptr) return;
  void* target = GlobalLock(block);
  if (target != nullptr) {
    std::memcpy(target, data, bytes);
    GlobalUnlock(block);
    if (SetClipboardData(format, block) != nullptr) return;
  }
  GlobalFree(block);
}

}  // namespace

void RecordDifferenceReport(const DriverDevMode& before, const DriverDevMode& after) {
  std::u16string text;
  try {
    text = RecordDifferenceText(before, after);
  } catch (const std::bad_alloc&) {
    return;
  }
  const int length = static_cast<int>(text.size());
  // Whatever else is on the clipboard stays: the report is added beside it.
  if (OpenClipboard(nullptr)) {
    PutOnClipboard(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(char16_t));
    std::string ansi(text.size() + 1, '\0');
    const int n = WideCharToMultiByte(CP_ACP, 0, platform::W(text), length, &ansi[0], length, nullptr, nullptr);
    ansi[n > 0 ? n : 0] = '\0';
    PutOnClipboard(CF_TEXT, ansi.c_str(), ansi.size());
    CloseClipboard();
  }
  MessageBoxW(nullptr, platform::W(text), platform::W(App().ModuleName()), MB_ICONINFORMATION | MB_OK);
}

}  // namespace qxge
