#include "pages/troubleshooting_page.h"

#include <string>

#include "app/driver_ui_app.h"
#include "config/model_features.h"
#include "pagebase/web_links.h"
#include "pages/about_page.h"
#include "pages/sentry_dialog.h"
#include "platform/combo_box.h"
#include "platform/win_text.h"
#include "printer/raw_job.h"
#include "printer/status_watch.h"
#include "resources/resource.h"

namespace qxge {
namespace {

using platform::ComboBox;

struct TestPage {
  const char16_t* caption;
  const char* keyword;
};
// The printer's own pages, in the order the list offers them; a model names them from 1.
constexpr TestPage kTestPages[] = {{u"Config Page", "CONFIG"},     {u"Connection Page", "CONNECTION"},
                                   {u"Menu Map", "MENUMAP"},       {u"PCL Font List", "PCLFONT"},
                                   {u"PS Font List", "PSFONT"},    {u"Flash Directory", "PCLFSFONT"},
                                   {u"Office Demo", "DEMO"},       {u"2-Sided Demo", "DUPLEXDEMO"},
                                   {u"Test Print", "PATTERN"}};
constexpr int kTestPageCount = static_cast<int>(sizeof kTestPages / sizeof kTestPages[0]);

const int kSentryGroup[] = {IDC_SENTRY_FRAME, IDC_SENTRY_TEXT, IDC_SENTRY_LAST_TOPIC, IDC_SENTRY_SETTINGS, 0};
const int kTestPagesGroup[] = {IDC_TEST_PAGES_FRAME, IDC_TEST_PAGES_TEXT, IDC_TEST_PAGES, IDC_TEST_PRINT, 0};
const int kLinksGroup[] = {IDC_LINKS_FRAME,      IDC_LINK_FIRST,      IDC_LINK_FIRST + 1, IDC_LINK_FIRST + 2,
                           IDC_LINK_FOURTH,      IDC_LINK_FOURTH + 1, IDC_LINK_FOURTH + 2, 0};
const COLORREF kLinkColour = RGB(0, 0, 255);

// The printer's answer to "print your page": PJL between two universal exits.
std::string TestPrintRequest(const char* keyword) {
  return std::string("\x1b%-12345X@PJL TEST PRINT=") + keyword + "\n\x1b%-12345X";
}

}  // namespace

BOOL TroubleshootingPage::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  for (int i = 0; i < kLinks; ++i) links_[i].Attach(Item(IDC_LINK_FIRST + i));
  SetUpLinks(*this, IDC_LINK_FIRST, targets_.data(), kLinks);
  if (App().Features().TroubleSentry == 0) {
    const POINT up{0, -ControlOffset(IDC_TEST_PAGES_FRAME, IDC_SENTRY_FRAME, false).y};
    ShowControls(kSentryGroup, 0);
    ShowControls(kTestPagesGroup, -1, &up);
    ShowControls(kLinksGroup, -1, &up);
  }
  FillTestPages();
  if (ComboBox(Item(IDC_TEST_PAGES)).Count() == 0) {
    const POINT up{0, -ControlOffset(IDC_LINKS_FRAME, IDC_TEST_PAGES_FRAME, false).y};
    ShowControls(kTestPagesGroup, 0);
    ShowControls(kLinksGroup, -1, &up);
  }
  // A link without a value is hidden; one whose printer has no address stays, greyed.
  const auto shown = [this](int i) { return (GetWindowLongW(links_[i].Handle(), GWL_STYLE) & WS_VISIBLE) != 0; };
  if (!shown(0) && !shown(1) && !shown(2) && !shown(3) && !shown(4) && !shown(5)) {
    ShowControl(IDC_LINKS_FRAME, 0);
  } else if (!shown(3) && !shown(4) && !shown(5)) {
    // One column of links needs only half the group's width.
    const SIZE narrower{-ControlOffset(IDC_LINK_FOURTH, IDC_LINK_FIRST, false).x / 2, 0};
    PlaceControl(IDC_LINKS_FRAME, nullptr, &narrower);
  }
  sentryLink_.Attach(Item(IDC_SENTRY_LAST_TOPIC));
  sentryLink_.Setup(kLinkColour, false);
  for (int i = 0; i < kLinks; ++i) {
    const RECT hot = links_[i].Setup(kLinkColour, false);
    // The target shows where the words are, not over the empty rest of the cell; the link
    // takes the mouse itself, so the tip is its own.
    if (!targets_[i].empty()) Tooltip().SetText(IDC_LINK_FIRST + i, false, targets_[i], 0, &hot);
  }
  return result;
}

void TroubleshootingPage::FillTestPages() {
  const IntList& offered = App().Features().TestPages;
  const ComboBox pages(Item(IDC_TEST_PAGES));
  for (int i = 0; i < kTestPageCount; ++i)
    if (offered.empty() || ModelFeatures::ListContains(i + 1, offered))
      pages.Add(platform::W(ItemText(kTestPages[i].caption)), i);
  if (pages.Count() > 0) SendMessageW(pages.Handle(), CB_SETCURSEL, 0, 0);
}

void TroubleshootingPage::PrintTestPage() {
  const ComboBox pages(Item(IDC_TEST_PAGES));
  const intptr_t index = pages.SelectedData();
  if (index < 0 || index >= kTestPageCount || working_ == nullptr) return;
  const std::u16string caption = platform::WindowText(pages.Handle());
  SendRawJob(*working_, caption, TestPrintRequest(kTestPages[index].keyword).c_str(), -1);
}

void TroubleshootingPage::ViewLastTopic() {
  if (working_ == nullptr) return;
  const std::u16string topic = ReadLastSentryTopic(*working_);
  if (!topic.empty()) ShowHtmlHelp(App().ModuleDir() + topic);
}

bool TroubleshootingPage::OnCommand(int id, int code, HWND control) {
  if (id >= IDC_LINK_FIRST && id < IDC_LINK_FIRST + kLinks) {
    if (working_ != nullptr && !targets_[id - IDC_LINK_FIRST].empty())
      OpenLink(Handle(), *working_, targets_[id - IDC_LINK_FIRST]);
    return true;
  }
  switch (id) {
    case IDC_TEST_PRINT:
      if (code == BN_CLICKED) PrintTestPage();
      return true;
    case IDC_SENTRY_LAST_TOPIC:
      ViewLastTopic();
      return true;
    case IDC_ABOUT_BOX:
      // The box only shows texts: the record and the sheet's Apply stay as they are.
      if (code == BN_CLICKED) AboutDialog(Handle(), working_).RunModal();
      return true;
    case IDC_SENTRY_SETTINGS:
      if (code == BN_CLICKED && working_ != nullptr) SentrySettingsDialog(Handle(), working_).RunModal();
      return true;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
}

}  // namespace qxge
