// The printing system shows a printer's sheet modally, inside the program's call, and a sheet's
// pages open modal dialogs of their own: a caller that wants to act on such a window (save its
// pages, time them, answer it) does so from the window's own loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qxhost {

// Among a window's own children only a property sheet has the Apply button.
constexpr int kSheetApplyButton = 0x3021;

// Runs act on the first window this thread activates that holds the control marker, from a
// timer of its loop once the dialog manager has placed the focus. One at a time per thread.
class ModalHook {
 public:
  ModalHook(int marker, std::function<void(HWND)> act);
  ~ModalHook();
  ModalHook(const ModalHook&) = delete;
  ModalHook& operator=(const ModalHook&) = delete;
  bool Seen() const { return window_ != nullptr; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK Act(HWND, UINT, UINT_PTR timer, DWORD);

  int marker_;
  std::function<void(HWND)> act_;
  HWND window_ = nullptr;
  HHOOK hook_ = nullptr;
};

// Lets the sheet draw what the last change asked for.
void SettleSheet();

// The captions on a sheet's tabs, in order.
std::vector<std::wstring> TabCaptions(HWND sheet);

// The tooltip windows of the thread that a top-level window owns: a page's tooltip belongs to
// the window its page sits in.
std::vector<HWND> OwnedTooltips(HWND owner);

// Makes each page of a sheet current in turn, lets settle run so that the page is built,
// filled and drawn, then calls visit with the page's tab index and caption.
void ShowEachPage(HWND sheet, const std::function<void()>& settle,
                  const std::function<void(size_t index, const std::wstring& caption)>& visit);

// Opens each dialog a page offers, one after another: by the platform's convention a push
// button whose text (as textOf gives it) ends in an ellipsis opens one. visit sees the dialog
// once it has localised itself; the dialog is cancelled after.
void OpenEachDialog(HWND page, const std::function<std::wstring(HWND)>& textOf,
                    const std::function<void(HWND dialog)>& visit);

}  // namespace qxhost
