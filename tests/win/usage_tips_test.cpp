// Option usage tips and the module's message boxes on a page of this process, made from the
// staged module's templates: the words a user reads over a disabled control and its label, and
// the boxes' texts, owners and answers.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/driver_ui_app.h"
#include "sheethost/host_sheet.h"
#include "sheethost/modal_sheet.h"
#include "pages/layout_page.h"
#include "resources/resource.h"
#include "test_support.h"

namespace {

constexpr wchar_t kContainerClass[] = L"QXTestContainer";

class UsageTipsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW type = {};
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = kContainerClass;
    RegisterClassW(&type);  // already there after the first test
    container_ = CreateWindowExW(0, kContainerClass, L"", WS_POPUP, 0, 0, 700, 600, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(container_, nullptr) << GetLastError();
    record_ = qxhost::DefaultRecord(L"QX_Office");
    sheet_.liveRecord = record_.data();
    lstrcpyW(sheet_.printerName, L"QX_Office");
    page_ = std::make_unique<qxge::LayoutPage>(IDD_LAYOUT, 0);
    ASSERT_TRUE(page_->Attach(container_, &sheet_));
    const std::vector<HWND> tooltips = qxhost::OwnedTooltips(container_);
    ASSERT_FALSE(tooltips.empty());
    tooltip_ = tooltips.front();
  }
  void TearDown() override {
    page_.reset();
    if (container_ != nullptr) DestroyWindow(container_);
    qxtest::ForgetUser(qxtest::kStagedBase);
  }

  HWND Page() const { return page_->Handle(); }
  // A tool of the page's tooltip for control id over window's area; text receives its words.
  static TTTOOLINFOW Tool(HWND window, int id, std::vector<wchar_t>& text) {
    text.assign(4096, L'\0');
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window;
    tool.uId = static_cast<UINT_PTR>(id);
    tool.lpszText = text.data();
    return tool;
  }
  // A tip over a control's area of the page, as the usage tips register it.
  bool HasTip(int id, RECT* rect = nullptr) const {
    std::vector<wchar_t> text;
    TTTOOLINFOW tool = Tool(Page(), id, text);
    if (!SendMessageW(tooltip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return false;
    if (rect != nullptr) *rect = tool.rect;
    return true;
  }
  std::wstring Text(HWND window, int id) const {
    std::vector<wchar_t> text;
    TTTOOLINFOW tool = Tool(window, id, text);
    SendMessageW(tooltip_, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return text.data();
  }
  std::wstring TipText(int id) const { return Text(Page(), id); }
  // How many tools of the tooltip cover the page area of control id.
  int TipsFor(int id) const {
    int count = 0;
    std::vector<wchar_t> text;
    const int tools = static_cast<int>(SendMessageW(tooltip_, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < tools; ++i) {
      TTTOOLINFOW tool = Tool(nullptr, 0, text);
      if (SendMessageW(tooltip_, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)) && tool.hwnd == Page() &&
          tool.uId == static_cast<UINT_PTR>(id))
        ++count;
    }
    return count;
  }
  RECT PageRect(int id) const {
    RECT r;
    GetWindowRect(GetDlgItem(Page(), id), &r);
    MapWindowPoints(nullptr, Page(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  HWND container_ = nullptr;
  std::vector<uint8_t> record_;
  qxge::SheetContext sheet_ = {};
  std::unique_ptr<qxge::LayoutPage> page_;
  HWND tooltip_ = nullptr;
};

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST_F(UsageTipsTest, ListTipsNameThePrintersPapersAndATranslationIsFilledSafely) {
  // Tip numbers are passed minus one. The model lists A4 and Letter for both sides, media 1
  // and 2 (the printer reports no media types) and Legal, Envelope #10 and a paper it lacks.
  page_->SetOptionUsageTip(IDC_UNITS_MM, 17, true, 0);
  EXPECT_EQ(TipText(IDC_UNITS_MM),
            L"To enable Double-sided Printing, click the Paper tab and change the Target Page to one of the "
            L"following: A4, Letter.");
  page_->SetOptionUsageTip(IDC_UNITS_INCH, 12, true, 0);
  EXPECT_EQ(TipText(IDC_UNITS_INCH),
            L"To enable Double-sided Printing, click the Paper tab and change the Type to one of the following: .");
  page_->SetOptionUsageTip(IDC_LOGO, 15, true, 0);
  EXPECT_EQ(TipText(IDC_LOGO), L"To enable Scaling Type, change the Size to anything except following: Legal, Envelope #10.");

  // The text file's tip 7 holds more conversions than there are values: only the first is filled.
  page_->SetOptionUsageTip(IDC_PREVIEW, 6, true, 0);
  EXPECT_EQ(TipText(IDC_PREVIEW), L"Beidseitig nur auf A4, Letter%s%n.");
}

TEST_F(UsageTipsTest, ATipCoversItsLabelIsReplacedAndRemoved) {
  // The localised tooltip of the radio itself is a tool of the radio's own window.
  const std::wstring ownTip = Text(GetDlgItem(Page(), IDC_UNITS_MM), IDC_UNITS_MM);
  EXPECT_EQ(ownTip, L"mm tooltip");

  page_->SetOptionUsageTip(IDC_UNITS_MM, 5, true, IDC_UNITS_INCH);
  EXPECT_EQ(TipText(IDC_UNITS_MM), L"To enable Separator, choose \"Transparency\" in the Type drop-down list.");
  RECT covered = {}, both = {};
  ASSERT_TRUE(HasTip(IDC_UNITS_MM, &covered));
  const RECT mm = PageRect(IDC_UNITS_MM), inch = PageRect(IDC_UNITS_INCH);
  UnionRect(&both, &mm, &inch);
  EXPECT_TRUE(covered == both);
  EXPECT_FALSE(covered == mm);

  // Another tip on the same control replaces the first, over the control alone.
  page_->SetOptionUsageTip(IDC_UNITS_MM, 4, true, 0);
  EXPECT_EQ(TipsFor(IDC_UNITS_MM), 1);
  EXPECT_EQ(TipText(IDC_UNITS_MM), L"To enable Scale Factor, choose \"Custom\" in the Page Layout drop-down list.");
  ASSERT_TRUE(HasTip(IDC_UNITS_MM, &covered));
  EXPECT_TRUE(covered == mm);

  page_->SetOptionUsageTip(IDC_UNITS_MM, 4, false, 0);
  EXPECT_FALSE(HasTip(IDC_UNITS_MM));
  EXPECT_EQ(Text(GetDlgItem(Page(), IDC_UNITS_MM), IDC_UNITS_MM), ownTip);

  // Removing a tip that was never set, a control the page lacks, a tip number out of range.
  const int tools = static_cast<int>(SendMessageW(tooltip_, TTM_GETTOOLCOUNT, 0, 0));
  page_->SetOptionUsageTip(IDC_UNITS_INCH, 4, false, 0);
  page_->SetOptionUsageTip(1999, 4, true, 1120);
  page_->SetOptionUsageTip(IDC_UNITS_INCH, 18, true, 0);
  page_->SetOptionUsageTip(IDC_UNITS_INCH, -1, true, 0);
  EXPECT_EQ(SendMessageW(tooltip_, TTM_GETTOOLCOUNT, 0, 0), tools);
}

TEST_F(UsageTipsTest, MessagesShowTheirTextsToThePageAndReturnTheAnswer) {
  qxtest::BoxAnswers answers({IDOK, IDCANCEL, 0, IDYES});
  EXPECT_EQ(page_->ShowMessage(5, u"Extras Dialog"), IDOK);
  EXPECT_EQ(page_->ShowMessage(3, u"Custom Page Size Dialog"), IDCANCEL);
  EXPECT_EQ(page_->ShowMessage(3, u"Custom Page Size Dialog"), IDCANCEL);  // closed

  qxge::ModelFeatures& model = qxge::App().Features();
  model.MirrorLayout = 1;
  const int mirrored = page_->ShowMessage(1, u"");
  model.MirrorLayout = 0;
  EXPECT_EQ(mirrored, IDYES);

  const auto& boxes = answers.Boxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].title, L"Invalid Passcode");
  EXPECT_EQ(boxes[0].text,
            L"You must enter a 4-8 digit passcode and re-enter it for confirmation in order to use the Secure "
            L"Print feature.");
  EXPECT_EQ(boxes[1].title, L"Save Changes");
  EXPECT_EQ(boxes[1].text, L"Do you want to save changes?");
  EXPECT_EQ(boxes[3].title, L"Name Exists");
  for (const auto& box : boxes) EXPECT_EQ(box.owner, container_) << "modal to the page's window";
  EXPECT_EQ(boxes[0].style & (MB_TYPEMASK | MB_ICONMASK), static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(boxes[1].style & (MB_TYPEMASK | MB_ICONMASK), static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(boxes[3].style & (MB_TYPEMASK | MB_ICONMASK), static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  for (int i : {0, 1, 2}) EXPECT_FALSE(boxes[i].rightToLeft) << i;
  EXPECT_TRUE(boxes[3].rightToLeft);
}

// Runs the thread's messages for about ms milliseconds.
void PumpFor(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

// Where the mouse rests, the tooltip shows: a control's own tip, and the tip over a disabled
// control's area of the page; a tip moves with its control.
TEST_F(UsageTipsTest, TipsShowUnderTheMouseAndFollowTheirControls) {
  page_->SetOptionUsageTip(IDC_PORTRAIT, 4, true, 0);
  const POINT by = {12, 30};
  page_->ShowControl(IDC_PORTRAIT, -1, &by);
  RECT covered = {};
  ASSERT_TRUE(HasTip(IDC_PORTRAIT, &covered));
  EXPECT_TRUE(covered == PageRect(IDC_PORTRAIT));
  EnableWindow(GetDlgItem(Page(), IDC_PORTRAIT), FALSE);

  SetWindowPos(container_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  // The window the tip belongs to, or none when no tip showed within three seconds.
  const auto hover = [&](int id) -> HWND {
    SendMessageW(tooltip_, TTM_POP, 0, 0);
    RECT r;
    GetWindowRect(GetDlgItem(Page(), id), &r);
    for (int dx : {0, 1}) {
      INPUT move = {};
      move.type = INPUT_MOUSE;
      move.mi.dx = ((r.left + r.right) / 2 + dx) * 65536 / GetSystemMetrics(SM_CXSCREEN);
      move.mi.dy = (r.top + r.bottom) / 2 * 65536 / GetSystemMetrics(SM_CYSCREEN);
      move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
      SendInput(1, &move, sizeof move);
      PumpFor(30);
    }
    TTTOOLINFOW current = {};
    current.cbSize = TTTOOLINFOW_V2_SIZE;
    for (int waited = 0; waited < 3000; waited += 30) {
      if (IsWindowVisible(tooltip_) && SendMessageW(tooltip_, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)) &&
          current.uId == static_cast<UINT_PTR>(id))
        return current.hwnd;
      PumpFor(30);
    }
    return nullptr;
  };
  EXPECT_EQ(hover(IDC_LANDSCAPE), GetDlgItem(Page(), IDC_LANDSCAPE));
  EXPECT_EQ(hover(IDC_PORTRAIT), Page());
}

}  // namespace
