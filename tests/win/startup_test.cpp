// Start-up as a host sees it: a module copied under a model's name into a fresh folder with
// its own files, loaded, asked through its exports, and its files and registry inspected.
#include <gtest/gtest.h>

#include <string>

#include "app/module_names.h"
#include "sheethost/module_package.h"
#include "platform/registry_key.h"
#include "platform/win_text.h"
#include "test_support.h"

namespace {

using qxtest::GetText;
using qxtest::ReadTextFile;

class StartupTest : public ::testing::Test {
 protected:
  // A package folder named after the module base, with the module copied in as file.
  void Stage(const std::wstring& base, const std::wstring& file) {
    base_ = base;
    qxtest::ForgetUser(base);
    dir_ = qxtest::FreshFolder(base);
    dll_ = qxtest::StageModule(dir_, file);
  }
  void Write(const std::wstring& name, const std::string& text) { qxtest::WriteTextFile(dir_ + L"\\" + name, text); }
  std::string Read(const std::wstring& name) { return ReadTextFile(dir_ + L"\\" + name); }
  void Load() { ASSERT_TRUE(module_.Load(dll_)) << std::string(module_.Error().begin(), module_.Error().end()); }
  void TearDown() override {
    module_.Unload();
    qxtest::ForgetUser(base_);
  }

  std::wstring base_, dir_, dll_;
  qxhost::ModulePackage module_;
};

std::wstring UserLanguageCode() {
  wchar_t text[16] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE, text, 16);
  const std::u16string code = qxge::LanguageCodeFor(qxge::ParseLanguageId(platform::U(text)));
  return std::wstring(platform::W(code));
}

TEST_F(StartupTest, ModuleNamesChooseTheModelFileTextFileAndUserKey) {
  Stage(L"QXTA", L"QXTAU.DLL");
  const std::wstring code = UserLanguageCode();
  Write(L"QXTAU.INI", "[Common]\r\nCaption=Model caption\r\n");
  Write(L"QXTA.INI", "[Common]\r\nCaption=wrong model file\r\n");
  Write(L"QXTA" + code + L".DAT", "[Common]\r\nMarker=user language\r\n");
  Load();

  EXPECT_EQ(GetText(module_, false, L"", L"Caption"), L"Model caption");
  EXPECT_EQ(GetText(module_, false, nullptr, L"Caption"), L"Model caption");
  EXPECT_EQ(GetText(module_, true, L"Common", L"Marker"), L"user language");
  // The code is stored for a user who had none.
  EXPECT_EQ(qxtest::ReadUserString(L"QXTA", L"", L"DrvCntCode"), code);
  // Keys that are missing read as empty, whatever the buffer held.
  EXPECT_EQ(GetText(module_, true, L"Common", L"No such key"), L"");
  EXPECT_EQ(GetText(module_, true, L"No such section", L"Marker"), L"");
}

TEST_F(StartupTest, StoredLanguageWithoutItsFileFallsBackToEnglishAndIsKept) {
  Stage(L"QXTC", L"QXTCU.DLL");
  {
    platform::RegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, L"SOFTWARE\\QXPrint\\QXTC", KEY_ALL_ACCESS));
    key.SetString(L"DrvCntCode", L"DT");
  }
  Write(L"QXTCEN.DAT", "[Common]\r\nMarker=english\r\n");
  Write(L"QXTCU.DAT", "[Common]\r\nMarker=module file\r\n");
  Load();
  EXPECT_EQ(GetText(module_, true, L"", L"Marker"), L"english");
  EXPECT_EQ(qxtest::ReadUserString(L"QXTC", L"", L"DrvCntCode"), L"DT");
  module_.Unload();

  Write(L"QXTCDT.DAT", "[Common]\r\nMarker=dutch\r\n");
  Load();
  EXPECT_EQ(GetText(module_, true, L"", L"Marker"), L"dutch");
}

TEST_F(StartupTest, ReadOnlyTextFileIsMadeWritableButModelFileIsLeftAlone) {
  Stage(L"QXTF", L"QXTFU.DLL");
  Write(L"QXTFU.INI", "[Common]\r\nShowDevmodeChanges=1\r\n");
  Write(L"QXTFEN.DAT", "[Common]\r\n");
  SetFileAttributesW((dir_ + L"\\QXTFU.INI").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW((dir_ + L"\\QXTFEN.DAT").c_str(), FILE_ATTRIBUTE_READONLY);
  Load();
  EXPECT_EQ(GetText(module_, false, L"", L"ShowDevmodeChanges"), L"1");
  EXPECT_EQ(GetFileAttributesW((dir_ + L"\\QXTFEN.DAT").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_NE(GetFileAttributesW((dir_ + L"\\QXTFU.INI").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(Read(L"QXTFU.INI"), "[Common]\r\nShowDevmodeChanges=1\r\n");
  EXPECT_NE(Read(L"QXTFEN.DAT").find("CPSUI_Scale_Y=100"), std::string::npos);
}

}  // namespace
