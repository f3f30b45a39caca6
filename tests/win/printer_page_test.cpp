// The Printer page on a real sheet: which options a model shows, how the record's values show
// and are kept, and the status monitor's window switch in the machine's registry.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "sheet_harness.h"

namespace {

constexpr wchar_t kMonitorKey[] = L"Software\\QXmMon\\QX_Office";

std::string Sample(const wchar_t* file) { return qxtest::ReadTextFile(qxtest::SourceDir() + L"\\samples\\" + file); }

// SMEnabled as the status monitor reads it: its type and value, or no type when missing.
DWORD StatusWindowValue(DWORD* type) {
  DWORD value = 0xDEAD, size = sizeof value;
  *type = REG_NONE;
  RegGetValueW(HKEY_LOCAL_MACHINE, kMonitorKey, L"SMEnabled", RRF_RT_ANY, type, &value, &size);
  return value;
}

class PrinterPageTest : public qxtest::SheetHarness {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kMonitorKey); }
  void TearDown() override {
    SheetHarness::TearDown();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kMonitorKey);
  }
  void OpenPrinter(const std::string& model, void (*prepare)(qxge::PrivateDevMode&) = nullptr,
                   std::vector<int32_t> pages = {4}) {
    Stage(L"QXPR", model, "[Common]\r\n");
    if (prepare != nullptr) prepare(Live().dmPrivate);
    Open(pages);
  }
  qxge::SettingsPage& Printer() { return *static_cast<qxge::SettingsPage*>(sheet_->Table().slots[4]); }
  qxge::PrivateDevMode& Working() { return Printer().WorkingRecord()->dmPrivate; }
};

TEST_F(PrinterPageTest, ShowsTheRecordClampedAndKeepsWhatTheDriverFixed) {
  OpenPrinter(Sample(L"office\\QX5000U.INI"), [](qxge::PrivateDevMode& p) {
    p.iOptTray = 3;
    p.iOptFinisher = -1;
    p.iHighAlt = 0xFFFF;
    p.iPowerSave = 90;
    p.iStaple = 4;
    p.iEvlSupply = 2;
  });
  EXPECT_FALSE(Shown(IDC_TRAY_CHECK));
  EXPECT_EQ(Items(IDC_TRAY), 2);
  EXPECT_EQ(Data(IDC_TRAY), 1);
  EXPECT_EQ(Data(IDC_FINISHER), 0);
  EXPECT_TRUE(Checked(IDC_HIGH_ALTITUDE) && Checked(IDC_STAPLER) && Checked(IDC_ENVELOPE_FEEDER));
  EXPECT_TRUE(Checked(IDC_POWER_SAVE) && Enabled(IDC_DELAY));
  EXPECT_EQ(Data(IDC_DELAY), 60);

  Click(IDC_HIGH_ALTITUDE);
  Apply();
  const qxge::PrivateDevMode& live = Live().dmPrivate;
  EXPECT_EQ(live.iOptTray, 1);
  EXPECT_EQ(live.iOptFinisher, -1);  // fixed by the driver: shown as None, never written
  EXPECT_EQ(live.iHighAlt, 0);       // written whatever it held
  EXPECT_EQ(live.iStaple, 4);        // a chosen position stays while the stapler does
  EXPECT_EQ(live.iPowerSave, 60);

  // The stapler: clearing it forgets the position, setting it again gives position "None".
  Click(IDC_STAPLER);
  EXPECT_EQ(Working().iStaple, 0);
  Click(IDC_STAPLER);
  EXPECT_EQ(Working().iStaple, 1);

  Click(IDC_POWER_SAVE);
  EXPECT_FALSE(Enabled(IDC_DELAY));
  EXPECT_EQ(Working().iPowerSave, 0);

  // Delays out of the list show its nearest end; power save that was off offers 15 minutes.
  for (const auto& [stored, shown] : {std::pair<uint16_t, intptr_t>{3, 5}, {0xFFFF, 60}, {0, 15}}) {
    Working().iPowerSave = stored;
    SendMessageW(Control(IDC_DELAY), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Printer().Refill();
    EXPECT_EQ(Data(IDC_DELAY), shown) << stored;
    EXPECT_EQ(Checked(IDC_POWER_SAVE), stored != 0);
  }
  Click(IDC_POWER_SAVE);
  EXPECT_EQ(Working().iPowerSave, 15);
}

TEST_F(PrinterPageTest, StatusWindowSwitchLivesInTheMonitorsKey) {
  OpenPrinter(Sample(L"office\\QX5000U.INI"));
  DWORD type = 0;
  // No key yet: the window is on, and nothing is written before the user changes something.
  EXPECT_TRUE(Shown(IDC_STATUS_WINDOW) && Checked(IDC_STATUS_WINDOW));
  StatusWindowValue(&type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
  Click(IDC_STATUS_WINDOW);
  EXPECT_EQ(StatusWindowValue(&type), 0u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  Click(IDC_STATUS_WINDOW);
  EXPECT_EQ(StatusWindowValue(&type), 1u);

  // Read at every fill; a value of another kind counts as missing, which means on.
  const DWORD off = 0;
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kMonitorKey, L"SMEnabled", REG_DWORD, &off, sizeof off);
  Printer().Refill();
  EXPECT_FALSE(Checked(IDC_STATUS_WINDOW));
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kMonitorKey, L"SMEnabled", REG_SZ, L"0", 4);
  Printer().Refill();
  EXPECT_TRUE(Checked(IDC_STATUS_WINDOW));
  // A key that cannot be opened leaves the box as the user left it.
  Click(IDC_STATUS_WINDOW);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kMonitorKey);
  Printer().Refill();
  EXPECT_FALSE(Checked(IDC_STATUS_WINDOW));
}

TEST_F(PrinterPageTest, AModelWithFewOptionsClosesItsRowsUp) {
  OpenPrinter(Sample(L"compact\\QX300U.INI"));
  EXPECT_FALSE(Shown(IDC_TRAY) || Shown(IDC_FINISHER) || Shown(IDC_TRAY_CHECK) || Shown(IDC_DUPLEX_UNIT));
  EXPECT_TRUE(Shown(IDC_ENVELOPE_FEEDER) && Shown(IDC_POWER_SAVE) && Shown(IDC_DELAY) && Shown(IDC_STATUS_WINDOW));
  // Template rows in dialog units: the first at 20, 16 apart; the envelope feeder's is the
  // fourth, the frame's end 24 below the delay's top, the Pop-up group 4 below the frame.
  const auto du = [this](int y) {
    RECT r{0, 0, 0, y};
    MapDialogRect(PageDialog(), &r);
    return static_cast<int>(r.bottom);
  };
  const int row = du(36) - du(20);
  EXPECT_NEAR(Bounds(IDC_ENVELOPE_FEEDER).top, du(69) - 3 * row, 1);
  EXPECT_NEAR(Bounds(IDC_POWER_SAVE).top, du(149) - 7 * row, 1);
  EXPECT_NEAR(Bounds(IDC_PRINTER_FRAME).bottom - Bounds(IDC_DELAY).top, du(201) - du(177), 2);
  EXPECT_NEAR(Bounds(IDC_POPUP_FRAME).top - Bounds(IDC_PRINTER_FRAME).bottom, du(4), 2);
}

TEST_F(PrinterPageTest, WithoutTheSwitchFeatureNothingIsWritten) {
  std::string model = Sample(L"compact\\QX300U.INI");
  model.replace(model.find("PrinterStatusWindow=1"), 21, "PrinterStatusWindow=0");
  OpenPrinter(model);
  Click(IDC_ENVELOPE_FEEDER);
  Apply();
  EXPECT_EQ(Live().dmPrivate.iEvlSupply, 1);
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMonitorKey, 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(PrinterPageTest, TheTrayCheckAndTheDuplexUnitReachTheOtherPages) {
  std::string model = Sample(L"office\\QX5000U.INI");
  model.replace(model.find("PrinterTrayCheck=0"), 18, "PrinterTrayCheck=1");
  model.replace(model.find("LayoutDoubleManual=1"), 20, "LayoutDoubleManual=0");
  OpenPrinter(model, [](qxge::PrivateDevMode& p) {
    p.iOptTray = 0;
    p.iDuplexUnit = 1;
  }, {4, 0});
  EXPECT_FALSE(Shown(IDC_TRAY));
  Click(IDC_TRAY_CHECK);
  EXPECT_EQ(Working().iOptTray, 1);
  Click(IDC_DUPLEX_UNIT);
  PropSheet_SetCurSel(window_, nullptr, 1);
  sheet_->Pump();
  EXPECT_EQ(Tip(IDC_DUPLEX_FRAME), L"To enable Double-sided Printing, click the Printer tab, check Duplex Unit.");
}

}  // namespace
