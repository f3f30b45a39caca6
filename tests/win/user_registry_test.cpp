// The per-user store every collection and the user default go through, read back with the
// registry's own functions: the value names, types and bytes other tools and older versions see.
#include "collections/user_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "host/driver_ui_app.h"
#include "host/host_blocks.h"
#include "platform/registry_key.h"
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

  std::wstring Path(const wchar_t* collection) const {
    std::wstring path = L"SOFTWARE\\QXPrint\\" + base_ + L"\\TSF";
    if (collection != nullptr) path += std::wstring(L"\\") + collection;
    return path;
  }
  bool KeyExists(const wchar_t* collection) const {
    platform::RegistryKey key;
    return key.Open(HKEY_CURRENT_USER, Path(collection).c_str(), KEY_READ);
  }
  // Type and bytes of a stored value; type 0 when there is none.
  std::vector<uint8_t> Stored(const wchar_t* collection, const wchar_t* name, DWORD& type) const {
    type = 0;
    platform::RegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, Path(collection).c_str(), KEY_READ)) return {};
    std::vector<uint8_t> data(10000);
    DWORD size = static_cast<DWORD>(data.size());
    if (RegQueryValueExW(key.Get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return {};
    data.resize(size);
    return data;
  }
  std::vector<uint8_t> TextBytes(const std::wstring& text) const {
    const auto* p = reinterpret_cast<const uint8_t*>(text.c_str());
    return {p, p + (text.size() + 1) * sizeof(wchar_t)};
  }

  std::wstring base_;
};

TEST_F(UserRegistryTest, ValuesAreStoredAsTextAndWholeRecordsUnderIndexedNames) {
  {
    const UserRegistry item(L"Watermark Data", 3, true);
    item.PutInt(L"Tx", -12);
    item.PutString(L"Name", L"Draft");
    const UserRegistry first(L"Watermark Data", 0, true);
    first.PutInt(L"Tx", 7);
    const UserRegistry count(L"Watermark Data", -1, true);
    count.PutInt(L"WMNum", 4);
    std::vector<uint8_t> record(qxge::kDriverDevModeBytes, 0x5A);
    UserRegistry(nullptr, -1, true).PutRecord(L"Default DevMode", record.data());
  }
  DWORD type;
  EXPECT_EQ(Stored(L"Watermark Data", L"Tx3", type), TextBytes(L"-12"));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Stored(L"Watermark Data", L"Name3", type), TextBytes(L"Draft"));
  EXPECT_EQ(Stored(L"Watermark Data", L"Tx0", type), TextBytes(L"7"));
  EXPECT_EQ(Stored(L"Watermark Data", L"WMNum", type), TextBytes(L"4"));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Stored(nullptr, L"Default DevMode", type), std::vector<uint8_t>(qxge::kDriverDevModeBytes, 0x5A));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));

  const UserRegistry item(L"Watermark Data", 3, false);
  EXPECT_EQ(item.GetInt(L"Tx"), -12);
  // The stored terminator counts against the capacity; the reader adds its own after the data.
  wchar_t text[7];
  EXPECT_TRUE(item.GetString(L"Name", text, 6 * sizeof(wchar_t)));
  EXPECT_STREQ(text, L"Draft");
  EXPECT_FALSE(item.GetString(L"Name", text, 5 * sizeof(wchar_t)));  // too long: empty
  EXPECT_STREQ(text, L"");
}

TEST_F(UserRegistryTest, AUserWhoNeverStoredAnythingReadsEmptyValues) {
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
  EXPECT_FALSE(KeyExists(nullptr));
}

TEST_F(UserRegistryTest, DamagedValuesReadAsDefaults) {
  {
    const UserRegistry store(L"Device Modes", -1, true);
    store.PutString(L"A", L"12abc");
    store.PutString(L"B", L"");
    store.PutString(L"C", L"abc");
  }
  platform::RegistryKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, Path(L"Device Modes").c_str(), KEY_ALL_ACCESS));
  const std::vector<uint8_t> longer(5000, 0x44), shorter(100, 0x55);
  key.Set(L"CDM0", REG_BINARY, longer.data(), static_cast<DWORD>(longer.size()));
  key.Set(L"CDM1", REG_BINARY, shorter.data(), static_cast<DWORD>(shorter.size()));
  const DWORD number = 9;
  key.Set(L"D", REG_DWORD, &number, sizeof number);

  const UserRegistry store(L"Device Modes", -1, false);
  EXPECT_EQ(store.GetInt(L"A"), 12);
  EXPECT_EQ(store.GetInt(L"B"), 0);
  EXPECT_EQ(store.GetInt(L"C"), 0);
  EXPECT_EQ(store.GetInt(L"D"), 0);  // never written as a number by this module

  std::vector<uint8_t> record(qxge::kDriverDevModeBytes, 0x11);
  EXPECT_FALSE(UserRegistry(L"Device Modes", 0, false).GetRecord(L"CDM", record.data()));
  EXPECT_EQ(record, std::vector<uint8_t>(qxge::kDriverDevModeBytes, 0));
  std::fill(record.begin(), record.end(), 0x11);
  EXPECT_TRUE(UserRegistry(L"Device Modes", 1, false).GetRecord(L"CDM", record.data()));
  std::vector<uint8_t> expected(qxge::kDriverDevModeBytes, 0x11);
  std::fill(expected.begin(), expected.begin() + 100, 0x55);
  EXPECT_EQ(record, expected);
}

TEST_F(UserRegistryTest, DeletingACollectionLeavesTheOthers) {
  UserRegistry(L"Overlay Data", 0, true).PutString(L"Path", L"C:\\a.ovl");
  UserRegistry(L"Watermark Data", -1, true).PutInt(L"WMNum", 1);
  UserRegistry::DeleteCollection(L"Overlay Data");
  EXPECT_FALSE(KeyExists(L"Overlay Data"));
  EXPECT_EQ(UserRegistry(L"Watermark Data", -1, false).GetInt(L"WMNum"), 1);
}

}  // namespace
