// The sheet as the driver builds it: captions and container sizes from the module, the shared
// blocks, the per-user default record, and a real property sheet driven by the host code.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <string>
#include <vector>

#include "sheethost/host_sheet.h"
#include "sheethost/module_package.h"
#include "sheet_harness.h"
#include "test_support.h"

namespace {

class SheetTest : public qxtest::SheetHarness {
 protected:
  qxge::PageInfoBlock Info(int32_t pageId) {
    qxge::PageInfoBlock info;
    std::memset(&info, 0xCD, sizeof info);
    module_.PageInfo(&info, pageId);
    return info;
  }
};

bool Untouched(const qxge::PageInfoBlock& info) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&info);
  for (size_t i = 0; i < sizeof info; ++i)
    if (bytes[i] != 0xCD) return false;
  return true;
}

TEST_F(SheetTest, PageInfoGivesCaptionsAndContainerSizesAndTheUserDefaultIsStored) {
  Stage(L"QXSA", "[Common]\r\nCaption=QX Sheet\r\n",
        "[Common]\r\nCPSUI_Scale_X=99\r\nCPSUI_Scale_Y=110\r\n[Paper Dialog]\r\nCaption=Papier\r\n"
        "[Deco Dialog]\r\nCaption=\r\n");

  qxge::PageInfoBlock layout = Info(0);
  EXPECT_STREQ(layout.caption, L"Layout");  // no caption key: the page name
  EXPECT_EQ(layout.width, 332);              // 336 * 99 / 100, truncated
  EXPECT_EQ(layout.height, 275);
  EXPECT_EQ(layout.window, reinterpret_cast<HWND>(static_cast<uintptr_t>(0xCDCDCDCDCDCDCDCDull)));
  EXPECT_STREQ(Info(1).caption, L"Papier");
  EXPECT_STREQ(Info(19).caption, L"Deco");  // an empty caption counts as missing
  EXPECT_STREQ(Info(20).caption, L"Printer");
  const qxge::PageInfoBlock sheet = Info(-1);
  EXPECT_STREQ(sheet.caption, L"QX Sheet");
  EXPECT_EQ(sheet.width, static_cast<int32_t>(0xCDCDCDCD));  // the sheet caption alone is written

  for (int32_t id : {8, 9, 22, -2, 1000}) EXPECT_TRUE(Untouched(Info(id))) << id;

  std::vector<uint8_t> record(qxge::kDriverDevModeBytes);
  for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(i * 7);
  module_.SaveDefDevMode(record.data());
  DWORD type = 0;
  EXPECT_EQ(qxtest::ReadUserValue(L"QXSA", L"TSF", L"Default DevMode", &type), record);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
}

TEST_F(SheetTest, HostBuildsTheSheetAndTheModuleResetsItsStateWords) {
  Stage(L"QXSE", "[Common]\r\nCaption=QX Office Preferences\r\n", "[Graphics Dialog]\r\nCaption=Grafik\r\n");
  std::vector<uint8_t> record = qxhost::DefaultRecord(L"QX_Office");
  const std::vector<uint8_t> before = record;
  {
    qxhost::HostSheet sheet(module_, {L"QX_Office", {0, 8, 2}, 0}, record.data());
    // Words left over from an earlier sheet must not survive the creation of the first page.
    auto& ctx = const_cast<qxge::SheetContext&>(sheet.Context());
    ctx.ended = ctx.applied = ctx.cancelled = 7;
    ctx.caller16 = 1;

    HWND window = sheet.Create(nullptr);
    ASSERT_NE(window, nullptr);
    sheet.Pump();
    EXPECT_EQ(ctx.ended, 0);
    EXPECT_EQ(ctx.applied, 0);
    EXPECT_EQ(ctx.cancelled, 0);
    EXPECT_EQ(ctx.caller16, 0);

    wchar_t caption[128];
    GetWindowTextW(window, caption, 128);
    EXPECT_STREQ(caption, L"QX Office Preferences");
    // Page 8 does not exist: the sheet has Layout and Graphics.
    HWND tabs = PropSheet_GetTabControl(window);
    ASSERT_EQ(TabCtrl_GetItemCount(tabs), 2);
    wchar_t title[64];
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = title;
    item.cchTextMax = 64;
    TabCtrl_GetItem(tabs, 1, &item);
    EXPECT_STREQ(title, L"Grafik");

    // The container is as large as the module asked, in the sheet's dialog units.
    HWND page = PropSheet_GetCurrentPageHwnd(window);
    RECT client;
    GetClientRect(page, &client);
    RECT units = {0, 0, 336, 250};
    MapDialogRect(page, &units);
    EXPECT_NEAR(client.right, units.right, 2);
    EXPECT_NEAR(client.bottom, units.bottom, 2);
    // The module keeps the sheet's slot table on the sheet window.
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&sheet.Table()));
    sheet.Close();
  }
  EXPECT_EQ(record, before);
}

TEST_F(SheetTest, ATableWithoutItsSheetLeavesTheContainersEmpty) {
  Stage(L"QXSF", "[Common]\r\n", "[Common]\r\n");
  std::vector<uint8_t> record = qxhost::DefaultRecord(L"QX_Office");
  qxhost::HostSheet sheet(module_, {L"QX_Office", {0, 4}, 0}, record.data());
  const_cast<qxge::PageSlotTable&>(sheet.Table()).context = nullptr;
  ASSERT_NE(sheet.Create(nullptr), nullptr);
  sheet.Pump();
  EXPECT_EQ(sheet.Table().slots[0], nullptr);
  EXPECT_EQ(sheet.Table().slots[4], nullptr);
  sheet.Close();
}

}  // namespace
