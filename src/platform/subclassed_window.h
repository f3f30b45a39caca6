// A control of a dialog template that draws or reacts by itself: its messages reach the object
// first, and what the object leaves goes to the control's own class.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace platform {

class SubclassedWindow {
 public:
  SubclassedWindow() = default;
  virtual ~SubclassedWindow() { Detach(); }
  SubclassedWindow(const SubclassedWindow&) = delete;
  SubclassedWindow& operator=(const SubclassedWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  bool Attach(HWND hwnd) {
    Detach();
    if (hwnd == nullptr || !SetWindowSubclass(hwnd, Procedure, 0, reinterpret_cast<DWORD_PTR>(this))) return false;
    hwnd_ = hwnd;
    return true;
  }
  void Detach() {
    if (hwnd_ != nullptr) RemoveWindowSubclass(hwnd_, Procedure, 0);
    hwnd_ = nullptr;
  }

 protected:
  // True when handled, with result set.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* self = reinterpret_cast<SubclassedWindow*>(data);
    if (message == WM_NCDESTROY) {
      self->Detach();
      return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    // No exception may unwind through the system's message dispatch.
    try {
      LRESULT result = 0;
      if (self->OnMessage(message, wParam, lParam, result)) return result;
    } catch (...) {
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

  HWND hwnd_ = nullptr;
};

}  // namespace platform
