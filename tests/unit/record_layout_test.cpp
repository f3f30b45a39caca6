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

// The record is a storage format: the user default and the favorites of older versions must
// read the same. The structures are checked against the table when they are compiled.
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
      {"dwPrivDATA", 220, 4, FieldPart::Private, FieldKind::U32},
      {"wPrintOrder", 1408, 2, FieldPart::Private, FieldKind::U16},
      {"options", 1422, 64, FieldPart::Private, FieldKind::Bytes},
      {"lfWeight", 1750, 4, FieldPart::Private, FieldKind::I32},
      {"lfItalic", 1754, 1, FieldPart::Private, FieldKind::U8},
      {"iWaterMarkStatus", 1755, 2, FieldPart::Private, FieldKind::U16},
      {"cQuickSet", 1757, 512, FieldPart::Private, FieldKind::Text},
      {"iOptTray", 2501, 2, FieldPart::Private, FieldKind::I16},
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
