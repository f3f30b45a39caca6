// What a damaged installation or another program can leave behind: stored records of the wrong
// size, counts that are no counts, model and text files that are binary, endless or cut off,
// translations full of conversions. Each opens the whole office sheet with defaults, without a
// fault, and a sheet that is only looked at gives the host its record back untouched. And any
// record a host hands over keeps the bytes the module does not own through open, change and
// apply, while the bytes it owns end up as values the pages show.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "preview/decoration_file.h"
#include "record/driver_dev_mode.h"
#include "resources/resource.h"
#include "sheet_harness.h"
#include "test_support.h"

namespace {

using qxge::DriverDevMode;
using qxge::FieldInfo;

constexpr wchar_t kBase[] = L"QXHI";
const std::wstring kTsf = L"TSF";
const std::wstring kFavorites = L"TSF\\Device Modes";
const std::wstring kPapers = L"TSF\\Custom Paper Data";

std::string Junk(size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

void PutText(const std::wstring& subkey, const wchar_t* name, const std::wstring& text) {
  qxtest::WriteUserString(kBase, subkey, name, text);
}

class HostileInputTest : public qxtest::SheetHarness {
 protected:
  // The office package, with the model and text files as given (empty: the sample's own).
  void StageOffice(const std::string& model = {}, const std::string& text = {}) {
    const std::wstring samples = qxtest::SourceDir() + L"\\samples\\office\\";
    Stage(kBase, "", "");
    const auto put = [&](const wchar_t* sample, const wchar_t* own, const std::string& bytes) {
      if (bytes.empty()) CopyFileW((samples + sample).c_str(), (dir_ + L"\\" + own).c_str(), FALSE);
      else qxtest::WriteTextFile(dir_ + L"\\" + own, bytes);
    };
    put(L"QX5000U.INI", L"QXHIU.INI", model);
    put(L"QX5000EN.DAT", L"QXHIEN.DAT", text);
    put(L"QX_Office.VER", L"QX_Office.VER", {});
  }
  // Every page the model has, each shown once, then cancelled: the host gets its record back.
  void OpenEveryPageAndCancel(const std::string& what) {
    const std::vector<uint8_t> before = record_;
    std::vector<int32_t> pages;
    for (int32_t id = 0; id < 22; ++id) pages.push_back(id);
    Open(pages);
    const int shown = TabCtrl_GetItemCount(PropSheet_GetTabControl(window_));
    EXPECT_GE(shown, 6) << what;
    for (int i = 0; i < shown; ++i) {
      PropSheet_SetCurSel(window_, nullptr, i);
      sheet_->Pump();
      EXPECT_NE(PageDialog(), nullptr) << what << ", page " << i;
    }
    EXPECT_FALSE(ApplyEnabled()) << what;
    Close();
    EXPECT_EQ(record_, before) << what;
    module_.Unload();
    EXPECT_EQ(GetModuleHandleW(L"QXHIU.DLL"), nullptr) << what;
  }
};

TEST_F(HostileInputTest, DamagedStoresOpenTheWholeSheet) {
  for (size_t size : {1u, 4074u, 4076u, 65536u}) {
    StageOffice();
    const std::string junk = Junk(size, static_cast<uint32_t>(size));
    qxtest::WriteUserValue(kBase, kTsf, L"Default DevMode", REG_BINARY, junk.data(), junk.size());
    OpenEveryPageAndCancel("a stored default of " + std::to_string(size) + " bytes");
  }
  for (const wchar_t* count : {L"2147483647", L"-1", L"12abc"}) {
    StageOffice();
    PutText(kFavorites, L"DMNum", count);
    const std::string wrong = Junk(4000, 3);
    qxtest::WriteUserValue(kBase, kFavorites, L"CDM0", REG_BINARY, wrong.data(), wrong.size());
    qxtest::WriteUserValue(kBase, kFavorites, L"CDM5", REG_BINARY, wrong.data(), 7);
    // The user's paper sizes: a count as wild, a name past its field, a side of no length.
    PutText(kPapers, L"CPNum", count);
    PutText(kPapers, L"Nm0", std::wstring(300, L'n'));
    PutText(kPapers, L"Nm1", L"Flat");
    PutText(kPapers, L"Wd1", L"0");
    PutText(kPapers, L"Hg1", L"2970");
    OpenEveryPageAndCancel("a favorite and paper count of " + std::string(count, count + wcslen(count)));
  }
}

TEST_F(HostileInputTest, DamagedModelAndTextFilesOpenTheWholeSheet) {
  // A UTF-16 file that ends in the middle of a character, long lines before the keys that
  // matter, binary junk, and a translation whose every text is a trap for a formatter.
  std::string cut = "\xFF\xFE";
  for (char c : std::string("[Common]\r\nLayoutMore=1\r\nCaption=Half")) cut += std::string{c, '\0'};
  cut += 'x';
  std::string longLines = "[Common]\r\nDoubleSidedPapers=";
  for (int i = 0; i < 50000; ++i) longLines += "9;";
  longLines += "\r\nCaption=" + std::string(100000, 'x') + "\r\n" + std::string(100000, '=') + "\r\n";
  std::string traps;
  for (const char* section : {"Common", "Preview", "Layout Dialog", "Paper Dialog", "Graphics Dialog"}) {
    traps += "[" + std::string(section) + "]\r\nCaption=%n%s%999999d\r\n";
    for (int i = 1; i <= 20; ++i) traps += "OptionUsageTipMsg" + std::to_string(i) + "=%s%n%999999d%s%s%%%\r\n";
    traps += "%s x %s mm=%999999d%n%s\r\n%s x %s in=%s%s%s%s\r\nPrinter Default=%n\r\nUntitled=%s\r\n";
  }
  const std::vector<std::pair<std::string, std::string>> files = {
      {Junk(70000, 1), Junk(70000, 2)}, {cut, cut}, {longLines, longLines}, {{}, traps}};
  for (size_t i = 0; i < files.size(); ++i) {
    StageOffice(files[i].first, files[i].second);
    OpenEveryPageAndCancel("files of case " + std::to_string(i));
  }
  // Reads stop at the caller's buffer, terminated, and a key after the long lines is found.
  // Container scales are the translator's; one beyond any screen gives the largest size the
  // host's block holds, never a wrapped one.
  StageOffice(longLines + "After=found\r\n", "[Common]\r\nCPSUI_Scale_X=20\r\nCPSUI_Scale_Y=" + std::string(100000, '7'));
  EXPECT_EQ(qxtest::GetText(module_, false, L"", L"Caption"), std::wstring(511, L'x'));
  EXPECT_EQ(qxtest::GetText(module_, false, L"", L"After"), L"found");
  qxge::PageInfoBlock info = {};
  module_.PageInfo(&info, 0);
  EXPECT_EQ(info.width, 67);
  EXPECT_EQ(info.height, INT32_MAX);
}

// Bytes of the record the module names but never writes: the public settings that are not
// the module's, the reserves and the host's tail.
bool NotOwned(const FieldInfo& f) {
  static const char* const kCarried[] = {"dmSpecVersion", "dmDriverVersion", "dmSize", "dmDriverExtra",
                                         "dmLogPixels", "dmBitsPerPel", "dmPelsWidth",
                                         "dmPelsHeight", "dmDisplayFrequency", "dmICMMethod", "dmICMIntent",
                                         "dmPanningWidth", "dmPanningHeight", "dmReserved1", "dmReserved2",
                                         "Reserved3986", "Tail3989"};
  for (const char* name : kCarried)
    if (std::strcmp(f.name, name) == 0) return true;
  return false;
}

std::vector<std::string> Differences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                                     const std::function<bool(const FieldInfo&)>& which) {
  std::vector<std::string> names;
  for (const FieldInfo& f : qxge::kRecordFields)
    if (which(f) && std::memcmp(a.data() + f.offset, b.data() + f.offset, f.size) != 0) names.push_back(f.name);
  return names;
}

// Random records from the host: open, a change of orientation, apply. What the module does not
// own passes through; what it owns is then a value the page shows, so showing and applying the
// result again changes nothing. QXGE_PASS_THROUGH_RECORDS sets how many (the test run's few
// dozen; a release check runs ten thousand, in parts with QXGE_PASS_THROUGH_SEED).
TEST_F(HostileInputTest, RecordsPassThroughOpenChangeAndApply) {
  StageOffice();
  const char* count = std::getenv("QXGE_PASS_THROUGH_RECORDS");
  const char* seed = std::getenv("QXGE_PASS_THROUGH_SEED");
  const int records = count != nullptr ? std::atoi(count) : 60;
  std::mt19937 random(seed != nullptr ? static_cast<uint32_t>(std::strtoul(seed, nullptr, 10)) : 20261206u);
  const auto applyOnLayout = [&](bool turn) {
    Open({0});
    if (turn) Click(SendMessageW(Control(IDC_PORTRAIT), BM_GETCHECK, 0, 0) == BST_CHECKED ? IDC_LANDSCAPE : IDC_PORTRAIT);
    PropSheet_PressButton(window_, PSBTN_OK);
    while (sheet_->Pump()) Sleep(1);
    sheet_.reset();
  };
  for (int n = 0; n < records; ++n) {
    for (uint8_t& b : record_) b = static_cast<uint8_t>(random());
    const std::vector<uint8_t> given = record_;
    applyOnLayout(true);
    const std::vector<uint8_t> applied = record_;
    EXPECT_EQ(Differences(given, applied, NotOwned), std::vector<std::string>{}) << "record " << n;
    applyOnLayout(false);
    EXPECT_EQ(Differences(applied, record_, [](const FieldInfo&) { return true; }), std::vector<std::string>{})
        << "record " << n;
    if (HasFailure()) break;
  }
}

// Random records rendered for the printer, decorations and watermarks alike: each one a file,
// none a fault.
TEST(HostileRecords, RenderAsPrinterFiles) {
  const qxtest::TemporaryFolder temp(L"QXHR-temp");
  for (uint32_t n = 0; n < 12; ++n) {
    const std::string bytes = Junk(sizeof(DriverDevMode), 20261207u + n);
    DriverDevMode record;
    std::memcpy(&record, bytes.data(), sizeof record);
    record.dmPublic.dmDeviceName.Write(u"QX_Office");
    qxge::RenderDecorationFile(record, static_cast<int16_t>(1 + n % 2), n % 3 == 0 ? 0 : DMPAPER_A4);
  }
  EXPECT_EQ(qxtest::FilesIn(temp.Path()).size(), 12u);
}

}  // namespace
