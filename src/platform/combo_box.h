// A drop-down list whose items carry their values as item data. Does not own the window.
#pragma once

#include <windows.h>

#include <cstdint>

namespace platform {

class ComboBox {
 public:
  explicit ComboBox(HWND window) : window_(window) {}
  HWND Handle() const { return window_; }

  int Count() const { return window_ != nullptr ? static_cast<int>(SendMessageW(window_, CB_GETCOUNT, 0, 0)) : 0; }
  void Clear() const {
    if (window_ != nullptr) SendMessageW(window_, CB_RESETCONTENT, 0, 0);
  }
  void Add(const wchar_t* text, intptr_t data) const {
    if (window_ == nullptr) return;
    const LRESULT at = SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (at >= 0) SendMessageW(window_, CB_SETITEMDATA, at, data);
  }
  intptr_t DataAt(int index) const { return static_cast<intptr_t>(SendMessageW(window_, CB_GETITEMDATA, index, 0)); }
  // Selects the item holding data, else the first item; false when data was not found.
  bool SelectByData(intptr_t data) const {
    const int n = Count();
    for (int i = 0; i < n; ++i) {
      if (SendMessageW(window_, CB_GETITEMDATA, i, 0) == data) {
        SendMessageW(window_, CB_SETCURSEL, i, 0);
        return true;
      }
    }
    if (n > 0) SendMessageW(window_, CB_SETCURSEL, 0, 0);
    return false;
  }
  // Removes every item holding data; a removed selection leaves none.
  void Remove(intptr_t data) const {
    for (int i = Count() - 1; i >= 0; --i)
      if (SendMessageW(window_, CB_GETITEMDATA, i, 0) == data) SendMessageW(window_, CB_DELETESTRING, i, 0);
  }
  // The selected item's data, or -1 with no selection.
  intptr_t SelectedData() const {
    if (window_ == nullptr) return -1;
    const LRESULT at = SendMessageW(window_, CB_GETCURSEL, 0, 0);
    return at < 0 ? -1 : static_cast<intptr_t>(SendMessageW(window_, CB_GETITEMDATA, at, 0));
  }

 private:
  HWND window_;
};

}  // namespace platform
