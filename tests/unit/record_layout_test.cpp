#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "record/driver_dev_mode.h"

namespace qxge {
namespace {

uint8_t ByteAt(const DriverDevMode& r, size_t offset) { return reinterpret_cast<const uint8_t*>(&r)[offset]; }

TEST(RecordLayout, FullTextFieldsReadBackWithinTheirLength) {
  DriverDevMode r;
  std::memset(&r, 0xFF, sizeof r);
  // Full: no terminator; the reader stops at the field's end, not in the next field.
  const std::u16string name(32, u'N');
  r.dmPublic.dmDeviceName.Write(name + u"overflow");
  EXPECT_EQ(r.dmPublic.dmDeviceName.Read(), name);
  EXPECT_EQ(r.dmPublic.dmSpecVersion, 0xFFFF);

  char16_t small[5];
  EXPECT_EQ(r.dmPublic.dmDeviceName.CopyTo(small, 5), 4u);
  EXPECT_EQ(std::u16string(small), u"NNNN");
  char16_t large[40];
  EXPECT_EQ(r.dmPublic.dmDeviceName.CopyTo(large, 40), 32u);
  EXPECT_EQ(std::u16string(large), name);

  // Short: terminated, the rest of the field cleared, the neighbours untouched.
  r.dmPrivate.cQuickSet.Write(u"Draft \u00e9");
  EXPECT_EQ(r.dmPrivate.cQuickSet.Read(), u"Draft \u00e9");
  EXPECT_EQ(ByteAt(r, 1757), 'D');
  EXPECT_EQ(ByteAt(r, 1757 + 11), 0x00);
  EXPECT_EQ(ByteAt(r, 1757 + 511), 0x00);
  EXPECT_EQ(r.dmPrivate.iWaterMarkStatus, 0xFFFF);
  EXPECT_EQ(r.dmPrivate.iOhpTray, -1);

  // A record of all 0xFF has texts of U+FFFF up to the field's end.
  EXPECT_EQ(r.dmPrivate.cPassword.Read(), std::u16string(8, u'\xFFFF'));
  r.dmPrivate.cPassword.Write(u"");
  EXPECT_TRUE(r.dmPrivate.cPassword.IsEmpty());
  EXPECT_EQ(r.dmPrivate.cPrintingTime.Length(), 20u);
}

}  // namespace
}  // namespace qxge
