// The custom paper, watermark and overlay collections as the user's registry keeps them: the
// values other tools and older versions read, the records their items write, and what stored
// values anyone may have damaged read as.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/driver_ui_app.h"
#include "collections/custom_papers.h"
#include "collections/overlays.h"
#include "collections/watermarks.h"
#include "config/profile_file.h"
#include "platform/win_text.h"
#include "test_support.h"

namespace {

using qxge::CollectionItem;
using qxge::CollectionType;
using qxge::DriverDevMode;

const std::wstring kPapers = L"TSF\\Custom Paper Data", kWatermarks = L"TSF\\Watermark Data",
                   kOverlays = L"TSF\\Overlay Data";

class CollectionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qxtest::ForgetUser(qxtest::kStagedBase);
    textFile_ = platform::W(qxge::App().TextFile().Path());
    list_ = CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list_, nullptr);
  }
  void TearDown() override {
    qxge::ItemList(list_).Clear();
    DestroyWindow(list_);
    qxtest::WriteTextFile(textFile_, qxtest::StagedTextFile("%s x %s Millimeter"));
    qxtest::ForgetUser(qxtest::kStagedBase);
  }

  void AddToTextFile(const std::string& sections) {
    qxtest::WriteTextFile(textFile_, qxtest::StagedTextFile("%s x %s Millimeter") + sections);
  }
  static std::wstring Stored(const std::wstring& key, const std::wstring& name) {
    return qxtest::ReadUserString(qxtest::kStagedBase, key, name.c_str());
  }
  static void Store(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    qxtest::WriteUserString(qxtest::kStagedBase, key, name, text);
  }
  static bool KeyExists(const std::wstring& key) { return qxtest::UserKeyExists(qxtest::kStagedBase, key); }
  static std::vector<std::u16string> Names(CollectionType type, const DriverDevMode* record = nullptr) {
    std::vector<std::u16string> names;
    for (const auto& item : qxge::LoadItems(type, record)) names.push_back(item->GetName());
    return names;
  }
  // Rewrites a collection as a list would hold it, the entry at selected chosen for record.
  void SaveList(CollectionType type, std::vector<std::unique_ptr<CollectionItem>> items, int selected = -1,
                DriverDevMode* record = nullptr) {
    qxge::ItemList list(list_);
    list.Clear();
    for (auto& item : items) list.Add(std::move(item));
    list.Select(selected);
    qxge::SaveAll(list, type, record);
  }

  std::wstring textFile_;
  HWND list_ = nullptr;
};

using TextList = std::vector<std::u16string>;

// A font whose character set is its own. Wine's prefix may not list Wine's own fonts, so the
// test lends the process Wine's copy when the system has none.
class SymbolFont {
 public:
  SymbolFont() {
    for (const wchar_t* path : {L"Z:\\usr\\share\\wine\\fonts\\symbol.ttf", L"Z:\\usr\\lib\\wine\\fonts\\symbol.ttf"})
      if (AddFontResourceExW(path, FR_PRIVATE, nullptr) > 0) {
        path_ = path;
        break;
      }
  }
  ~SymbolFont() {
    if (!path_.empty()) RemoveFontResourceExW(path_.c_str(), FR_PRIVATE, nullptr);
  }

 private:
  std::wstring path_;
};

TEST_F(CollectionsTest, BuiltInWatermarksAreStoredOnceAndStayDeleted) {
  const SymbolFont symbol;
  AddToTextFile(
      "[MAINMENU]\r\nItemNum=3\r\n"
      "[WMTEXT1]\r\nText=CONFIDENTIAL\r\nFaceName=Arial\r\nAngle=45\r\nSize=72\r\nColor=0xFF0000\r\n"
      "Weight=700\r\nItalic=1\r\nFirstPage=1\r\n"
      "[WMTEXT2]\r\nText=Draft\r\nSize=50\r\n"
      "[WMTEXT3]\r\nText=Sigma\r\nFaceName=Symbol\r\n");
  EXPECT_EQ(Names(CollectionType::Watermark), (TextList{u"CONFIDENTIAL", u"Sigma"}));
  EXPECT_EQ(Stored(kWatermarks, L"WMNum"), L"3");
  EXPECT_EQ(Stored(kWatermarks, L"Ang0"), L"450");
  EXPECT_EQ(Stored(kWatermarks, L"Clr0"), L"16711680");
  EXPECT_EQ(Stored(kWatermarks, L"Wg0") + Stored(kWatermarks, L"It0") + Stored(kWatermarks, L"FPg0"), L"70011");
  EXPECT_NE(Stored(kWatermarks, L"CSet0"), L"2");
  // An incomplete section is stored too, without its numbers.
  EXPECT_EQ(Stored(kWatermarks, L"Tx1"), L"Draft");
  EXPECT_EQ(Stored(kWatermarks, L"Sz1"), L"0");
  EXPECT_EQ(Stored(kWatermarks, L"CSet2"), L"2");  // the symbol face keeps its own character set

  Store(kWatermarks, L"Tx0", L"Edited");
  EXPECT_EQ(Names(CollectionType::Watermark), (TextList{u"Edited", u"Sigma"}));

  SaveList(CollectionType::Watermark, {});
  EXPECT_EQ(Stored(kWatermarks, L"WMNum"), L"0");
  EXPECT_TRUE(Names(CollectionType::Watermark).empty());
  EXPECT_EQ(Stored(kWatermarks, L"Tx0"), L"");

  // A model without built-ins still counts them, so a later text file adds none.
  qxtest::ForgetUser(qxtest::kStagedBase);
  AddToTextFile("");
  EXPECT_TRUE(Names(CollectionType::Watermark).empty());
  EXPECT_EQ(Stored(kWatermarks, L"WMNum"), L"0");
  AddToTextFile("[MAINMENU]\r\nItemNum=1\r\n[WMTEXT1]\r\nText=Late\r\nFaceName=Arial\r\n");
  EXPECT_TRUE(Names(CollectionType::Watermark).empty());
}

TEST_F(CollectionsTest, AWatermarkWritesItsChoiceIntoTheRecordAndMatchesItsStoredText) {
  const std::wstring longText(100, L'W');
  Store(kWatermarks, L"WMNum", L"2");
  Store(kWatermarks, L"Tx0", L"Draft");
  Store(kWatermarks, L"Face0", L"Arial");
  Store(kWatermarks, L"Ang0", L"455");
  Store(kWatermarks, L"Sz0", L"120");
  Store(kWatermarks, L"Wg0", L"700");
  Store(kWatermarks, L"Tx1", longText);
  Store(kWatermarks, L"Face1", L"Arial");
  const auto items = qxge::LoadItems(CollectionType::Watermark, nullptr);
  ASSERT_EQ(items.size(), 2u);

  DriverDevMode record{};
  items[0]->ApplyTo(record);
  const qxge::PrivateDevMode& p = record.dmPrivate;
  EXPECT_EQ(p.iWaterCombo, 1);
  EXPECT_EQ(p.iWaterAngle, 45);
  EXPECT_EQ(p.iWaterSize, 120);
  EXPECT_EQ(p.lfWeight, 700);
  EXPECT_EQ(p.cWaterText.Read(), u"Draft");
  EXPECT_EQ(p.WaterStrFaceName.Read(), u"Arial");
  EXPECT_TRUE(items[0]->Matches(record));
  EXPECT_FALSE(items[1]->Matches(record));
  record.dmPrivate.cWaterText.bytes[20] = 'x';  // beyond the terminator, still part of the field
  EXPECT_FALSE(items[0]->Matches(record));

  items[1]->ApplyTo(record);
  EXPECT_EQ(p.iWaterCombo, 2);
  EXPECT_EQ(p.cWaterText.Read(), std::u16string(80, u'W'));  // the field's 80 units, no terminator
  EXPECT_EQ(p.iWaterAngle, 0);
  EXPECT_TRUE(items[1]->Matches(record));
}

TEST_F(CollectionsTest, OverlaysAreListedByFileNameAndOfferedWhileTheJobCanHaveThem) {
  std::vector<std::unique_ptr<CollectionItem>> items;
  items.push_back(std::make_unique<qxge::OverlayItem>(u"C:\\Forms\\Letter.ovl"));
  SaveList(CollectionType::Overlay, std::move(items));
  EXPECT_EQ(Stored(kOverlays, L"Overlay0"), L"C:\\Forms\\Letter.ovl");
  EXPECT_EQ(Stored(kOverlays, L"Overlays Num"), L"1");

  const qxge::OverlayItem stored(0);
  EXPECT_EQ(stored.GetName(), u"Letter.ovl");
  DriverDevMode record{};
  for (int16_t loadCreate : {0, 1, 2}) {
    record.dmPrivate.ovrLoadCreate = loadCreate;
    EXPECT_EQ(stored.IsValid(&record), loadCreate == 2) << loadCreate;  // the file is gone
  }
  EXPECT_TRUE(stored.IsValid(nullptr));
  const std::wstring here = qxtest::FreshFolder(L"Overlays") + L"\\Here.ovl";
  qxtest::WriteTextFile(here, "form");
  record.dmPrivate.ovrLoadCreate = 0;
  EXPECT_TRUE(qxge::OverlayItem(std::u16string(platform::U(here.c_str()))).IsValid(&record));

  EXPECT_FALSE(stored.Differs(qxge::OverlayItem(u"c:\\forms\\LETTER.OVL")));
  EXPECT_TRUE(stored.Differs(qxge::OverlayItem(u"C:\\Forms\\Legal.ovl")));
  stored.ApplyTo(record);
  EXPECT_EQ(record.dmPrivate.ovrFileName.Read(), u"C:\\Forms\\Letter.ovl");
  EXPECT_EQ(record.dmPrivate.ovrLoadCreate, 1);
  EXPECT_TRUE(stored.Matches(record));
  EXPECT_FALSE(qxge::OverlayItem(u"c:\\forms\\letter.ovl").Matches(record));
  qxge::OverlayItem(nullptr).ApplyTo(record);
  EXPECT_EQ(record.dmPrivate.ovrLoadCreate, 0);
  EXPECT_EQ(qxge::OverlayItem(nullptr).GetName(), u"(No Overlay)");

  SaveList(CollectionType::Overlay, {});
  EXPECT_FALSE(KeyExists(kOverlays));
}

TEST_F(CollectionsTest, CustomSizesAreRenumberedInListOrderAndTheLastDeletedTakesTheKey) {
  std::vector<std::unique_ptr<CollectionItem>> items;
  items.push_back(std::make_unique<qxge::CustomPaperItem>(u"Poster", 2000, 2500, false));
  items.push_back(std::make_unique<qxge::CustomPaperItem>(u"  ", 2000, 2500, false));
  items.push_back(std::make_unique<qxge::CustomPaperItem>(u"Card", 1016, 1524, true));
  DriverDevMode record{};
  SaveList(CollectionType::CustomPaper, std::move(items), 2, &record);
  EXPECT_EQ(Stored(kPapers, L"CPNum"), L"2");
  EXPECT_EQ(Stored(kPapers, L"Nm0") + L"|" + Stored(kPapers, L"Wd0") + L"|" + Stored(kPapers, L"Hg0") + L"|" +
                Stored(kPapers, L"In0"),
            L"Poster|2000|2500|0");
  EXPECT_EQ(Stored(kPapers, L"Nm1") + L"|" + Stored(kPapers, L"In1"), L"Card|1");
  EXPECT_EQ(record.dmPublic.dmPaperSize, 258);
  EXPECT_EQ(record.dmPublic.dmFields, 0xEu);
  EXPECT_EQ(record.dmPublic.dmPaperWidth, 1016);
  EXPECT_EQ(record.dmPublic.dmPaperLength, 1524);
  EXPECT_EQ(record.dmPrivate.iPaperWidth, 1016);
  EXPECT_EQ(record.dmPrivate.iPaperLength, 1524);
  const qxge::CustomPaperItem card(1);
  EXPECT_TRUE(card.Matches(record));
  EXPECT_FALSE(card.Differs(qxge::CustomPaperItem(u"Card", 1016, 1524, true)));
  EXPECT_TRUE(card.Differs(qxge::CustomPaperItem(u"card", 1016, 1524, true)));
  EXPECT_TRUE(card.Differs(qxge::CustomPaperItem(u"Card", 1016, 1524, false)));

  SaveList(CollectionType::CustomPaper, {});
  EXPECT_FALSE(KeyExists(kPapers));
}

TEST_F(CollectionsTest, DamagedValuesReadAsMissingAndDamagedCountsStopAtTheCap) {
  Store(kPapers, L"Nm0", L"A4 plus");
  Store(kPapers, L"Wd0", L"2200");
  Store(kPapers, L"Hg0", L"3000");
  Store(kPapers, L"Nm1", std::wstring(33, L'n'));  // one character too many
  Store(kPapers, L"Wd1", L"2000");
  Store(kPapers, L"Hg1", L"2000");
  const std::wstring unterminated(33, L'u');  // fills the capacity, terminator and all
  qxtest::WriteUserValue(qxtest::kStagedBase, kPapers, L"Nm2", REG_SZ, unterminated.data(), 66);
  Store(kPapers, L"Wd2", L"2000");
  Store(kPapers, L"Hg2", L"2000");
  const wchar_t* const sides[][2] = {{L"0", L"100"}, {L"32768", L"100"}, {L"100", L"-5"}, {L"32767", L"32767"}};
  for (int i = 0; i < 4; ++i) {
    Store(kPapers, L"Nm" + std::to_wstring(3 + i), L"Size" + std::to_wstring(3 + i));
    Store(kPapers, L"Wd" + std::to_wstring(3 + i), sides[i][0]);
    Store(kPapers, L"Hg" + std::to_wstring(3 + i), sides[i][1]);
  }
  Store(kPapers, L"Nm300", L"Beyond");
  Store(kPapers, L"Wd300", L"1000");
  Store(kPapers, L"Hg300", L"1000");
  for (const wchar_t* count : {L"2147483647", L"-2147483648", L"abc"}) {
    Store(kPapers, L"CPNum", count);
    const TextList expected = count[0] == L'2' ? TextList{u"A4 plus", u"Size6"} : TextList{u"A4 plus"};
    EXPECT_EQ(Names(CollectionType::CustomPaper), expected) << count;
  }

  Store(kWatermarks, L"WMNum", L"2147483647");
  Store(kWatermarks, L"Tx0", std::wstring(161, L't'));
  Store(kWatermarks, L"Face0", L"Arial");
  Store(kWatermarks, L"Tx1", L"Face too long");
  Store(kWatermarks, L"Face1", std::wstring(33, L'f'));
  Store(kWatermarks, L"Tx2", L"Kept");
  Store(kWatermarks, L"Face2", L"Arial");
  Store(kWatermarks, L"Sz2", L"99999");
  Store(kWatermarks, L"Ang2", L"2147483647");
  const auto watermarks = qxge::LoadItems(CollectionType::Watermark, nullptr);
  ASSERT_EQ(watermarks.size(), 1u);
  DriverDevMode record{};
  record.dmPrivate.iWaterSize = 7;
  watermarks[0]->ApplyTo(record);
  EXPECT_EQ(record.dmPrivate.cWaterText.Read(), u"Kept");
  EXPECT_EQ(record.dmPrivate.iWaterSize, 0);
  EXPECT_EQ(record.dmPrivate.iWaterAngle, 0);

  Store(kOverlays, L"Overlays Num", L"-1");
  Store(kOverlays, L"Overlay0", L"C:\\" + std::wstring(258, L'o'));
  EXPECT_TRUE(Names(CollectionType::Overlay).empty());
}

}  // namespace
