#include "record/record_report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace qxge {
namespace {

std::u16string Report(const DriverDevMode& before, const DriverDevMode& after) {
  return RecordDifferenceText(before, after);
}

TEST(RecordReport, IntegerLinesShowEachTypeAsItReads) {
  DriverDevMode before{}, after{};
  after.dmPrivate.iNup = 2;
  before.dmPrivate.iNup = 1;
  EXPECT_EQ(Report(before, after), u"dmPrivate.iNup: 1 (0x1) -> 2 (0x2)\n");

  after = before;
  before.dmPrivate.iPoster = -1;
  EXPECT_EQ(Report(before, after), u"dmPrivate.iPoster: -1 (0xffff) -> 0 (0x0)\n");

  before = after;
  before.dmPrivate.wPrintOrder = 65535;
  after.dmPrivate.wPrintOrder = 1;
  before.dmPrivate.lfItalic = 255;
  before.dmPrivate.FrameStyle = 0xFFFFFFFF;
  after.dmPrivate.FrameStyle = 0x80000000;
  after.dmPrivate.lfDecoWeight = 700;
  after.dmPublic.dmFields = 0x1A2B;
  EXPECT_EQ(Report(before, after),
            u"dmPublic.dmFields: 0 (0x0) -> 6699 (0x1a2b)\n"
            u"dmPrivate.wPrintOrder: 65535 (0xffff) -> 1 (0x1)\n"
            u"dmPrivate.FrameStyle: -1 (0xffffffff) -> -2147483648 (0x80000000)\n"
            u"dmPrivate.lfItalic: 255 (0xff) -> 0 (0x0)\n"
            u"dmPrivate.lfDecoWeight: 0 (0x0) -> 700 (0x2bc)\n");
}

TEST(RecordReport, TextsBlocksAndThePrinterName) {
  DriverDevMode before{}, after{};
  before.dmPublic.dmDeviceName.Write(u"QX_Office");
  after.dmPublic.dmDeviceName.Write(u"QX_Photo");
  after.dmPrivate.options[63] = 1;
  before.dmPrivate.cJobName.Write(u"Invoice");
  after.dmPrivate.cSecurePassword.Write(u"1234");
  // A full field shows all of its characters and nothing of the next field.
  after.dmPrivate.cPassword.Write(u"ABCDEFGHIJ");
  after.dmPrivate.cPrintingTime.Write(u"12:00");
  EXPECT_EQ(Report(before, after),
            u"dmPublic.dmDeviceName: QX_Office -> QX_Photo\n"
            u"dmPublic.dmDeviceName: binary differs\n"
            u"dmPrivate.options: binary differs\n"
            u"dmPrivate.cJobName: Invoice -> \n"
            u"dmPrivate.cPassword:  -> ABCDEFGH\n"
            u"dmPrivate.cPrintingTime:  -> 12:00\n"
            u"dmPrivate.cSecurePassword:  -> 1234\n");
}

TEST(RecordReport, HostTailAndTheDecorationFaceAreNotReported) {
  DriverDevMode before{}, after{};
  after.dmPrivate.Tail3989[40] = 9;
  after.dmPrivate.Reserved3986[1] = 9;
  after.dmPrivate.DecoStrFaceName.Write(u"Tahoma");
  EXPECT_EQ(Report(before, after), u"");
  EXPECT_EQ(Report(after, after), u"");
}

TEST(RecordReport, StaysWithinItsBufferWhenEverythingDiffers) {
  DriverDevMode before, after;
  std::memset(&before, 0x41, sizeof before);  // every text full of 'A'
  std::memset(&after, 0xFF, sizeof after);
  const std::u16string text = Report(before, after);
  ASSERT_FALSE(text.empty());
  EXPECT_LT(text.size(), kReportUnits);
  EXPECT_EQ(text.back(), u'\n');
  // It stops only when the next line would not fit.
  EXPECT_GT(text.size(), kReportUnits - 1 - 2 * 260 - 64);
  EXPECT_EQ(text.rfind(u"dmPublic.dmDeviceName: ", 0), 0u);
  EXPECT_EQ(text.find(u"dmPrivate.iDarkenText"), std::u16string::npos);
}

}  // namespace
}  // namespace qxge
