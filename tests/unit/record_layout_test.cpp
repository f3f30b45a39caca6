#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

#include "record/driver_dev_mode.h"

namespace qxge {
namespace {

uint8_t ByteAt(const DriverDevMode& r, size_t offset) { return reinterpret_cast<const uint8_t*>(&r)[offset]; }

const FieldInfo* FindField(const char* name) {
  for (const FieldInfo& f : kRecordFields)
    if (std::strcmp(f.name, name) == 0) return &f;
  return nullptr;
}

TEST(RecordLayout, FieldsSitAtTheirStoredOffsetsWithoutAlignment) {
  DriverDevMode r{};
  r.dmPublic.dmFields = 0x11223344;
  r.dmPrivate.iWaterAngle = -2;
  r.dmPrivate.lfWeight = 0x01020304;
  r.dmPrivate.lfItalic = 0xAB;
  r.dmPrivate.iWaterMarkStatus = 0xCDEF;
  r.dmPrivate.iOhpTray = 0x0102;
  r.dmPrivate.iOptTray = 0x7788;
  r.dmPrivate.FrameStyle = 0xA0B0C0D0;
  r.dmPrivate.Tail3989[85] = 0x5A;

  EXPECT_EQ(ByteAt(r, 72), 0x44);
  EXPECT_EQ(ByteAt(r, 75), 0x11);
  EXPECT_EQ(ByteAt(r, 1662), 0xFE);
  EXPECT_EQ(ByteAt(r, 1663), 0xFF);
  EXPECT_EQ(ByteAt(r, 1730), 0xD0);
  EXPECT_EQ(ByteAt(r, 1733), 0xA0);
  EXPECT_EQ(ByteAt(r, 1750), 0x04);
  EXPECT_EQ(ByteAt(r, 1753), 0x01);
  EXPECT_EQ(ByteAt(r, 1754), 0xAB);
  EXPECT_EQ(ByteAt(r, 1755), 0xEF);
  EXPECT_EQ(ByteAt(r, 1756), 0xCD);
  EXPECT_EQ(ByteAt(r, 2269), 0x02);
  EXPECT_EQ(ByteAt(r, 2270), 0x01);
  EXPECT_EQ(ByteAt(r, 2501), 0x88);
  EXPECT_EQ(ByteAt(r, 2502), 0x77);
  EXPECT_EQ(ByteAt(r, 4074), 0x5A);

  // A record copy moves exactly the stored bytes.
  uint8_t area[4076];
  std::memset(area, 0xEE, sizeof area);
  *reinterpret_cast<DriverDevMode*>(area) = r;
  EXPECT_EQ(area[4074], 0x5A);
  EXPECT_EQ(area[4075], 0xEE);
}

TEST(RecordLayout, FieldTableNamesEveryFieldAsStored) {
  EXPECT_EQ(std::size(kRecordFields), 205u);
  struct Expected {
    const char* name;
    uint16_t offset, size;
    FieldPart part;
    FieldKind kind;
  };
  const Expected expected[] = {
      {"dmDeviceName", 0, 64, FieldPart::Public, FieldKind::Text},
      {"dmNup", 180, 4, FieldPart::Public, FieldKind::U32},
      {"dmPanningHeight", 216, 4, FieldPart::Public, FieldKind::U32},
      {"dwPrivDATA", 220, 4, FieldPart::Private, FieldKind::U32},
      {"iHalftorning", 320, 2, FieldPart::Private, FieldKind::I16},
      {"wPrintOrder", 1408, 2, FieldPart::Private, FieldKind::U16},
      {"options", 1422, 64, FieldPart::Private, FieldKind::Bytes},
      {"lfWeight", 1750, 4, FieldPart::Private, FieldKind::I32},
      {"lfItalic", 1754, 1, FieldPart::Private, FieldKind::U8},
      {"cQuickSet", 1757, 512, FieldPart::Private, FieldKind::Text},
      {"iHarftonePhotographs", 2659, 2, FieldPart::Private, FieldKind::I16},
      {"IColorMatchingStyle", 2673, 2, FieldPart::Private, FieldKind::I16},
      {"StrDate", 3201, 128, FieldPart::Private, FieldKind::Text},
      {"Reserved3986", 3986, 3, FieldPart::Private, FieldKind::Bytes},
      {"Tail3989", 3989, 86, FieldPart::Private, FieldKind::Bytes},
  };
  for (const Expected& e : expected) {
    const FieldInfo* f = FindField(e.name);
    ASSERT_NE(f, nullptr) << e.name;
    EXPECT_EQ(f->offset, e.offset) << e.name;
    EXPECT_EQ(f->size, e.size) << e.name;
    EXPECT_EQ(f->part, e.part) << e.name;
    EXPECT_EQ(f->kind, e.kind) << e.name;
  }
}

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
