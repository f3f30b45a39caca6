// A real sheet of a module staged under its own name, driven as the host and a user drive it.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <functional>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "sheethost/host_sheet.h"
#include "sheethost/modal_sheet.h"
#include "sheethost/module_package.h"
#include "pagebase/settings_page.h"
#include "record/driver_dev_mode.h"
#include "test_support.h"

namespace qxtest {

// Acts on a modal dialog of this thread once it runs (the first to activate holding control
// marker), then presses button in it.
class ModalDriver {
 public:
  ModalDriver(int marker, std::function<void(HWND)> act, int button)
      : hook_(marker, [act = std::move(act), button](HWND dialog) {
          act(dialog);
          PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
        }) {}
  bool opened() const { return hook_.Seen(); }

 private:
  qxhost::ModalHook hook_;
};

// What a user sees of control id in dialog.
inline intptr_t DataIn(HWND dialog, int id) {
  const HWND combo = GetDlgItem(dialog, id);
  const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  return at < 0 ? -1 : static_cast<intptr_t>(SendMessageW(combo, CB_GETITEMDATA, at, 0));
}
inline std::wstring TextIn(HWND dialog, int id) {
  wchar_t text[1024] = {};
  GetDlgItemTextW(dialog, id, text, 1024);
  return text;
}
// As a drop-down list in dialog reports a user's choice of the item holding data.
inline void ChooseIn(HWND dialog, int id, intptr_t data) {
  const HWND combo = GetDlgItem(dialog, id);
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    if (SendMessageW(combo, CB_GETITEMDATA, i, 0) == data) SendMessageW(combo, CB_SETCURSEL, i, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}
inline bool ShownIn(HWND dialog, int id) { return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }
inline bool EnabledIn(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
inline bool CheckedIn(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
inline RECT BoundsIn(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The words a tooltip of this thread shows over control id's area of dialog, or with own over
// the control itself (a control that takes the mouse); empty when none does.
inline std::wstring TipIn(HWND dialog, int id, bool own = false) {
  struct Search {
    HWND dialog;
    int id;
    bool own;
    std::wstring text;
  } search{dialog, id, own, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        wchar_t name[64] = {}, text[4096] = {};
        GetClassNameW(window, name, 64);
        TTTOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = s.dialog;
        tool.uId = static_cast<UINT_PTR>(s.id);
        tool.lpszText = text;
        if (s.own) tool.hwnd = GetDlgItem(s.dialog, s.id);
        if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0 ||
            !SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
          return TRUE;
        SendMessageW(window, TTM_GETTEXTW, 4096, reinterpret_cast<LPARAM>(&tool));
        s.text = text;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.text;
}

class SheetHarness : public ::testing::Test {
 protected:
  static constexpr int kApplyButton = qxhost::kSheetApplyButton;

  // A package named base with these model and text files, and the resource library when the
  // pages' pictures matter; the record the host will hand over.
  // A test may stage again with another model: its sheet and module go first.
  void Stage(const std::wstring& base, const std::string& model, const std::string& text, bool pictures = false) {
    Close();
    module_.Unload();
    base_ = base;
    ForgetUser(base);
    dir_ = FreshFolder(base);
    const std::wstring dll = StageModule(dir_, base + L"U.DLL");
    WriteTextFile(dir_ + L"\\" + base + L"U.INI", model);
    WriteTextFile(dir_ + L"\\" + base + L"EN.DAT", text);
    if (pictures)
      CopyFileW((BinaryDir() + L"\\bin\\QXGEU2.dll").c_str(), (dir_ + L"\\" + base + L"U2.dll").c_str(), FALSE);
    ASSERT_TRUE(module_.Load(dll));
    record_ = qxhost::DefaultRecord(L"QX_Office");
  }
  void Open(std::vector<int32_t> pages, uint32_t flags = 0) {
    sheet_ = std::make_unique<qxhost::HostSheet>(module_, qxhost::SheetOptions{printer_, pages, flags},
                                                 record_.data());
    window_ = sheet_->Create(nullptr);
    ASSERT_NE(window_, nullptr);
    sheet_->Pump();
  }
  void Close() {
    if (sheet_) sheet_->Close();
    sheet_.reset();
  }
  void TearDown() override {
    Close();
    module_.Unload();
    ForgetUser(base_);
  }

  // The module's own dialog inside the current container.
  HWND PageDialog() const { return GetWindow(PropSheet_GetCurrentPageHwnd(window_), GW_CHILD); }
  HWND Control(int id) const { return GetDlgItem(PageDialog(), id); }
  void Click(int id) {
    SendMessageW(Control(id), BM_CLICK, 0, 0);
    sheet_->Pump();
  }
  // Opens a dialog with a click on opener; act runs in it (the first window to activate that
  // holds control marker), then button closes it. False when no such dialog opened.
  bool InDialog(int opener, int marker, std::function<void(HWND)> act, int button = IDOK) {
    ModalDriver driver(marker, std::move(act), button);
    Click(opener);
    return driver.opened();
  }
  void Choose(int id, intptr_t data) {
    ChooseIn(PageDialog(), id, data);
    sheet_->Pump();
  }
  intptr_t Data(int id) const { return DataIn(PageDialog(), id); }
  int Items(int id) const { return static_cast<int>(SendMessageW(Control(id), CB_GETCOUNT, 0, 0)); }
  // The entries of a drop-down list or a list box, as shown.
  std::vector<std::wstring> ItemTexts(int id) const {
    wchar_t kind[32] = {};
    GetClassNameW(Control(id), kind, 32);
    const bool list = lstrcmpiW(kind, L"ListBox") == 0;
    const int count = static_cast<int>(SendMessageW(Control(id), list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
    std::vector<std::wstring> texts;
    for (int i = 0; i < count; ++i) {
      wchar_t text[300] = {};
      SendMessageW(Control(id), list ? LB_GETTEXT : CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      texts.push_back(text);
    }
    return texts;
  }

  std::wstring Text(int id) const { return TextIn(PageDialog(), id); }
  bool Checked(int id) const { return CheckedIn(PageDialog(), id); }
  bool Shown(int id) const { return ShownIn(PageDialog(), id); }
  bool Enabled(int id) const { return EnabledIn(PageDialog(), id); }
  RECT Bounds(int id) const { return BoundsIn(PageDialog(), id); }
  std::wstring Tip(int id, bool own = false) const { return TipIn(PageDialog(), id, own); }
  void Apply() {
    PropSheet_PressButton(window_, PSBTN_APPLYNOW);
    sheet_->Pump();
  }
  // The module's page object of the sheet's first page.
  qxge::SettingsPage& Page() { return *static_cast<qxge::SettingsPage*>(sheet_->Table().slots[0]); }
  bool ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(window_, kApplyButton)) != FALSE; }
  qxge::DriverDevMode& Live() { return *reinterpret_cast<qxge::DriverDevMode*>(record_.data()); }
  std::string Read(const std::wstring& name) { return ReadTextFile(dir_ + L"\\" + name); }

  std::wstring base_, dir_;
  std::wstring printer_ = L"QX_Office";  // the sheet's printer
  qxhost::ModulePackage module_;
  std::vector<uint8_t> record_;
  std::unique_ptr<qxhost::HostSheet> sheet_;
  HWND window_ = nullptr;
};

}  // namespace qxtest
