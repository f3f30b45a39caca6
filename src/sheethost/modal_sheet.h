// The printing system shows a printer's sheet modally, inside the program's call: a caller that
// wants to act on it (save its pages, time them, close it) does so from the sheet's own loop.
#pragma once

#include <windows.h>

#include <functional>

namespace qxhost {

// Runs act on the first property sheet this thread shows, once it has activated, from a timer
// of its loop. One at a time per thread.
class ModalSheetHook {
 public:
  explicit ModalSheetHook(std::function<void(HWND)> act);
  ~ModalSheetHook();
  ModalSheetHook(const ModalSheetHook&) = delete;
  ModalSheetHook& operator=(const ModalSheetHook&) = delete;
  bool Seen() const { return sheet_ != nullptr; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK Act(HWND, UINT, UINT_PTR timer, DWORD);

  std::function<void(HWND)> act_;
  HWND sheet_ = nullptr;
  HHOOK hook_ = nullptr;
};

// Lets the sheet draw what the last change asked for.
void SettleSheet();

}  // namespace qxhost
