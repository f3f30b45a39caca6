// A control of a dialog template that draws or reacts by itself: its messages reach the object
// first, and what the object leaves goes to the control's own procedure. The object is found
// through the window's user-data word, read in-process; the common controls' subclassing would
// look up a window property on every message, a server round trip under Wine.
#pragma once

#include <windows.h>

namespace platform {

class SubclassedWindow {
 public:
  SubclassedWindow() = default;
  virtual ~SubclassedWindow() { Detach(); }
  SubclassedWindow(const SubclassedWindow&) = delete;
  SubclassedWindow& operator=(const SubclassedWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  // False when hwnd is none or its user-data word is already taken.
  bool Attach(HWND hwnd) {
    Detach();
    if (hwnd == nullptr || GetWindowLongPtrW(hwnd, GWLP_USERDATA) != 0) return false;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
    if (original_ == nullptr) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      return false;
    }
    hwnd_ = hwnd;
    return true;
  }
  void Detach() {
    if (hwnd_ == nullptr) return;
    // Whoever took the procedure after us keeps calling ours, which then passes everything on.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC)) == Procedure)
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
  }

 protected:
  // True when handled, with result set.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SubclassedWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // Left behind under another procedure: the control's class procedure serves it as before.
    if (self == nullptr)
      return CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)), hwnd, message, wParam, lParam);
    const WNDPROC original = self->original_;
    if (message == WM_NCDESTROY) {
      self->Detach();
      return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    // No exception may unwind through the system's message dispatch.
    try {
      LRESULT result = 0;
      if (self->OnMessage(message, wParam, lParam, result)) return result;
    } catch (...) {
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
  }

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
};

}  // namespace platform
