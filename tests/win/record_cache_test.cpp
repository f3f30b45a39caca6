// The records the pages of a sheet share, the user default behind them and the apply that
// writes the working copy back into the host's record, against the real registry.
#include "collections/record_cache.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/driver_ui_app.h"
#include "platform/win_text.h"
#include "test_support.h"

namespace {

using qxge::DriverDevMode;
using qxge::RecordCache;
using qxge::SheetContext;
using qxge::SheetRecords;

// A host sheet: its context and its live record.
struct HostSheet {
  explicit HostSheet(const char16_t* printer, uint8_t fill = 0) : record(qxge::kDriverDevModeBytes, fill) {
    std::memset(&context, 0, sizeof context);
    context.liveRecord = record.data();
    Live().dmPublic.dmDeviceName.Write(printer);
  }
  DriverDevMode& Live() { return qxge::LiveRecord(context); }

  SheetContext context;
  std::vector<uint8_t> record;
};

std::vector<uint8_t> Bytes(const DriverDevMode& r) {
  const auto* p = reinterpret_cast<const uint8_t*>(&r);
  return {p, p + sizeof r};
}

class RecordCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = platform::W(qxge::App().ModuleBase());
    qxtest::ForgetUser(base_);
  }
  void TearDown() override {
    qxge::App().Features().ShowDevmodeChanges = 0;
    qxtest::ForgetUser(base_);
  }
  std::vector<uint8_t> StoredDefault(DWORD* type = nullptr) const {
    return qxtest::ReadUserValue(base_, L"TSF", L"Default DevMode", type);
  }
  void PutDefault(const std::vector<uint8_t>& data) const {
    qxtest::WriteUserValue(base_, L"TSF", L"Default DevMode", REG_BINARY, data.data(), data.size());
  }

  std::wstring base_;
  RecordCache cache_;
};

TEST_F(RecordCacheTest, PagesOfOneSheetShareRecordsAndSheetsDoNot) {
  HostSheet office(u"QX_Office", 0x11), photo(u"QX_Photo", 0x22);
  SheetRecords first, second, other;
  ASSERT_TRUE(cache_.Acquire(office.context, first));
  ASSERT_TRUE(cache_.Acquire(office.context, second));
  ASSERT_TRUE(cache_.Acquire(photo.context, other));

  EXPECT_EQ(first.working, second.working);
  EXPECT_EQ(first.baseline, second.baseline);
  EXPECT_EQ(first.userDefault, second.userDefault);
  EXPECT_NE(first.working, other.working);
  EXPECT_NE(first.working, first.baseline);
  // Copies: the pages edit their own record, not the host's.
  EXPECT_EQ(Bytes(*first.working), office.record);
  EXPECT_EQ(Bytes(*first.baseline), office.record);
  EXPECT_EQ(Bytes(*other.working), photo.record);
  first.working->dmPrivate.iNup = 4;
  EXPECT_EQ(office.Live().dmPrivate.iNup, 0x1111);

  EXPECT_EQ(cache_.FindSlot(first.working), 0);
  EXPECT_EQ(cache_.FindSlot(other.working), 1);
  EXPECT_EQ(cache_.FindSlot(u"QX_Photo"), 1);
  EXPECT_EQ(cache_.FindSlot(u"qx_photo"), -1);
  EXPECT_EQ(cache_.FindSlot(&photo.Live()), 1);  // any record names its printer

  cache_.Release(office.context);
  EXPECT_EQ(cache_.FindSlot(u"QX_Office"), 0);
  cache_.Release(office.context);
  EXPECT_EQ(cache_.FindSlot(u"QX_Office"), -1);
  cache_.Release(office.context);  // one release too many changes nothing
  EXPECT_EQ(cache_.FindSlot(u"QX_Photo"), 1);
  cache_.Release(photo.context);
}

TEST_F(RecordCacheTest, FirstSheetOfAUserSeedsTheStoredDefaultOnce) {
  HostSheet first(u"QX_Office", 0x31);
  SheetRecords records;
  ASSERT_TRUE(cache_.Acquire(first.context, records));
  EXPECT_EQ(Bytes(*records.userDefault), first.record);
  DWORD type = 0;
  EXPECT_EQ(StoredDefault(&type), first.record);  // exactly 4075 bytes
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  cache_.Release(first.context);

  HostSheet later(u"QX_Office", 0x47);
  ASSERT_TRUE(cache_.Acquire(later.context, records));
  EXPECT_EQ(Bytes(*records.userDefault), first.record);
  EXPECT_EQ(Bytes(*records.working), later.record);
  EXPECT_EQ(StoredDefault(), first.record);

  // A new default is stored; the open sheet keeps the one it started with.
  HostSheet saved(u"QX_Office", 0x5C);
  RecordCache::SaveUserDefault(saved.Live());
  EXPECT_EQ(StoredDefault(), saved.record);
  EXPECT_EQ(Bytes(*records.userDefault), first.record);
  cache_.Release(later.context);
}

TEST_F(RecordCacheTest, StoredDefaultsOfTheWrongSize) {
  // Too long: unreadable, so the host's record replaces it.
  PutDefault(std::vector<uint8_t>(5000, 0x66));
  HostSheet sheet(u"QX_Office", 0x12);
  SheetRecords records;
  ASSERT_TRUE(cache_.Acquire(sheet.context, records));
  EXPECT_EQ(Bytes(*records.userDefault), sheet.record);
  EXPECT_EQ(StoredDefault(), sheet.record);
  cache_.Release(sheet.context);

  // Too short: what is there is read, the rest stays empty and the value stays as it is.
  const std::vector<uint8_t> shortValue(100, 0x77);
  PutDefault(shortValue);
  ASSERT_TRUE(cache_.Acquire(sheet.context, records));
  std::vector<uint8_t> expected(qxge::kDriverDevModeBytes, 0);
  std::fill(expected.begin(), expected.begin() + 100, 0x77);
  EXPECT_EQ(Bytes(*records.userDefault), expected);
  EXPECT_EQ(StoredDefault(), shortValue);
  cache_.Release(sheet.context);
}

TEST_F(RecordCacheTest, ANinthSheetIsRefusedUntilASlotFrees) {
  std::vector<std::unique_ptr<HostSheet>> sheets;
  SheetRecords records;
  for (int i = 0; i < 9; ++i) sheets.push_back(std::make_unique<HostSheet>(u"QX_Office", static_cast<uint8_t>(i)));
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(cache_.Acquire(sheets[i]->context, records)) << i;
  records = {};
  EXPECT_FALSE(cache_.Acquire(sheets[8]->context, records));
  EXPECT_EQ(records.working, nullptr);

  cache_.Release(sheets[3]->context);
  ASSERT_TRUE(cache_.Acquire(sheets[8]->context, records));
  EXPECT_EQ(cache_.FindSlot(records.working), 3);
  EXPECT_EQ(Bytes(*records.working), sheets[8]->record);
  for (int i = 0; i < 9; ++i) cache_.Release(sheets[i]->context);

  SheetContext noRecord;
  std::memset(&noRecord, 0, sizeof noRecord);
  EXPECT_FALSE(cache_.Acquire(noRecord, records));
}

TEST_F(RecordCacheTest, ApplyMergesOnlySignificantChangesAndReportsThemOnRequest) {
  HostSheet sheet(u"QX_Office");
  sheet.Live().dmPublic.dmFields = 0x1;
  sheet.Live().dmPrivate.dwPrivDATA = 0x12345678;
  const std::vector<uint8_t> original = sheet.record;
  SheetRecords records;
  ASSERT_TRUE(cache_.Acquire(sheet.context, records));

  // A favorite's name alone is no change: the host's record stays as it was.
  records.working->dmPrivate.cQuickSet.Write(u"Draft");
  EXPECT_FALSE(qxge::ApplyRecord(sheet.context, *records.working));
  EXPECT_EQ(sheet.record, original);

  records.working->dmPrivate.iNup = 2;
  records.working->dmPublic.dmScale = 50;  // not marked in dmFields
  {
    qxtest::BoxAnswers answers;
    EXPECT_TRUE(qxge::ApplyRecord(sheet.context, *records.working));
    EXPECT_TRUE(answers.Boxes().empty());
  }
  EXPECT_EQ(sheet.Live().dmPrivate.iNup, 2);
  EXPECT_EQ(sheet.Live().dmPrivate.cQuickSet.Read(), u"Draft");
  EXPECT_EQ(sheet.Live().dmPublic.dmScale, 0);
  EXPECT_EQ(sheet.Live().dmPrivate.dwPrivDATA, 0x12345678u);

  // What the user had on the clipboard stays beside the report.
  const UINT ownFormat = RegisterClipboardFormatW(L"QXGE test data");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  ASSERT_NE(SetClipboardData(ownFormat, GlobalAlloc(GMEM_MOVEABLE, 4)), nullptr);
  CloseClipboard();

  qxge::App().Features().ShowDevmodeChanges = 1;
  records.working->dmPrivate.iNup = 4;
  records.working->dmPrivate.cJobName.Write(u"Invoice");
  qxtest::BoxAnswers answers({IDOK});
  EXPECT_TRUE(qxge::ApplyRecord(sheet.context, *records.working));
  // Every byte difference is listed, marked in dmFields or not.
  const std::string report =
      "dmPublic.dmScale: 0 (0x0) -> 50 (0x32)\ndmPrivate.iNup: 2 (0x2) -> 4 (0x4)\ndmPrivate.cJobName:  -> Invoice\n";
  const std::wstring wideReport(report.begin(), report.end());
  ASSERT_EQ(answers.Boxes().size(), 1u);
  EXPECT_EQ(answers.Boxes()[0].text, wideReport);
  EXPECT_EQ(answers.Boxes()[0].title, platform::W(qxge::App().ModuleName()));
  EXPECT_EQ(qxtest::ClipboardText<wchar_t>(CF_UNICODETEXT), wideReport);
  EXPECT_EQ(qxtest::ClipboardText<char>(CF_TEXT), report);
  EXPECT_TRUE(IsClipboardFormatAvailable(ownFormat));
  EXPECT_EQ(sheet.Live().dmPrivate.iNup, 4);
  cache_.Release(sheet.context);
}

}  // namespace
