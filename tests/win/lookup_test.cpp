// The printer lookups as the pages meet them through Wine's spooler: the CUPS test printer for
// papers, driver files and a local port, and printers of our own on the ports of a test port
// monitor for the network address rules. The application object is started for the staged
// module of the test environment, so its text, version and module files are ones the tests wrote.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/driver_ui_app.h"
#include "collections/custom_papers.h"
#include "collections/record_cache.h"
#include "config/version_macros.h"
#include "platform/registry_key.h"
#include "platform/win_text.h"
#include "resources/version.h"
#include "test_support.h"
#include "printer/paper_names.h"
#include "printer/printer_lookup.h"

namespace {

using qxge::DriverDevMode;
using platform::U;
using platform::W;

std::u16string OfficePrinter() { return std::u16string(U(qxtest::TestPrinterName())); }

// A record as a host hands it over: the device mode head filled in for printer.
DriverDevMode RecordFor(const std::u16string& printer, int16_t paper = DMPAPER_A4) {
  DriverDevMode record{};
  record.dmPublic.dmDeviceName.Write(printer);
  record.dmPublic.dmSpecVersion = DM_SPECVERSION;
  record.dmPublic.dmSize = sizeof(DEVMODEW);
  record.dmPublic.dmDriverExtra = sizeof(DriverDevMode) - sizeof(DEVMODEW);
  record.dmPublic.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
  record.dmPublic.dmOrientation = DMORIENT_PORTRAIT;
  record.dmPublic.dmPaperSize = paper;
  return record;
}

class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(std::wstring(W(qxge::App().ModulePath())), qxtest::StagedModulePath())
        << "something started the application object before the test environment";
  }
};

TEST_F(LookupTest, PaperNameAndSizeAnswerForOfferedPapersAndLeaveTheRecordAsItWas) {
  DriverDevMode record = RecordFor(OfficePrinter(), DMPAPER_LETTER);
  record.dmPrivate.iFitPage = 7;
  const DriverDevMode before = record;
  const auto unchanged = [&] { return std::memcmp(&record, &before, sizeof record) == 0; };

  std::u16string name;
  POINT size = {};
  ASSERT_TRUE(qxge::PaperNameAndSize(record, &name, &size, DMPAPER_A4));
  EXPECT_EQ(name, u"A4");
  EXPECT_EQ(size.x, 2100);
  EXPECT_EQ(size.y, 2970);
  EXPECT_TRUE(unchanged());

  ASSERT_TRUE(qxge::PaperNameAndSize(record, &name, nullptr));  // the record's own paper
  EXPECT_EQ(name, u"Letter");

  // A paper the printer does not offer, and a printer that is not there.
  name = u"kept";
  size = {-1, -2};
  EXPECT_FALSE(qxge::PaperNameAndSize(record, &name, &size, DMPAPER_A3));
  DriverDevMode missing = RecordFor(u"QX_NoSuchPrinter");
  missing.dmPrivate.iFitPage = -3;
  EXPECT_FALSE(qxge::PaperNameAndSize(missing, &name, &size));
  EXPECT_EQ(name, u"kept");
  EXPECT_EQ(size.x, -1);
  EXPECT_EQ(size.y, -2);
  EXPECT_TRUE(unchanged());
  EXPECT_EQ(missing.dmPrivate.iFitPage, -3);
}

TEST_F(LookupTest, VersionTextsComeFromTheFileNamedAfterTheDriversDataFile) {
  const std::u16string path = qxge::VersionFilePath(RecordFor(OfficePrinter()));
  EXPECT_EQ(path, qxge::App().ModuleDir() + u"QX_Office.VER");
  EXPECT_EQ(qxge::VersionFilePath(RecordFor(u"QX_NoSuchPrinter")), u"");

  // What the first page of a sheet does, then an expanded read as the pages make it.
  qxge::App().VersionFile().SetFile(path, false);
  qxge::ProfileFile& text = qxge::App().TextFile();
  text.SetSection(u"About Dialog");
  EXPECT_EQ(text.ReadText(u"Line", nullptr, true), u"QX Office 5000 PS 1.0, http://%s/ http://%s/");
  EXPECT_EQ(text.ReadText(u"Line"), u"$DRIVERNAME $MAINVERSION, $URL_E1 $URL_E1$URL_E4");

  // The module's own version resource, for the About page.
  const std::string version = QXGE_VERSION_TEXT;
  EXPECT_EQ(qxge::ModuleVersionString(qxge::App().ModulePath(), u"FileVersion"), std::u16string(version.begin(), version.end()));
  EXPECT_EQ(qxge::ModuleVersionString(qxge::App().ModulePath(), u"CompanyName"), u"QX");
  EXPECT_EQ(qxge::ModuleVersionString(qxge::App().ModulePath(), u"NoSuchString"), u"");
}

TEST_F(LookupTest, ASheetsWorkingRecordIsForTheSheetsPrinter) {
  // A host may hand over a record whose device name is not the printer's (a renamed queue).
  DriverDevMode live = RecordFor(u"Renamed queue");
  qxge::SheetContext sheet = {};
  sheet.liveRecord = reinterpret_cast<uint8_t*>(&live);
  lstrcpyW(sheet.printerName, L"QX_Office");
  qxge::SheetRecords records;
  ASSERT_TRUE(qxge::Records().Acquire(sheet, records));
  EXPECT_EQ(qxge::PrinterNameOf(*records.working), u"QX_Office");
  EXPECT_EQ(qxge::VersionFilePath(*records.working), qxge::App().ModuleDir() + u"QX_Office.VER");
  EXPECT_EQ(qxge::PrinterNameOf(live), u"Renamed queue");
  qxge::Records().Release(sheet);
}

TEST_F(LookupTest, PaperSizeTextsUseTheTranslationReadOnceAndKeepTheCallersSection) {
  qxge::ProfileFile& text = qxge::App().TextFile();
  text.SetSection(u"Paper Dialog");
  EXPECT_EQ(qxge::PaperSizeText(2100, 2970, false, true), u" (210 x 297 Millimeter)");
  EXPECT_EQ(qxge::PaperSizeText(2159, 2794, true, false), u"8.50 x 11.00 in");
  EXPECT_EQ(text.Section(), u"Paper Dialog");

  // A translator's edit shows at the next start of the module, not in the middle of a sheet.
  qxtest::WriteTextFile(std::wstring(W(qxge::App().TextFileBase())) + L".DAT", qxtest::StagedTextFile("%s by %s"));
  EXPECT_EQ(qxge::PaperSizeText(1480, 2100, false, false), u"148 x 210 Millimeter");
}

TEST_F(LookupTest, TheLocalCupsPrinterHasNoNetworkAddress) {
  const DriverDevMode office = RecordFor(OfficePrinter());
  const auto port = qxge::GetPrinterPort(office);
  ASSERT_TRUE(port.has_value());
  EXPECT_FALSE(port->name.empty());
  EXPECT_FALSE(qxge::IsNetworkPort(office));
  EXPECT_EQ(qxge::GetPrinterHost(office), u"");

  const DriverDevMode missing = RecordFor(u"QX_NoSuchPrinter");
  EXPECT_FALSE(qxge::GetPrinterPort(missing).has_value());
  EXPECT_FALSE(qxge::IsNetworkPort(missing));
  EXPECT_EQ(qxge::GetPrinterHost(missing), u"");
}

// The machine keys of the port monitors, as a monitor's set-up program leaves them.
const std::wstring kMonitors = L"System\\CurrentControlSet\\Control\\Print\\Monitors\\";
const std::wstring kTcpPorts = kMonitors + L"Standard TCP/IP Port\\Ports\\";
const std::wstring kLanMonitor = kMonitors + L"QX LAN Monitor\\";

void SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  platform::RegistryKey k;
  ASSERT_TRUE(k.Create(HKEY_LOCAL_MACHINE, key.c_str(), KEY_ALL_ACCESS));
  ASSERT_TRUE(k.SetString(name, value));
}

void SetAnsiValue(const std::wstring& key, const char* name, const std::string& value) {
  platform::RegistryKey k;
  ASSERT_TRUE(k.Create(HKEY_LOCAL_MACHINE, key.c_str(), KEY_ALL_ACCESS));
  ASSERT_EQ(RegSetValueExA(k.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1)),
            ERROR_SUCCESS);
}

// Printers on the ports of tests/win/monitor, whose monitor names are the ones the rules name.
TEST_F(LookupTest, TheUsersCustomSizesArePapersFromNumber257) {
  {
    qxge::CustomPaperItem poster(u"Poster 20x25", 2000, 2500, false), broken(u"Broken", 0, 100, false);
    poster.Save(0);
    broken.Save(1);
    poster.SetCount(2, nullptr);
  }
  DriverDevMode record = RecordFor(OfficePrinter(), 257);
  std::u16string name;
  POINT size = {};
  ASSERT_TRUE(qxge::PaperNameAndSize(record, &name, &size));
  EXPECT_EQ(name, u"Poster 20x25");
  EXPECT_EQ(size.x, 2000);
  EXPECT_EQ(size.y, 2500);
  EXPECT_FALSE(qxge::PaperNameAndSize(record, &name, &size, 258));  // stored, but no size
  EXPECT_EQ(qxge::PrinterPaperNames(record).PaperNames({257, DMPAPER_A4, 258}), u"Poster 20x25, A4");
  // A printer that reports no papers has no custom sizes either.
  DriverDevMode missing = RecordFor(u"QX_NoSuchPrinter", 257);
  EXPECT_FALSE(qxge::PaperNameAndSize(missing, &name, &size));
  qxtest::ForgetUser(qxtest::kStagedBase);
}

class LookupNetworkTest : public LookupTest {
 protected:
  void TearDown() override {
    for (const std::wstring& key : {kTcpPorts + L"QXTCP_ADDRESS:", kTcpPorts + L"QXTCP_HOST:", kLanMonitor})
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
  }
  DriverDevMode PrinterOn(const wchar_t* name, const wchar_t* port, DWORD attributes = 0) {
    EXPECT_TRUE(printers_.Add(name, port, attributes)) << "AddPrinterW " << GetLastError();
    return RecordFor(U(name));
  }

  qxtest::MonitorPrinters printers_;
};

TEST_F(LookupNetworkTest, HostAddressFollowsThePortMonitorsSettings) {
  // Standard TCP/IP ports: the address, else the host name resolved.
  SetValue(kTcpPorts + L"QXTCP_ADDRESS:", L"IPAddress", L"10.1.2.3");
  SetAnsiValue(kTcpPorts + L"QXTCP_ADDRESS:", "HostName", "localhost");
  SetValue(kTcpPorts + L"QXTCP_HOST:", L"IPAddress", L"");
  SetAnsiValue(kTcpPorts + L"QXTCP_HOST:", "HostName", "localhost");
  EXPECT_EQ(qxge::GetPrinterHost(PrinterOn(L"QX_LookupTcpAddress", L"QXTCP_ADDRESS:")), u"10.1.2.3");
  EXPECT_EQ(qxge::GetPrinterHost(PrinterOn(L"QX_LookupTcpHost", L"qxtcp_host:")), u"127.0.0.1");

  // Another monitor: its port-name address, else its own port key's address, else its DNS
  // name resolved. A value of the wrong type or too long for its buffer counts as absent.
  SetValue(kLanMonitor + L"Port Names\\QXLAN_DEVICE:", L"DeviceIP", L"10.0.0.9");
  SetValue(kLanMonitor + L"QXLAN_DEVICE:", L"IP", L"10.0.0.99");
  const DWORD number = 0x0A00000B;
  platform::RegistryKey wrongType;
  ASSERT_TRUE(wrongType.Create(HKEY_LOCAL_MACHINE, (kLanMonitor + L"Port Names\\QXLAN_IP:").c_str(), KEY_ALL_ACCESS));
  ASSERT_TRUE(wrongType.Set(L"DeviceIP", REG_DWORD, &number, sizeof number));
  wrongType.Close();
  SetValue(kLanMonitor + L"QXLAN_IP:", L"IP", L"10.0.0.10");
  SetValue(kLanMonitor + L"QXLAN_DNS:", L"IP", std::wstring(300, L'9'));
  SetAnsiValue(kLanMonitor + L"QXLAN_DNS:", "DNSName", "localhost");
  EXPECT_EQ(qxge::GetPrinterHost(PrinterOn(L"QX_LookupLanDevice", L"QXLAN_DEVICE:")), u"10.0.0.9");
  EXPECT_EQ(qxge::GetPrinterHost(PrinterOn(L"QX_LookupLanIp", L"QXLAN_IP:")), u"10.0.0.10");
  EXPECT_EQ(qxge::GetPrinterHost(PrinterOn(L"QX_LookupLanDns", L"QXLAN_DNS:")), u"127.0.0.1");

  // Nothing known, or an empty host name: no address.
  const DriverDevMode usb = PrinterOn(L"QX_LookupUsb", L"QXUSB_1:");
  EXPECT_EQ(qxge::GetPrinterHost(usb), u"");
  SetAnsiValue(kTcpPorts + L"QXTCP_HOST:", "HostName", "");
  EXPECT_EQ(qxge::GetPrinterHost(RecordFor(u"QX_LookupTcpHost")), u"");
}

TEST_F(LookupNetworkTest, NetworkPortsByTheSpoolersFlagOrALanMonitor) {
  EXPECT_EQ(qxge::GetPortMonitor(u"qxlan_device:"), u"QX LAN Monitor");
  EXPECT_EQ(qxge::GetPortMonitor(u"QXLAN_NONE:"), u"");

  EXPECT_TRUE(qxge::IsNetworkPort(PrinterOn(L"QX_LookupLan", L"QXLAN_DEVICE:")));
  EXPECT_FALSE(qxge::IsNetworkPort(PrinterOn(L"QX_LookupUsb", L"QXUSB_1:")));
  EXPECT_TRUE(qxge::IsNetworkPort(PrinterOn(L"QX_LookupShared", L"QXUSB_1:", PRINTER_ATTRIBUTE_NETWORK)));
  // The monitor's name is matched as written: "TCPMON.DLL" holds no "LAN".
  EXPECT_FALSE(qxge::IsNetworkPort(PrinterOn(L"QX_LookupTcp", L"QXTCP_ADDRESS:")));
}

}  // namespace
