// Jobs sent straight to the test printer: the Maintenance page's two buttons, and the raw-job
// senders under bad input. Bytes are checked where the printer gets them, names in the queue.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "printer/raw_job.h"
#include "resources/resource.h"
#include "sheet_harness.h"

namespace {

const std::string kHeadCleaning("\x1bSS\x00\x02P\r", 7);

// Bigger than any one write, with the bytes a text path would change or stop at.
std::string AlignmentBytes(char mark) {
  std::string bytes = std::string("\x1b%-12345X@PJL\r\n", 15) + mark;
  for (int i = 0; bytes.size() < 70000; ++i) bytes += std::string("\0\xff\r\n\x1a\n\r", 7) + static_cast<char>(i);
  return bytes;
}

class MaintenancePageTest : public qxtest::SheetHarness {
 protected:
  void OpenMaintenance(bool pictures) {
    Stage(L"QXMA", "[Common]\r\n", "[Common]\r\n", pictures);
    Open({20});
  }
  void Write(const std::wstring& name, const std::string& bytes) { qxtest::WriteTextFile(dir_ + L"\\" + name, bytes); }
  // A click that sends, or not, one job; the queue knows at once, the listener soon after.
  void ExpectAlignmentJob(const std::string& bytes) {
    const qxtest::JobWatch watch;
    Click(IDC_ALIGNMENT);
    EXPECT_EQ(watch.Named("Auto Alignment", bytes.empty() ? 0 : 1), bytes.empty() ? 0 : 1);
    if (bytes.empty()) return;
    const std::vector<std::string> jobs = watch.Files(bytes);
    EXPECT_NE(std::find(jobs.begin(), jobs.end(), bytes), jobs.end()) << "the printer got other bytes";
  }
  int Width(int id) const { return Bounds(id).right - Bounds(id).left; }
};

TEST_F(MaintenancePageTest, HeadCleaningSendsSevenBytesByMouseAndKeyboard) {
  ASSERT_FALSE(qxtest::JobsDir().empty()) << "QXGE_JOBS_DIR is not set; run scripts/test-printer.sh";
  Stage(L"QXMA", "[Common]\r\n", "[Common]\r\n", true);
  // The record names another printer; the sheet's is the one that gets the job.
  Live().dmPublic.dmDeviceName.Write(u"Nobody's Printer");
  Open({20});
  // The picture buttons: one state of the strip, their words as a tip over the picture.
  EXPECT_EQ(Tip(IDC_CLEANING, true), L"Head Cleaning");
  const qxtest::JobWatch watch;
  Click(IDC_CLEANING);
  SetFocus(Control(IDC_CLEANING));
  SendMessageW(Control(IDC_CLEANING), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(Control(IDC_CLEANING), WM_KEYUP, VK_SPACE, 0);
  sheet_->Pump();
  EXPECT_EQ(watch.Named("Head Cleaning", 2), 2);
  const std::vector<std::string> jobs = watch.Files(kHeadCleaning, 2);
  EXPECT_EQ(std::count(jobs.begin(), jobs.end(), kHeadCleaning), 2) << jobs.size() << " new jobs";
}

TEST_F(MaintenancePageTest, AutoAlignmentSendsTheLanguageFileElseTheModelsOnce) {
  OpenMaintenance(false);
  // Without the resource library the buttons are ordinary ones, as wide as their words.
  EXPECT_NE(Tip(IDC_ALIGNMENT, true), L"Auto Alignment") << "the words are on the button";
  EXPECT_GT(Width(IDC_ALIGNMENT), Width(IDC_CLEANING) - 4);
  EXPECT_LT(Bounds(IDC_ALIGNMENT).bottom - Bounds(IDC_ALIGNMENT).top, Width(IDC_ALIGNMENT) / 2);
  EXPECT_GT(Bounds(IDC_ALIGNMENT_TITLE).left, Bounds(IDC_ALIGNMENT).right);
  EXPECT_GT(Bounds(IDC_CLEANING_TEXT).left, Bounds(IDC_CLEANING).right);

  const std::string language = AlignmentBytes('L'), model = AlignmentBytes('M');
  Write(L"QXMAEN.PRN", language);
  Write(L"QXMAU.PRN", model);
  ExpectAlignmentJob(language);
  // An empty language file, or one another program holds, gives way to the model's.
  Write(L"QXMAEN.PRN", "");
  ExpectAlignmentJob(model);
  Write(L"QXMAEN.PRN", language);
  const HANDLE held = CreateFileW((dir_ + L"\\QXMAEN.PRN").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ExpectAlignmentJob(model);
  CloseHandle(held);
  // Neither file: nothing at all reaches the queue.
  DeleteFileW((dir_ + L"\\QXMAEN.PRN").c_str());
  DeleteFileW((dir_ + L"\\QXMAU.PRN").c_str());
  ExpectAlignmentJob("");
}

TEST(RawJob, NothingGoesOutForAPrinterOrFileThatCannotBeHad) {
  const qxtest::JobWatch watch;
  std::vector<uint8_t> bytes = qxhost::DefaultRecord(L"No Such Printer");
  const auto& record = *reinterpret_cast<qxge::DriverDevMode*>(bytes.data());
  qxge::SendRawJob(record, u"qxge unopenable", "x", -1);
  bytes = qxhost::DefaultRecord(L"QX_Office");
  const std::wstring dir = qxtest::FreshFolder(L"QXRAW"), big = dir + L"\\big.prn";
  const HANDLE file = CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  LARGE_INTEGER size;
  size.QuadPart = qxge::kMaxRawFileBytes + 1;
  SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
  const auto& office = *reinterpret_cast<qxge::DriverDevMode*>(bytes.data());
  EXPECT_FALSE(qxge::SendFileAsJob(office, reinterpret_cast<const char16_t*>(big.c_str()), u"qxge too big"));
  EXPECT_FALSE(qxge::SendFileAsJob(office, u"Z:\\no\\such\\file.prn", u"qxge missing"));
  EXPECT_EQ(watch.Named("qxge unopenable", 0) + watch.Named("qxge too big", 0) + watch.Named("qxge missing", 0), 0);
}

}  // namespace
