// The sheet's notifications as the exported dialog procedure routes them, on pages of this
// process: what each verdict of a page tells the sheet, the close-time refresh, the page
// callback and the host's text reads.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "app/driver_ui_app.h"
#include "host/exports.h"
#include "sheethost/host_sheet.h"
#include "pages/layout_page.h"
#include "resources/resource.h"
#include "test_support.h"

namespace {

using qxge::DriverDevMode;

// A Layout page whose answers the test chooses, as a page with unsaved edits gives them.
class ChoosyPage : public qxge::LayoutPage {
 public:
  ChoosyPage() : LayoutPage(IDD_LAYOUT, 0) {}
  int OnKillActive() override { return verdict; }
  int OnReset() override { return refuseReset; }
  void OnStoreControls() override {
    ++stores;
    LayoutPage::OnStoreControls();
  }
  int verdict = qxge::kStoreAndLeave, refuseReset = 0, stores = 0;
};

INT_PTR CALLBACK NoDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class SheetProtocolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A sheet window holding two containers, each a dialog as a property sheet makes them.
    struct {
      DLGTEMPLATE header;
      WORD menu, windowClass, title;
    } empty = {{WS_CHILD, 0, 0, 0, 0, 200, 100}, 0, 0, 0};
    empty.header.style = WS_POPUP;
    sheetWindow_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &empty.header, nullptr, NoDialogProc, 0);
    ASSERT_NE(sheetWindow_, nullptr);
    empty.header.style = WS_CHILD;
    for (HWND& c : containers_) {
      c = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &empty.header, sheetWindow_, NoDialogProc, 0);
      ASSERT_NE(c, nullptr);
    }
    record_ = qxhost::DefaultRecord(L"QX_Office");
    context_.liveRecord = record_.data();
    lstrcpyW(context_.printerName, L"QX_Office");
    table_.context = &context_;
    QXGE_Page0CallBack(nullptr, PSPCB_CREATE, &table_);
    for (int32_t id : {0, 1}) {
      ASSERT_TRUE(QXGE_DialogProc(containers_[id], WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&table_), id));
      ASSERT_NE(table_.slots[id], nullptr);
    }
    // The Layout page in slot 0 gives way to one whose answers the test sets.
    QXGE_DialogProc(containers_[0], WM_DESTROY, 0, 0, 0);
    table_.closing = 0;
    page_ = new ChoosyPage;
    ASSERT_TRUE(page_->Attach(containers_[0], &context_));
    table_.slots[0] = static_cast<qxge::SettingsPage*>(page_);
  }
  void TearDown() override {
    for (int32_t id : {0, 1})
      if (table_.slots[id] != nullptr) QXGE_DialogProc(containers_[id], WM_DESTROY, 0, 0, id);
    DestroyWindow(sheetWindow_);
    qxtest::ForgetUser(qxtest::kStagedBase);
  }
  // The dialog procedure's answer and the message result the sheet reads.
  std::pair<BOOL, LONG_PTR> Notify(int code, int32_t pageId = 0) {
    SetWindowLongPtrW(containers_[pageId], DWLP_MSGRESULT, 0x55);
    NMHDR header = {sheetWindow_, 0, static_cast<UINT>(code)};
    const BOOL handled = QXGE_DialogProc(containers_[pageId], WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header), pageId);
    return {handled, GetWindowLongPtrW(containers_[pageId], DWLP_MSGRESULT)};
  }
  DriverDevMode& Live() { return *reinterpret_cast<DriverDevMode*>(record_.data()); }

  HWND sheetWindow_ = nullptr, containers_[2] = {};
  std::vector<uint8_t> record_;
  qxge::SheetContext context_ = {};
  qxge::PageSlotTable table_ = {};
  ChoosyPage* page_ = nullptr;
};

using Result = std::pair<BOOL, LONG_PTR>;

TEST_F(SheetProtocolTest, VerdictsOfThePageReachTheSheet) {
  // Leaving with "Yes" stores the controls and leaves the result alone; "Cancel" keeps the
  // user on the page and stores nothing; any other answer only lets the user go.
  EXPECT_EQ(Notify(PSN_KILLACTIVE), Result(TRUE, 0x55));
  EXPECT_EQ(page_->stores, 1);
  page_->verdict = qxge::kKeepPage;
  EXPECT_EQ(Notify(PSN_KILLACTIVE), Result(TRUE, 1));
  page_->verdict = IDNO;
  EXPECT_EQ(Notify(PSN_KILLACTIVE), Result(TRUE, 0x55));
  EXPECT_EQ(page_->stores, 1);

  // A refused reset keeps the sheet open and says nothing to the host; an accepted one ends it.
  page_->refuseReset = 1;
  EXPECT_EQ(Notify(PSN_RESET), Result(TRUE, 1));
  EXPECT_EQ(context_.ended + context_.cancelled, 0);
  page_->refuseReset = 0;
  EXPECT_EQ(Notify(PSN_RESET), Result(TRUE, 0));
  EXPECT_EQ(context_.ended, 1);
  EXPECT_EQ(context_.cancelled, 1);
  EXPECT_EQ(context_.applied, 0);

  // Help for the page (it has no topic: nothing opens), a cancel query the sheet may go on
  // with, and notifications the module leaves to the sheet.
  EXPECT_EQ(Notify(PSN_HELP), Result(TRUE, 0x55));
  EXPECT_EQ(Notify(PSN_QUERYCANCEL), Result(TRUE, 0x55));
  for (int code : {-204, -206, -207, -208, -300}) EXPECT_EQ(Notify(code), Result(FALSE, 0x55));
  // A page number the module has no slot for never touches the table.
  NMHDR header = {sheetWindow_, 0, static_cast<UINT>(PSN_APPLY)};
  EXPECT_FALSE(QXGE_DialogProc(containers_[1], WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header), 22));
  EXPECT_EQ(context_.applied, 0);
}

TEST_F(SheetProtocolTest, ThePageCallBackAndTheCloseTimeRefreshRunAsTheHostExpects) {
  // Only the creation of the first page clears the state words; every call answers 1.
  context_.ended = context_.applied = 1;
  context_.caller16 = 1;
  EXPECT_EQ(QXGE_Page0CallBack(nullptr, PSPCB_ADDREF, &table_), 1u);
  EXPECT_EQ(QXGE_Page0CallBack(nullptr, PSPCB_RELEASE, &table_), 1u);
  EXPECT_EQ(context_.ended + context_.applied, 2);
  EXPECT_EQ(context_.caller16, 0);
  EXPECT_EQ(QXGE_Page0CallBack(nullptr, PSPCB_CREATE, nullptr), 1u);

  // The first container to close refreshes the status words and the files of an applied
  // sheet; the second does not run it again.
  const qxtest::TemporaryFolder temp(L"QXSP-temp");
  qxge::ModelFeatures& model = qxge::App().Features();
  model.CheckWaterMarkFile = model.CheckDecoFile = 1;
  Live().dmPrivate.cWaterText.Write(u"Draft");
  Live().dmPrivate.FrameStyle = 3;
  QXGE_DialogProc(containers_[1], WM_DESTROY, 0, 0, 1);
  EXPECT_EQ(table_.closing, 1);
  EXPECT_EQ(Live().dmPrivate.iWaterMarkStatus, 2);
  EXPECT_EQ(Live().dmPrivate.iDecoStatus, 2);
  EXPECT_EQ(qxtest::FilesIn(temp.Path()).size(), 6u);
  Live().dmPrivate.iWaterMarkStatus = 0;
  QXGE_DialogProc(containers_[0], WM_DESTROY, 0, 0, 0);
  model.CheckWaterMarkFile = model.CheckDecoFile = 0;
  EXPECT_EQ(Live().dmPrivate.iWaterMarkStatus, 0);
  EXPECT_EQ(table_.slots[0], nullptr);
  EXPECT_EQ(table_.slots[1], nullptr);
}

TEST_F(SheetProtocolTest, HostTextReadsLeaveThePagesSectionAlone) {
  qxge::ProfileFile& text = qxge::App().TextFile();
  text.SetSection(u"Layout Dialog");
  wchar_t buffer[64] = L"stale";
  QXGE_GetText(TRUE, L"Preview", L"%s x %s mm", buffer, 64);
  EXPECT_STREQ(buffer, L"%s x %s Millimeter");
  QXGE_GetText(TRUE, nullptr, L"OptionUsageTipMsg7", buffer, 12);
  EXPECT_STREQ(buffer, L"Beidseitig ");
  QXGE_GetText(FALSE, L"", L"NoSuchKey", buffer, 64);
  EXPECT_STREQ(buffer, L"");
  EXPECT_EQ(text.Section(), u"Layout Dialog");
}

}  // namespace
