// The favorites box as a user meets it on a real sheet of a staged module: names typed into the
// box, the answers given to its questions, the list it shows, the buttons it offers, and the
// records it leaves in the user's registry for the next sheet.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/win_text.h"
#include "record/driver_dev_mode.h"
#include "resources/resource.h"
#include "sheet_harness.h"
#include "test_support.h"

namespace {

using qxge::DriverDevMode;

const std::wstring kNameRequired = L"Please enter a name for this favorite.";
const std::wstring kNameExists = L"This name already exists, do you want to overwrite the favorite?";
const std::wstring kAreYouSure = L"Are you sure you want to delete this favorite?";
const std::wstring kStore = L"TSF\\Device Modes";

class FavoritesTest : public qxtest::SheetHarness {
 protected:
  void Stage(const std::wstring& base) { SheetHarness::Stage(base, "[Common]\r\n", "[Common]\r\n"); }
  void Open(uint32_t flags = 0) { SheetHarness::Open({0}, flags); }

  HWND Combo() const { return Control(IDC_FAVORITES); }
  // As the box's edit field reports a user's typing.
  void Type(const std::wstring& text) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(Combo(), &info));
    SendMessageW(info.hwndItem, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(IDC_FAVORITES, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(Combo()));
    sheet_->Pump();
  }
  void ChooseEntry(int position) {
    SendMessageW(Combo(), CB_SETCURSEL, position, 0);
    SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(IDC_FAVORITES, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Combo()));
    sheet_->Pump();
  }
  std::vector<std::wstring> Entries() const { return ItemTexts(IDC_FAVORITES); }
  int Selected() const { return static_cast<int>(SendMessageW(Combo(), CB_GETCURSEL, 0, 0)); }
  std::wstring BoxText() const { return Text(IDC_FAVORITES); }
  // The one favorites button on show; fails the test when there is not exactly one.
  int Shown() const {
    int shown = 0, count = 0;
    for (int id : {IDC_FAVORITE_DELETE, IDC_FAVORITE_RENAME, IDC_FAVORITE_SAVE})
      if (IsWindowVisible(Control(id))) shown = id, ++count;
    EXPECT_EQ(count, 1) << "favorites buttons on show";
    return shown;
  }

  // The user's registry, as another sheet or an older version reads it.
  std::wstring Count() const { return qxtest::ReadUserString(base_, kStore, L"DMNum"); }
  DriverDevMode Stored(int index) const {
    DriverDevMode record{};
    const std::vector<uint8_t> data = qxtest::ReadUserValue(base_, kStore, (L"CDM" + std::to_wstring(index)).c_str());
    if (data.size() == sizeof record) std::memcpy(&record, data.data(), sizeof record);
    return record;
  }
  // Names of CDM0, CDM1, ... up to the first that is missing.
  std::vector<std::wstring> StoredNames() const {
    std::vector<std::wstring> names;
    for (int i = 0; !qxtest::ReadUserValue(base_, kStore, (L"CDM" + std::to_wstring(i)).c_str()).empty(); ++i)
      names.push_back(platform::W(Stored(i).dmPrivate.cQuickSet.Read()));
    return names;
  }

  // What an earlier sheet left behind.
  void PutCount(const std::wstring& text) {
    qxtest::WriteUserString(base_, kStore, L"DMNum", text);
  }
  void PutFavorite(int index, const DriverDevMode& record) {
    qxtest::WriteUserValue(base_, kStore, (L"CDM" + std::to_wstring(index)).c_str(), REG_BINARY, &record, sizeof record);
  }
  DriverDevMode Named(const std::u16string& name) {
    DriverDevMode record = Live();
    record.dmPrivate.cQuickSet.Write(name);
    return record;
  }
  // Favorites "Favorite 1" ... "Favorite n", each with settings of its own.
  void PutFavorites(int n) {
    for (int i = 0; i < n; ++i) {
      DriverDevMode record = Named(u"Favorite " + std::u16string(platform::U(std::to_wstring(i + 1).c_str())));
      record.dmPrivate.iInstructionPage = static_cast<int16_t>(i + 1);
      PutFavorite(i, record);
    }
    PutCount(std::to_wstring(n));
  }
};

using Names = std::vector<std::wstring>;

TEST_F(FavoritesTest, SavingUnderANewNameAndRefusedAndExistingNames) {
  Stage(L"QXVA");
  Open();
  EXPECT_EQ(Entries(), Names{L"Printer Default"});
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Shown(), IDC_FAVORITE_DELETE);
  EXPECT_FALSE(Enabled(IDC_FAVORITE_DELETE));  // the user default cannot go

  {
    // The first entry's name in any case, the word for an unnamed choice and blanks are refused.
    qxtest::BoxAnswers answers({IDOK, IDOK, IDOK});
    for (const wchar_t* name : {L"printer DEFAULT", L"untitled", L"   "}) {
      Type(name);
      EXPECT_EQ(Shown(), IDC_FAVORITE_SAVE) << name;
      Click(IDC_FAVORITE_SAVE);
    }
    EXPECT_EQ(answers.TakeTexts(), (Names{kNameRequired, kNameRequired, kNameRequired}));
    EXPECT_EQ(answers.Boxes()[0].title, L"Name Required");
  }
  EXPECT_FALSE(qxtest::UserKeyExists(base_, kStore));
  EXPECT_EQ(Entries(), Names{L"Printer Default"});

  Click(IDC_UNITS_INCH);  // settings no entry holds
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(BoxText(), L"Untitled");
  Type(L"Draft");
  EXPECT_EQ(Shown(), IDC_FAVORITE_SAVE);
  EXPECT_TRUE(Enabled(IDC_FAVORITE_SAVE));
  Click(IDC_FAVORITE_SAVE);
  DWORD recordType = 0, countType = 0;
  EXPECT_EQ(qxtest::ReadUserValue(base_, kStore, L"CDM0", &recordType).size(), 4075u);
  qxtest::ReadUserValue(base_, kStore, L"DMNum", &countType);
  EXPECT_EQ(recordType, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(countType, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(StoredNames(), Names{L"Draft"});
  EXPECT_EQ(Count(), L"1");
  EXPECT_EQ(Entries(), (Names{L"Printer Default", L"Draft"}));
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(Shown(), IDC_FAVORITE_DELETE);
  EXPECT_TRUE(Enabled(IDC_FAVORITE_DELETE));

  Click(IDC_UNITS_MM);
  EXPECT_EQ(Selected(), 0);  // the user default's settings again
  Type(L"Final");
  Click(IDC_FAVORITE_SAVE);
  ASSERT_EQ(StoredNames(), (Names{L"Draft", L"Final"}));

  // Saving under an existing name asks first; No keeps everything as it was, Yes moves the
  // name to the end of the list with the settings of now.
  Click(IDC_UNITS_INCH);
  EXPECT_EQ(Selected(), 1);
  {
    qxtest::BoxAnswers answers({IDNO, IDYES});
    Type(L"Draft");
    Click(IDC_FAVORITE_SAVE);
    EXPECT_EQ(Entries(), (Names{L"Printer Default", L"Draft", L"Final"}));
    EXPECT_EQ(StoredNames(), (Names{L"Draft", L"Final"}));
    Type(L"Draft");
    Click(IDC_FAVORITE_SAVE);
    EXPECT_EQ(answers.TakeTexts(), (Names{kNameExists, kNameExists}));
    EXPECT_EQ(answers.Boxes()[0].title, L"Name Exists");
  }
  EXPECT_EQ(Entries(), (Names{L"Printer Default", L"Final", L"Draft"}));
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(StoredNames(), (Names{L"Final", L"Draft"}));
  EXPECT_EQ(Stored(1).dmPrivate.IsMMInch, 1);
  EXPECT_EQ(Count(), L"2");

  // A name saved in one sheet is listed by the next.
  Close();
  Open();
  EXPECT_EQ(Entries(), (Names{L"Printer Default", L"Final", L"Draft"}));
}

TEST_F(FavoritesTest, RenamingKeepsTheSettingsUnderTheNewName) {
  Stage(L"QXVB");
  PutFavorites(2);
  Open();
  ChooseEntry(1);
  EXPECT_EQ(Shown(), IDC_FAVORITE_DELETE);
  Type(L"Favorite 1");  // its own name: nothing to rename
  EXPECT_EQ(Shown(), IDC_FAVORITE_SAVE);
  Type(L"Letters");
  ASSERT_EQ(Shown(), IDC_FAVORITE_RENAME);
  EXPECT_TRUE(Enabled(IDC_FAVORITE_RENAME));
  Click(IDC_FAVORITE_RENAME);
  EXPECT_EQ(Entries(), (Names{L"Printer Default", L"Favorite 2", L"Letters"}));
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(Shown(), IDC_FAVORITE_DELETE);
  EXPECT_EQ(StoredNames(), (Names{L"Favorite 2", L"Letters"}));
  EXPECT_EQ(Stored(1).dmPrivate.iInstructionPage, 1);
  EXPECT_EQ(Count(), L"2");
}

TEST_F(FavoritesTest, DeletingRenumbersTheRestAndTheLastTakesTheStoreAlong) {
  Stage(L"QXVC");
  PutFavorites(5);
  Open();
  ASSERT_EQ(Entries().size(), 6u);
  ChooseEntry(3);
  EXPECT_EQ(Shown(), IDC_FAVORITE_DELETE);
  {
    qxtest::BoxAnswers answers({IDNO, IDYES});
    Click(IDC_FAVORITE_DELETE);
    EXPECT_EQ(Entries().size(), 6u);
    EXPECT_EQ(Count(), L"5");
    Click(IDC_FAVORITE_DELETE);
    EXPECT_EQ(answers.TakeTexts(), (Names{kAreYouSure, kAreYouSure}));
    EXPECT_EQ(answers.Boxes()[0].title, L"Are You Sure");
  }
  EXPECT_EQ(Entries(), (Names{L"Printer Default", L"Favorite 1", L"Favorite 2", L"Favorite 4", L"Favorite 5"}));
  EXPECT_EQ(StoredNames(), (Names{L"Favorite 1", L"Favorite 2", L"Favorite 4", L"Favorite 5"}));
  EXPECT_EQ(Stored(2).dmPrivate.iInstructionPage, 4);
  EXPECT_EQ(Count(), L"4");
  EXPECT_EQ(BoxText(), L"Untitled");
  EXPECT_EQ(Shown(), IDC_FAVORITE_SAVE);

  qxtest::BoxAnswers answers({IDYES, IDYES, IDYES, IDYES});
  for (int left = 4; left > 0; --left) {
    EXPECT_TRUE(qxtest::UserKeyExists(base_, kStore));
    ChooseEntry(1);
    Click(IDC_FAVORITE_DELETE);
  }
  EXPECT_EQ(answers.Boxes().size(), 4u);
  EXPECT_EQ(Entries(), Names{L"Printer Default"});
  EXPECT_FALSE(qxtest::UserKeyExists(base_, kStore));
}

TEST_F(FavoritesTest, ThirtyTwoFavoritesAreTheMost) {
  Stage(L"QXVD");
  PutFavorites(32);
  Open();
  EXPECT_EQ(Entries().size(), 33u);
  Type(L"One more");
  EXPECT_EQ(Shown(), IDC_FAVORITE_SAVE);
  EXPECT_FALSE(Enabled(IDC_FAVORITE_SAVE));

  ChooseEntry(32);
  {
    qxtest::BoxAnswers answers({IDYES});
    Click(IDC_FAVORITE_DELETE);
  }
  Type(L"One more");
  EXPECT_TRUE(Enabled(IDC_FAVORITE_SAVE));
  Click(IDC_FAVORITE_SAVE);
  EXPECT_EQ(Count(), L"32");
  EXPECT_EQ(StoredNames().back(), L"One more");
  Type(L"Yet another");
  EXPECT_FALSE(Enabled(IDC_FAVORITE_SAVE));
}

TEST_F(FavoritesTest, ChoosingAFavoriteTakesItsSettingsButKeepsTheInstalledOptions) {
  Stage(L"QXVE");
  Live().dmPrivate.iOptTray = 1;  // the printer has its optional tray
  DriverDevMode inches = Named(u"Inches");
  inches.dmPrivate.IsMMInch = 1;
  inches.dmPrivate.iOptTray = 0;  // saved before the tray was fitted
  PutFavorite(0, inches);
  PutCount(L"1");
  Open();
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(IsDlgButtonChecked(PageDialog(), IDC_UNITS_MM), BST_CHECKED);
  EXPECT_FALSE(ApplyEnabled());

  ChooseEntry(1);
  EXPECT_EQ(IsDlgButtonChecked(PageDialog(), IDC_UNITS_INCH), BST_CHECKED);
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(Shown(), IDC_FAVORITE_DELETE);
  EXPECT_TRUE(ApplyEnabled());
  Apply();
  EXPECT_EQ(Live().dmPrivate.IsMMInch, 1);
  EXPECT_EQ(Live().dmPrivate.iOptTray, 1);
  EXPECT_FALSE(ApplyEnabled());

  ChooseEntry(0);  // back to the user default
  EXPECT_EQ(IsDlgButtonChecked(PageDialog(), IDC_UNITS_MM), BST_CHECKED);
  EXPECT_EQ(Selected(), 0);
  EXPECT_TRUE(ApplyEnabled());
  ChooseEntry(1);
  EXPECT_FALSE(ApplyEnabled());  // the applied settings again
}

TEST_F(FavoritesTest, TheUserDefaultIsRecognisedWhateverTheInstalledOptions) {
  Stage(L"QXVF");
  DriverDevMode userDefault = Live();
  userDefault.dmPrivate.iOptTray = 2;
  qxtest::WriteUserValue(base_, L"TSF", L"Default DevMode", REG_BINARY, &userDefault, sizeof userDefault);
  Open();
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(BoxText(), L"Printer Default");
  Close();

  userDefault.dmPrivate.IsMMInch = 1;  // a setting of its own: the sheet's record is unnamed
  qxtest::WriteUserValue(base_, L"TSF", L"Default DevMode", REG_BINARY, &userDefault, sizeof userDefault);
  Open();
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(BoxText(), L"Untitled");
  EXPECT_EQ(Shown(), IDC_FAVORITE_SAVE);
}

TEST_F(FavoritesTest, AReadOnlySheetOffersNoButton) {
  Stage(L"QXVG");
  PutFavorites(1);
  Open(qxge::kSheetReadOnly);
  EXPECT_EQ(Entries(), (Names{L"Printer Default", L"Favorite 1"}));
  EXPECT_FALSE(IsWindowEnabled(Combo()));
  // Typing and choosing, which enable the buttons on a sheet that may be changed.
  Type(L"Mine");
  EXPECT_EQ(Shown(), IDC_FAVORITE_SAVE);
  EXPECT_FALSE(Enabled(IDC_FAVORITE_SAVE));
  ChooseEntry(1);
  EXPECT_FALSE(Enabled(IDC_FAVORITE_DELETE));
}

TEST_F(FavoritesTest, DamagedStoresOpenAndListWhatIsWhole) {
  Stage(L"QXVH");
  PutFavorite(0, Named(u"First"));
  PutCount(L"2147483647");
  Open();
  EXPECT_EQ(Entries(), (Names{L"Printer Default", L"First"}));
  Close();

  PutCount(L"-7");  // the first favorite is read whatever the count says
  Open();
  EXPECT_EQ(Entries(), (Names{L"Printer Default", L"First"}));
  Close();

  const std::vector<uint8_t> longer(5000, 0x41), shorter(100, 0x42);
  qxtest::WriteUserValue(base_, kStore, L"CDM0", REG_BINARY, longer.data(), longer.size());
  qxtest::WriteUserValue(base_, kStore, L"CDM1", REG_BINARY, shorter.data(), shorter.size());
  DriverDevMode unterminated = Live();
  unterminated.dmPrivate.cQuickSet.Write(std::u16string(256, u'W'));
  PutFavorite(2, unterminated);
  PutCount(L"3");
  Open();
  EXPECT_EQ(Entries(), (Names{L"Printer Default", std::wstring(256, L'W')}));
  ChooseEntry(1);
  EXPECT_EQ(Selected(), 1);
  Type(L"Whole");
  Click(IDC_FAVORITE_SAVE);
  // The rewrite keeps what the list shows.
  EXPECT_EQ(StoredNames(), (Names{std::wstring(256, L'W'), L"Whole"}));
  EXPECT_EQ(Count(), L"2");
}

}  // namespace
