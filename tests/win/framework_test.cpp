// The sheet framework as a host and a user meet it: pages attach inside the containers, share
// one working record, mark the sheet changed only while the record really differs, apply into
// the host's record, and fill an empty text file with every key they use.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "config/dialog_localiser.h"
#include "config/profile_file.h"
#include "config/profile_storage_win.h"
#include "platform/win_text.h"
#include "record/driver_dev_mode.h"
#include "resources/resource.h"
#include "sheet_harness.h"
#include "test_support.h"

namespace {

using FrameworkTest = qxtest::SheetHarness;

TEST_F(FrameworkTest, ApplyFollowsTheRecordAndAnApplyReachesTheHost) {
  Stage(L"QXFA", "[Common]\r\n", "[Common]\r\n");
  // A resolution the Graphics page offers, so that showing the record changes nothing.
  Live().dmPublic.dmFields |= DM_PRINTQUALITY;
  Live().dmPublic.dmPrintQuality = 600;
  Live().dmPrivate.iResolution = 600;
  Open({0, 1, 2});
  ASSERT_NE(PageDialog(), nullptr);
  EXPECT_EQ(Live().dmPrivate.IsMMInch, 0);
  EXPECT_EQ(IsDlgButtonChecked(PageDialog(), IDC_UNITS_MM), BST_CHECKED);
  EXPECT_FALSE(ApplyEnabled());

  Click(IDC_UNITS_INCH);
  EXPECT_TRUE(ApplyEnabled());
  Click(IDC_UNITS_MM);  // undone by hand: nothing left to apply
  EXPECT_FALSE(ApplyEnabled());

  Click(IDC_UNITS_INCH);
  // Another page shows the shared working record when it becomes active.
  PropSheet_SetCurSel(window_, nullptr, 2);
  sheet_->Pump();
  EXPECT_EQ(IsDlgButtonChecked(PageDialog(), IDC_UNITS_INCH), BST_CHECKED);
  EXPECT_EQ(Live().dmPrivate.IsMMInch, 0);  // not before the apply
  // Undone on another page than the one that made the change.
  Click(IDC_UNITS_MM);
  EXPECT_FALSE(ApplyEnabled());
  Click(IDC_UNITS_INCH);
  EXPECT_TRUE(ApplyEnabled());

  Apply();
  EXPECT_EQ(Live().dmPrivate.IsMMInch, 1);
  EXPECT_EQ(sheet_->Context().applied, 1);
  EXPECT_EQ(sheet_->Context().ended, 1);
  EXPECT_EQ(sheet_->Context().cancelled, 0);
  EXPECT_FALSE(ApplyEnabled());
  // The page that was marked before the apply marks the sheet again.
  Click(IDC_UNITS_MM);
  EXPECT_TRUE(ApplyEnabled());
  Click(IDC_UNITS_INCH);
  EXPECT_FALSE(ApplyEnabled());

  sheet_->Close();  // Cancel after an apply leaves all three words set
  EXPECT_EQ(sheet_->Context().cancelled, 1);
  EXPECT_EQ(sheet_->Context().applied, 1);
  EXPECT_EQ(sheet_->Table().closing, 1);
  for (const void* slot : sheet_->Table().slots) EXPECT_EQ(slot, nullptr);
}

TEST_F(FrameworkTest, NeverMarkFlagKeepsApplyGrey) {
  Stage(L"QXFB", "[Common]\r\n", "[Common]\r\n");
  Open({0}, qxge::kSheetNeverMark);
  Click(IDC_UNITS_INCH);
  EXPECT_FALSE(ApplyEnabled());
}

// Every rule that turns controls on, the colour model's and the Extras page's dialog buttons
// among them, still leaves them all off.
TEST_F(FrameworkTest, ReadOnlySheetDisablesEveryControl) {
  Stage(L"QXFC", qxtest::ReadTextFile(qxtest::SourceDir() + L"\\samples\\color\\QX700U.INI"), "[Common]\r\n");
  Live().dmPrivate.iColorOptions = 1;
  Live().dmPrivate.iGrayMode = 1;
  Live().dmPrivate.iOutPut = 3;
  Open({0, 2, 3, 4, 5}, qxge::kSheetReadOnly);
  for (int page = 0; page < 5; ++page) {
    PropSheet_SetCurSel(window_, nullptr, page);
    sheet_->Pump();
    int controls = 0;
    for (HWND child = GetWindow(PageDialog(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      ++controls;
      EXPECT_FALSE(IsWindowEnabled(child)) << "page " << page << " control " << GetDlgCtrlID(child);
    }
    EXPECT_GT(controls, 0);
  }
}

TEST_F(FrameworkTest, EmptyTextFileIsFilledWhileWriteBackIsOn) {
  Stage(L"QXFD", "[Common]\r\nShowDevmodeChanges=1\r\n", "");
  Open({0, 2, 4});
  wchar_t caption[64];
  GetWindowTextW(PageDialog(), caption, 64);
  EXPECT_STREQ(caption, L"Layout");
  PropSheet_SetCurSel(window_, nullptr, 1);  // the Graphics page, whose lists name their items
  sheet_->Pump();
  sheet_->Close();

  const std::string text = Read(L"QXFDEN.DAT");
  // A control's text, tooltip and help topic; a text-less control by its class and id; the
  // sections of the pages shown and of the preview; the items of a page's lists.
  for (const char* line : {"[Common]\r\n", "Untitled=Untitled\r\n", "Save=&Save\r\n", "Save tooltip=Save tooltip\r\n",
                           "Save topic=\r\n", "[Layout Dialog]\r\n", "Caption=Layout\r\n", "Caption topic=\r\n",
                           "Static:1128 tooltip=Static:1128 tooltip\r\n", "[Preview]\r\n", "[Printer Dialog]\r\n",
                           "[Graphics Dialog]\r\n", "Maximum=Maximum\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  // Group boxes have neither tooltip nor topic.
  EXPECT_EQ(text.find("Favorites tooltip"), std::string::npos);
  // The model file learns its caption key, with the printer's name.
  EXPECT_NE(Read(L"QXFDU.INI").find("Caption=QX_Office\r\n"), std::string::npos);
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// A control's template text is its key and, without a translation, what it shows less a
// "(digit)" that only tells equal texts apart; edits, date pickers and icons keep their texts
// and are known by class and id.
TEST(Localisation, TemplateTextsAreKeysAndDefaults) {
  struct {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
  } empty = {{WS_POPUP, 0, 0, 0, 0, 300, 200}, 0, 0, 0};
  const HWND page = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &empty.header, nullptr, PlainDialogProc, 0);
  ASSERT_NE(page, nullptr);
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
  const struct {
    const wchar_t* type;
    const wchar_t* text;
    DWORD style;
    int id;
  } controls[] = {{L"STATIC", L"Type(1)", 0, 1101},          {L"STATIC", L"Copies (1-99)", 0, 1102},
                  {L"BUTTON", L"&Portrait", BS_AUTORADIOBUTTON, 1103}, {L"EDIT", L"12", 0, 1104},
                  {L"SysDateTimePick32", L"", 0, 1105},      {L"STATIC", L"", SS_ICON, 1088}};
  for (const auto& c : controls)
    CreateWindowExW(0, c.type, c.text, WS_CHILD | c.style, 0, 0, 40, 20, page,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr), nullptr);

  const std::wstring folder = qxtest::FreshFolder(L"QXLOC");
  const std::wstring path = folder + L"\\QXLOCEN.DAT";
  qxge::Win32ProfileStorage storage;
  qxge::ProfileFile text(storage);
  text.SetFile(platform::U(path), false);
  const int32_t writeBack = 1;
  text.SetWriteBack(&writeBack);
  qxge::PageTooltip noTooltip;
  std::vector<qxge::HelpTopic> help;
  qxge::LocaliseContext context{&text, u"Test Dialog", &noTooltip, &help, true, false};
  qxge::LocaliseChildren(page, context);

  const auto shown = [&](int id) {
    wchar_t buffer[64] = {};
    GetDlgItemTextW(page, id, buffer, 64);
    return std::wstring(buffer);
  };
  EXPECT_EQ(shown(1101), L"Type");
  EXPECT_EQ(shown(1102), L"Copies (1-99)");
  EXPECT_EQ(shown(1103), L"&Portrait");
  EXPECT_EQ(shown(1104), L"12");
  const std::string file = qxtest::ReadTextFile(path);
  for (const char* line : {"Type(1)=Type\r\n", "Copies (1-99)=Copies (1-99)\r\n", "Portrait=&Portrait\r\n",
                           "Edit:1104 tooltip=", "SysDateTimePick32:1105 tooltip=", "ICON:1088 topic="})
    EXPECT_NE(file.find(line), std::string::npos) << line;
  EXPECT_EQ(file.find("12"), std::string::npos);
  DestroyWindow(page);
}

// What WinHelp hands the help window it finds: the request's header, the file and the keyword.
struct WinHelpRequest {
  UINT command = 0;
  LONG data = 0;
  std::string file, keyword;
};
std::vector<WinHelpRequest> g_winHelp;

LRESULT CALLBACK WinHelpWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COPYDATA) return DefWindowProcW(hwnd, message, wParam, lParam);
  const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  struct Header {
    WORD size, command;
    LONG data, reserved;
    WORD pathAt, dataAt;
  };
  const auto* bytes = static_cast<const char*>(copy->lpData);
  const auto* header = reinterpret_cast<const Header*>(bytes);
  WinHelpRequest request;
  request.command = header->command;
  request.data = header->data;
  if (header->pathAt != 0) request.file = bytes + header->pathAt;
  if (header->dataAt != 0) request.keyword = bytes + header->dataAt;
  g_winHelp.push_back(request);
  return TRUE;
}

// Help opens where the text file points: a WinHelp context for the page, a keyword, and an HTML
// topic inside the help file named after the text file with the model's anchor.
TEST_F(FrameworkTest, HelpOpensTheTopicTheTextFileNames) {
  // The recorder, loaded first, is the control the module finds (the test run lets no built-in
  // control of that name in).
  const HMODULE htmlHelp = LoadLibraryW((qxtest::BinaryDir() + L"\\recorder\\hhctrl.ocx").c_str());
  ASSERT_NE(htmlHelp, nullptr);
  using LastFn = const wchar_t*(*)(UINT*, HWND*);
  const auto lastHtmlHelp = reinterpret_cast<LastFn>(reinterpret_cast<void*>(GetProcAddress(htmlHelp, "LastHtmlHelp")));
  ASSERT_NE(lastHtmlHelp, nullptr);
  WNDCLASSW type = {};
  type.lpfnWndProc = WinHelpWindowProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = L"MS_WINHELP";
  RegisterClassW(&type);
  const HWND winHelp = CreateWindowExW(0, L"MS_WINHELP", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(winHelp, nullptr);
  g_winHelp.clear();

  Stage(L"QXFH", "[Common]\r\n",
        "[Common]\r\nSave=&Sichern\r\nPrinter Default=Druckervorgabe\r\n[Preview]\r\nmm=Millimeter\r\n"
        "[Layout Dialog]\r\nCaption=Seitenlayout\r\nCaption topic=1234\r\nLandscape topic=Orientation\r\n"
        "Portrait topic=layout/Orient.HTM\r\n");
  Open({0});
  // Translated texts replace the template's.
  for (const auto& [id, shown] : {std::pair{IDC_FAVORITE_SAVE, L"&Sichern"}, std::pair{IDC_UNITS_MM, L"Millimeter"},
                                  std::pair{IDC_FAVORITES, L"Druckervorgabe"}, std::pair{0, L"Seitenlayout"}}) {
    wchar_t text[64];
    GetWindowTextW(id == 0 ? PageDialog() : Control(id), text, 64);
    EXPECT_STREQ(text, shown);
  }
  NMHDR help = {window_, 0, static_cast<UINT>(PSN_HELP)};
  SendMessageW(PropSheet_GetCurrentPageHwnd(window_), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&help));
  const auto pressF1 = [&](int id) {
    HELPINFO info = {sizeof info, HELPINFO_WINDOW, id, Control(id), 0, {0, 0}};
    SendMessageW(PageDialog(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  };
  pressF1(IDC_LANDSCAPE);
  pressF1(IDC_PORTRAIT);
  pressF1(IDC_UNITS_MM);  // no topic: nothing opens

  ASSERT_EQ(g_winHelp.size(), 2u);
  EXPECT_EQ(g_winHelp[0].command, static_cast<UINT>(HELP_CONTEXT));
  EXPECT_EQ(g_winHelp[0].data, 1234);
  EXPECT_NE(g_winHelp[0].file.find("QXFHEN.HLP"), std::string::npos) << g_winHelp[0].file;
  EXPECT_EQ(g_winHelp[1].command, static_cast<UINT>(HELP_KEY));
  EXPECT_EQ(g_winHelp[1].keyword, "Orientation");
  UINT command = 99;
  HWND owner = nullptr;
  const std::wstring address = lastHtmlHelp(&command, &owner);
  EXPECT_EQ(command, 0u);  // display the topic
  EXPECT_EQ(owner, nullptr);
  const std::wstring prefix = dir_ + L"\\QXFHEN.chm::/layout/Orient.HTM#";
  EXPECT_EQ(address.substr(0, prefix.size()), prefix);
  EXPECT_GT(address.size(), prefix.size());  // the model's anchor
  EXPECT_EQ(std::wstring(lastHtmlHelp(&command, &owner)), L"");
  Close();
  DestroyWindow(winHelp);
}

}  // namespace
