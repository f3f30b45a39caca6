// The per-user store every collection and the user default go through: what a user without a
// store and damaged values read as, and what a deletion leaves.
#include "collections/user_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/driver_ui_app.h"
#include "app/host_blocks.h"
#include "platform/win_text.h"
#include "test_support.h"

namespace {

using qxge::UserRegistry;

class UserRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = platform::W(qxge::App().ModuleBase());
    qxtest::ForgetUser(base_);
  }
  void TearDown() override { qxtest::ForgetUser(base_); }

  std::wstring Key(const wchar_t* collection) const {
    return collection == nullptr ? L"TSF" : std::wstring(L"TSF\\") + collection;
  }

  std::wstring base_;
};

TEST_F(UserRegistryTest, AUserWithoutAStoreAndDamagedNumbersReadAsDefaults) {
  const UserRegistry store(L"Device Modes", 0, false);
  EXPECT_FALSE(store.IsOpen());
  wchar_t text[8] = L"junk";
  EXPECT_FALSE(store.GetString(L"Name", text, 7 * sizeof(wchar_t)));
  EXPECT_STREQ(text, L"");
  EXPECT_EQ(store.GetInt(L"DMNum"), 0);
  std::vector<uint8_t> record(qxge::kDriverDevModeBytes, 0x33);
  EXPECT_FALSE(store.GetRecord(L"CDM", record.data()));
  EXPECT_EQ(record, std::vector<uint8_t>(qxge::kDriverDevModeBytes, 0x33));
  store.PutInt(L"DMNum", 1);
  EXPECT_FALSE(qxtest::UserKeyExists(base_, Key(nullptr)));

  // Damaged numbers read as defaults.
  {
    const UserRegistry writable(L"Device Modes", -1, true);
    writable.PutString(L"A", L"12abc");
    writable.PutString(L"C", L"abc");
  }
  const DWORD number = 9;
  qxtest::WriteUserValue(base_, Key(L"Device Modes"), L"D", REG_DWORD, &number, sizeof number);
  const UserRegistry damaged(L"Device Modes", -1, false);
  EXPECT_EQ(damaged.GetInt(L"A"), 12);
  EXPECT_EQ(damaged.GetInt(L"C"), 0);
  EXPECT_EQ(damaged.GetInt(L"D"), 0);  // never written as a number by this module
}

TEST_F(UserRegistryTest, DeletingACollectionLeavesTheOthers) {
  UserRegistry(L"Overlay Data", 0, true).PutString(L"Path", L"C:\\a.ovl");
  UserRegistry(L"Watermark Data", -1, true).PutInt(L"WMNum", 1);
  UserRegistry::DeleteCollection(L"Overlay Data");
  EXPECT_FALSE(qxtest::UserKeyExists(base_, Key(L"Overlay Data")));
  EXPECT_EQ(UserRegistry(L"Watermark Data", -1, false).GetInt(L"WMNum"), 1);
}

}  // namespace
