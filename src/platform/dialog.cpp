#include "platform/dialog.h"

#include <algorithm>

#include "platform/win_text.h"

namespace platform {

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(length > 0 ? length : 0) + 1, u'\0');
  const int n = GetWindowTextW(window, W(&text[0]), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

namespace {

// Over the window the user was working in, kept on the owner's monitor.
void CentreOverOwner(HWND dialog) {
  const HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner == nullptr) return;
  RECT o, d;
  GetWindowRect(owner, &o);
  GetWindowRect(dialog, &d);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int w = d.right - d.left, h = d.bottom - d.top;
  const int x = std::clamp((o.left + o.right - w) / 2, work.left, std::max(work.left, work.right - w));
  const int y = std::clamp((o.top + o.bottom - h) / 2, work.top, std::max(work.top, work.bottom - h));
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Dialog::~Dialog() { DestroyNow(); }

void Dialog::DestroyNow() {
  if (hwnd_ == nullptr) return;
  const HWND hwnd = hwnd_;
  // Detach first: the messages of the destruction must not reach a half-destroyed object.
  SetWindowLongPtrW(hwnd, DWLP_USER, 0);
  hwnd_ = nullptr;
  items_.clear();
  DestroyWindow(hwnd);
}

HWND Dialog::Item(int id) const {
  if (hwnd_ == nullptr) return nullptr;
  for (const auto& [itemId, item] : items_)
    if (itemId == id) return item;
  const HWND item = GetDlgItem(hwnd_, id);
  if (item != nullptr) items_.emplace_back(id, item);
  return item;
}

HWND Dialog::CreateChild(HINSTANCE module, int templateId, HWND parent) {
  return CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), parent, Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::RunModal(HINSTANCE module, int templateId, HWND parent) {
  modal_ = true;
  return DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), parent, Procedure, reinterpret_cast<LPARAM>(this));
}

void Dialog::End(INT_PTR result) {
  if (hwnd_ != nullptr) EndDialog(hwnd_, result);
}

bool Dialog::OnCommand(int, int, HWND) { return false; }

bool Dialog::OnNotify(const NMHDR&, LRESULT&) { return false; }

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (self == nullptr) return FALSE;
  // No exception may unwind through the system's dialog manager.
  try {
    return self->Route(message, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}

INT_PTR Dialog::Route(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const BOOL result = OnInitDialog();
      if (modal_) CentreOverOwner(hwnd_);
      return result;
    }
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (!OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return FALSE;
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
      return TRUE;
    }
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
      hwnd_ = nullptr;
      items_.clear();
      return FALSE;
    default: {
      INT_PTR result = 0;
      return OnMessage(message, wParam, lParam, result) ? result : FALSE;
    }
  }
}

}  // namespace platform
