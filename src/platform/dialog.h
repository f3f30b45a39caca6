// A dialog owned by an object: one static procedure routes messages to small virtual
// handlers. The window keeps a pointer to its object only while both live, so a message
// that arrives late never reaches a dead object.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace platform {

// A window's whole text.
std::u16string WindowText(HWND window);

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  HWND Handle() const { return hwnd_; }
  // The control with id; found once, since Wine answers every GetDlgItem with a round trip to
  // its server and a template's controls live as long as the dialog.
  HWND Item(int id) const;
  bool Checked(int id) const {
    const HWND item = Item(id);
    return item != nullptr && SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void Check(int id, bool checked) const {
    if (const HWND item = Item(id)) SendMessageW(item, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  // CheckRadioButton without its walk over every child of the dialog.
  void CheckRadio(int firstId, int lastId, int checkedId) const {
    for (int id = firstId; id <= lastId; ++id) Check(id, id == checkedId);
  }

  // A modeless child dialog from a template of module; null on failure.
  HWND CreateChild(HINSTANCE module, int templateId, HWND parent);
  // A modal dialog, centred over its owner; the result of EndDialog, or -1 when it could not
  // be created.
  INT_PTR RunModal(HINSTANCE module, int templateId, HWND parent);
  // Destroys the window now; the object stays and may create another.
  void DestroyNow();

 protected:
  // Return values follow the dialog procedure: TRUE lets the system set the focus.
  virtual BOOL OnInitDialog() { return TRUE; }
  // True when handled.
  virtual bool OnCommand(int id, int code, HWND control);
  virtual bool OnNotify(const NMHDR& header, LRESULT& result);
  virtual void OnDestroy() {}
  // Every other message; true with result set when handled.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  void End(INT_PTR result);

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Route(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  bool modal_ = false;
  mutable std::vector<std::pair<int, HWND>> items_;
};

}  // namespace platform
