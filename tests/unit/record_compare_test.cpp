#include "record/record_compare.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qxge {
namespace {

uint8_t* Bytes(DriverDevMode& r) { return reinterpret_cast<uint8_t*>(&r); }

constexpr uint32_t kEveryField = 0x1FFFFFFF;

class RecordCompare : public ::testing::Test {
 protected:
  RecordCompare() {
    a.dmPublic.dmDeviceName.Write(u"QX Office");
    a.dmPublic.dmSize = 220;
    a.dmPublic.dmDriverExtra = 3855;
    a.dmPublic.dmFields = kEveryField;
    a.dmPublic.dmPaperSize = 9;
  }
  int Differ(const DriverDevMode& x, const DriverDevMode& y, bool ignoreDevice = false) const {
    return RecordsDiffer(x, y, nullptr, ignoreDevice, model);
  }

  ModelFeatures model;
  DriverDevMode a{};
};

TEST_F(RecordCompare, BookkeepingFieldsNeverCount) {
  DriverDevMode b = a;
  b.dmPrivate.cQuickSet.Write(u"My favorite");
  b.dmPrivate.iWaterMarkStatus = 2;
  b.dmPrivate.iDecoStatus = 2;
  b.dmPrivate.Tail3989[0] = 1;
  b.dmPrivate.Tail3989[85] = 1;
  b.dmPublic.dmICMMethod = 3;
  b.dmPublic.dmICMIntent = 4;
  EXPECT_EQ(Differ(a, b), 0);
  EXPECT_EQ(Differ(b, a), 0);

  // Bytes the host keeps are settings as far as a change is concerned.
  for (size_t offset : {220u, 1418u, 1422u + 63u, 3986u}) {
    DriverDevMode c = a;
    Bytes(c)[offset] ^= 0x10;
    EXPECT_NE(Differ(a, c), 0) << offset;
  }
}

TEST_F(RecordCompare, PublicFieldsCountUnderTheirBitInBothRecords) {
  DriverDevMode b = a;
  b.dmPublic.dmCopies = 3;
  EXPECT_NE(Differ(a, b), 0);
  b.dmPublic.dmFields &= ~dm::kCopies;
  EXPECT_EQ(Differ(a, b), 0);
  EXPECT_EQ(Differ(b, a), 0);

  // The position block covers the paper fields, whatever their own bits.
  b = a;
  a.dmPublic.dmFields = b.dmPublic.dmFields = dm::kPosition;
  b.dmPublic.dmPaperLength = 2970;
  EXPECT_NE(Differ(a, b), 0);
  a.dmPublic.dmFields = b.dmPublic.dmFields = 0;
  EXPECT_EQ(Differ(a, b), 0);

  // Version, sizes and the reserved words always count.
  b = a;
  b.dmPublic.dmDriverExtra = 0;
  EXPECT_NE(Differ(a, b), 0);
  b = a;
  b.dmPublic.dmReserved2 = 1;
  EXPECT_NE(Differ(a, b), 0);

  // dmNup is marked by DM_NUP here (the merge follows DM_DISPLAYFLAGS).
  a.dmPublic.dmFields = dm::kDisplayFlags;
  b = a;
  b.dmPublic.dmNup = 4;
  EXPECT_EQ(Differ(a, b), 0);
  a.dmPublic.dmFields = b.dmPublic.dmFields = dm::kNup;
  EXPECT_NE(Differ(a, b), 0);

  // Collation counts only on models that offer it, in either part.
  a.dmPublic.dmFields = kEveryField;
  b = a;
  b.dmPublic.dmCollate = 1;
  DriverDevMode c = a;
  c.dmPrivate.bDrvCollate = 1;
  EXPECT_EQ(Differ(a, b), 0);
  EXPECT_EQ(Differ(a, c), 0);
  model.PaperCollate = 1;
  EXPECT_NE(Differ(a, b), 0);
  EXPECT_NE(Differ(a, c), 0);
}

TEST_F(RecordCompare, SettingsBehindASwitchCountOnlyWhileItIsOn) {
  a.dmPublic.dmFields = kEveryField & ~dm::kPaperLength;
  using Edit = void (*)(DriverDevMode&);
  const struct {
    const char* what;
    Edit change, switchOn;
  } cases[] = {
      {"iPaperLength", [](DriverDevMode& r) { r.dmPrivate.iPaperLength = 2970; },
       [](DriverDevMode& r) { r.dmPublic.dmFields |= dm::kPaperLength; }},
      {"iNupLayout", [](DriverDevMode& r) { r.dmPrivate.iNupLayout = 3; }, [](DriverDevMode& r) { r.dmPrivate.iNup = 2; }},
      {"iNupBorder", [](DriverDevMode& r) { r.dmPrivate.iNupBorder = 1; }, [](DriverDevMode& r) { r.dmPrivate.iClone = 1; }},
      {"iPoster_Scale", [](DriverDevMode& r) { r.dmPrivate.iPoster_Scale = 150; },
       [](DriverDevMode& r) { r.dmPrivate.iPoster = 2; }},
      {"iERRatio", [](DriverDevMode& r) { r.dmPrivate.iERRatio = 80; }, [](DriverDevMode& r) { r.dmPrivate.iER = 1; }},
      {"iFitPagePaper", [](DriverDevMode& r) { r.dmPrivate.iFitPagePaper = 11; },
       [](DriverDevMode& r) { r.dmPrivate.iFitPage = 1; }},
      {"iVirtualPaper", [](DriverDevMode& r) { r.dmPrivate.iVirtualPaper = 8; },
       [](DriverDevMode& r) { r.dmPrivate.iVirtualPrint = 1; }},
      {"ovrFileName", [](DriverDevMode& r) { r.dmPrivate.ovrFileName.Write(u"C:\\form.ovl"); },
       [](DriverDevMode& r) { r.dmPrivate.ovrLoadCreate = 2; }},
      {"WaterColor", [](DriverDevMode& r) { r.dmPrivate.WaterColor = 0xFF; },
       [](DriverDevMode& r) { r.dmPrivate.cWaterText.Write(u"DRAFT"); }},
      {"StrDecoNote", [](DriverDevMode& r) { r.dmPrivate.StrDecoNote.Write(u"Confidential"); },
       [](DriverDevMode& r) { r.dmPrivate.FrameStyle = 0x100; }},
  };
  for (const auto& c : cases) {
    DriverDevMode x = a, y = a;
    c.change(y);
    EXPECT_EQ(Differ(x, y), 0) << c.what << " counted while its switch is off";
    c.switchOn(x);
    c.switchOn(y);
    EXPECT_NE(Differ(x, y), 0) << c.what << " did not count while its switch is on";
  }

  // Bytes left behind the terminator of an empty text are not a watermark.
  DriverDevMode b = a;
  Bytes(b)[1500 + 10] = 'x';
  EXPECT_EQ(Differ(a, b), 0);
  // The decoration switch itself is a setting.
  b = a;
  b.dmPrivate.FrameStyle = 1;
  EXPECT_NE(Differ(a, b), 0);
}

TEST_F(RecordCompare, OnlyTheDuplexFieldInUseCounts) {
  DriverDevMode manual = a, hardware = a;
  manual.dmPrivate.iManualDuplex = 1;
  hardware.dmPrivate.iHardwareDuplex = 1;

  // Without manual duplex, the printer's duplex is the choice.
  EXPECT_EQ(Differ(a, manual), 0);
  EXPECT_NE(Differ(a, hardware), 0);

  model.LayoutDoubleManual = 1;
  EXPECT_NE(Differ(a, manual), 0);
  EXPECT_EQ(Differ(a, hardware), 0);

  // A printer with a duplex unit installed (as record a says) duplexes itself.
  model.PrinterDuplex = 1;
  EXPECT_NE(Differ(a, manual), 0);
  a.dmPrivate.iDuplexUnit = manual.dmPrivate.iDuplexUnit = hardware.dmPrivate.iDuplexUnit = 1;
  EXPECT_EQ(Differ(a, manual), 0);
  EXPECT_NE(Differ(a, hardware), 0);
}

TEST_F(RecordCompare, DeviceOptionsCountUnlessIgnored) {
  for (const FieldInfo& f : kDeviceOptionFields) {
    DriverDevMode b = a;
    Bytes(b)[f.offset] = 1;
    EXPECT_EQ(Differ(a, b, true), 0) << f.name;
    EXPECT_NE(Differ(a, b, false), 0) << f.name;
  }
}

TEST_F(RecordCompare, LayoutChangesAreFlaggedAtOnce) {
  const auto layoutChange = [this](const DriverDevMode& x, const DriverDevMode& y) {
    bool changed = false;
    const int result = RecordsDiffer(x, y, &changed, false, model);
    if (changed) EXPECT_NE(result, 0);
    return changed;
  };
  DriverDevMode b = a;
  b.dmPrivate.IsMMInch = 1;
  EXPECT_TRUE(layoutChange(a, b));
  b = a;
  a.dmPrivate.iNup = 1;
  b.dmPrivate.iNup = 2;
  EXPECT_TRUE(layoutChange(a, b));
  b.dmPrivate.iNup = 1;
  b.dmPublic.dmOrientation = 2;
  EXPECT_TRUE(layoutChange(a, b));
  // Orientation alone is a plain change while one page goes on each sheet.
  a.dmPrivate.iNup = b.dmPrivate.iNup = 0;
  EXPECT_FALSE(layoutChange(a, b));
  EXPECT_NE(Differ(a, b), 0);

  b = a;
  a.dmPublic.dmPaperSize = 134;
  b.dmPublic.dmPaperSize = 135;
  EXPECT_FALSE(layoutChange(a, b));
  b.dmPublic.dmPaperSize = 9;
  EXPECT_TRUE(layoutChange(a, b));
  EXPECT_TRUE(layoutChange(b, a));

  // The flag is only ever raised: a caller may pass one already set.
  bool changed = true;
  EXPECT_EQ(RecordsDiffer(a, a, &changed, false, model), 0);
  EXPECT_TRUE(changed);
}

TEST_F(RecordCompare, MergeCopiesPublicFieldsUnderTheSourceBits) {
  DriverDevMode live = a;
  live.dmPublic.dmCopies = 1;
  live.dmPublic.dmScale = 100;
  live.dmPublic.dmICMMethod = 1;
  live.dmPublic.dmNup = 1;
  live.dmPublic.dmOrientation = 1;
  live.dmPublic.dmPaperLength = 2970;
  live.dmPublic.dmReserved1 = 0;

  DriverDevMode working = live;
  working.dmPublic.dmFields = dm::kCopies | dm::kNup | dm::kPaperLength;
  working.dmPublic.dmCopies = 5;
  working.dmPublic.dmScale = 50;
  working.dmPublic.dmICMMethod = 2;
  working.dmPublic.dmNup = 4;
  working.dmPublic.dmOrientation = 2;
  working.dmPublic.dmPaperLength = 1000;
  working.dmPublic.dmReserved1 = 9;
  working.dmPrivate.iNup = 3;
  working.dmPrivate.cJobName.Write(u"Report");

  MergeRecord(live, working);
  EXPECT_EQ(live.dmPublic.dmFields, working.dmPublic.dmFields);
  EXPECT_EQ(live.dmPublic.dmCopies, 5);
  EXPECT_EQ(live.dmPublic.dmPaperLength, 1000);
  EXPECT_EQ(live.dmPublic.dmReserved1, 9u);
  EXPECT_EQ(live.dmPublic.dmScale, 100);
  EXPECT_EQ(live.dmPublic.dmICMMethod, 1u);
  EXPECT_EQ(live.dmPublic.dmNup, 1u);  // DM_NUP is not the bit the merge follows
  EXPECT_EQ(live.dmPublic.dmOrientation, 1);
  EXPECT_EQ(std::memcmp(&live.dmPrivate, &working.dmPrivate, sizeof live.dmPrivate), 0);

  working.dmPublic.dmFields = dm::kPosition | dm::kDisplayFlags | dm::kICMMethod;
  MergeRecord(live, working);
  EXPECT_EQ(live.dmPublic.dmOrientation, 2);
  EXPECT_EQ(live.dmPublic.dmNup, 4u);
  EXPECT_EQ(live.dmPublic.dmICMMethod, 2u);
  EXPECT_EQ(live.dmPublic.dmScale, 100);
}

TEST_F(RecordCompare, DeviceOptionsTravelAndOnlyAnImpossibleDuplexChoiceIsReplaced) {
  model.LayoutDoubleSided = 1;
  model.DoubleSidedPapers = {9};
  DriverDevMode device{}, other = a, current = a;
  device.dmPrivate.iOptTray = 2;
  device.dmPrivate.iExcludeHeader = 1;
  device.dmPrivate.iPowerSave = 3;
  device.dmPrivate.iManualDuplex = 1;
  other.dmPrivate.iHardwareDuplex = 1;
  other.dmPrivate.iManualDuplex = 1;

  // A4 can be printed on both sides: the user's own choice (None) stays.
  EXPECT_FALSE(CopyDeviceOptions(current, other, &device, model));
  EXPECT_EQ(current.dmPrivate.iOptTray, 2);
  EXPECT_EQ(current.dmPrivate.iExcludeHeader, 1);
  EXPECT_EQ(current.dmPrivate.iPowerSave, 3);
  EXPECT_EQ(current.dmPrivate.iHardwareDuplex, 0);
  EXPECT_EQ(current.dmPrivate.iManualDuplex, 0);  // only device options come from the device

  // A paper that cannot be printed on both sides takes the default's choice, in the field in
  // use: the manual one while the printer has no unit.
  current.dmPublic.dmPaperSize = 5;
  EXPECT_TRUE(CopyDeviceOptions(current, other, nullptr, model));
  EXPECT_EQ(current.dmPrivate.iHardwareDuplex, 1);
  EXPECT_FALSE(CopyDeviceOptions(current, other, nullptr, model));
  model.LayoutDoubleManual = model.PrinterDuplex = 1;
  EXPECT_TRUE(CopyDeviceOptions(current, other, nullptr, model));
  EXPECT_EQ(current.dmPrivate.iManualDuplex, 1);

  // A poster keeps whatever it has.
  current = a;
  current.dmPublic.dmPaperSize = 5;
  current.dmPrivate.iPoster = 1;
  EXPECT_FALSE(CopyDeviceOptions(current, other, nullptr, model));

  model.LayoutDoubleSided = 0;
  current = a;
  current.dmPublic.dmPaperSize = 5;
  EXPECT_FALSE(CopyDeviceOptions(current, other, &device, model));
  EXPECT_EQ(current.dmPrivate.iOptTray, 2);
}

TEST_F(RecordCompare, DuplexIsBlockedByUnitMediaAndPaper) {
  model.DoubleSidedPapers = {9, 11};
  EXPECT_FALSE(IsDuplexBlocked(a, model));

  model.PrinterDuplex = 1;
  EXPECT_TRUE(IsDuplexBlocked(a, model));  // no unit installed
  model.LayoutDoubleManual = 1;
  EXPECT_FALSE(IsDuplexBlocked(a, model));

  model.DoubleSidedMedias = {0, 2};
  a.dmPrivate.iPaperType = 3;
  EXPECT_TRUE(IsDuplexBlocked(a, model));
  a.dmPrivate.iPaperType = 2;
  EXPECT_FALSE(IsDuplexBlocked(a, model));

  // Fit to page prints on the target paper.
  a.dmPrivate.iFitPage = 1;
  a.dmPrivate.iFitPagePaper = 5;
  EXPECT_FALSE(IsDuplexBlocked(a, model));
  model.LayoutFitToPage = 1;
  EXPECT_TRUE(IsDuplexBlocked(a, model));
  a.dmPrivate.iFitPagePaper = 11;
  EXPECT_FALSE(IsDuplexBlocked(a, model));

  model.DoubleSidedPapers.clear();
  EXPECT_TRUE(IsDuplexBlocked(a, model));
}

}  // namespace
}  // namespace qxge
