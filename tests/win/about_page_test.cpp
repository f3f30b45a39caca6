// The About page and the About box on a real sheet: the model's information lines as the text
// file and the module's version block give them, and the links a model names.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "resources/version.h"
#include "sheet_harness.h"

namespace {

class AboutPageTest : public qxtest::SheetHarness {
 protected:
  void OpenWith(const std::string& aboutTexts, int32_t page) {
    Stage(L"QXAB", "[Common]\r\n", "[About Dialog]\r\n" + aboutTexts);
    CopyFileW((qxtest::SourceDir() + L"\\samples\\office\\QX_Office.VER").c_str(),
              (dir_ + L"\\QX_Office.VER").c_str(), FALSE);
    Open({page});
  }
};

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

TEST_F(AboutPageTest, TenInformationLinesAndOnlyTheLinksAModelNames) {
  OpenWith("M_Info1=$DRIVERNAME & co\r\nM_Info2=$VERSION\r\nM_Info4=$COPYRIGHT, $COPYRIGHTYEAR\r\n"
           "M_Info10=$COMMENT\r\nRef_URL_1=https://qx.example/support\r\nRef_URL_3=$URL_E3\r\n",
           5);
  // A missing third line stays an empty line; "$COPYRIGHTYEAR" is not taken for "$COPYRIGHT".
  EXPECT_EQ(qxtest::TextIn(PageDialog(), IDC_MODEL_INFO),
            L"QX Office 5000 PS & co\n" + Widen(QXGE_VERSION_TEXT) +
                L"\n\nCopyright (C) 2026 QX, 2026\n\n\n\n\n\nPrinting preferences and printer properties\n");
  // "&" is shown, not taken for an access key.
  EXPECT_NE(GetWindowLongW(Control(IDC_MODEL_INFO), GWL_STYLE) & SS_NOPREFIX, 0);
  EXPECT_TRUE(Shown(IDC_LINK_FIRST));
  EXPECT_FALSE(Shown(IDC_LINK_FIRST + 1));
  EXPECT_TRUE(Shown(IDC_LINK_FIRST + 2));
}

TEST_F(AboutPageTest, TheAboutBoxLeavesTheRecordAndApplyAlone) {
  OpenWith("M_Info1=$Model\r\n", 12);
  ASSERT_TRUE(Shown(IDC_ABOUT_BOX));
  const qxge::DriverDevMode& working = *static_cast<qxge::SettingsPage*>(sheet_->Table().slots[12])->WorkingRecord();
  const qxge::DriverDevMode before = working;
  std::wstring shown;
  qxtest::ModalDriver driver(IDC_MODEL_INFO, [&shown](HWND box) { shown = qxtest::TextIn(box, IDC_MODEL_INFO); },
                             IDOK);
  Click(IDC_ABOUT_BOX);
  EXPECT_TRUE(driver.opened());
  EXPECT_EQ(shown, L"QX Office 5000\n\n\n\n\n\n\n\n\n\n");
  EXPECT_EQ(std::memcmp(&before, &working, sizeof before), 0);
  EXPECT_FALSE(ApplyEnabled());
}

}  // namespace
