// The test printer as a Windows host sees it: Wine's spooler over the CUPS queue named by
// QXGE_PRINTER, whose jobs the loopback listener (scripts/job_listener.py) stores in
// QXGE_JOBS_DIR. scripts/test-printer.sh must have brought the rig up. The papers and bins of
// its PPD are checked where the module reads them (lookup_test.cpp).

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>
#include <string>

#include "test_support.h"

namespace {

std::wstring EnvW(const wchar_t* name) {
  wchar_t value[1024];
  const DWORD n = GetEnvironmentVariableW(name, value, 1024);
  return n == 0 || n >= 1024 ? std::wstring() : std::wstring(value, n);
}

// What a byte-exact path must keep: a PJL header, NUL, 0xFF, ESC, lone CR and LF, Ctrl-Z,
// every byte value, and enough data to need several writes. The process and tick make the
// job tell itself apart from other tests' jobs.
std::string RawJobBytes() {
  std::string job = "\x1b%-12345X@PJL\r\n@PJL COMMENT qxge pid=" + std::to_string(GetCurrentProcessId()) +
                    " tick=" + std::to_string(GetTickCount64()) + "\r\n@PJL ENTER LANGUAGE=PCL\r\n\x1b" "E";
  for (int b = 0; b < 256; ++b) job += static_cast<char>(b);
  job += std::string("\r\r\n\n\x1a\x00\x00\xff\xff\x1b", 10);
  uint32_t x = 0x51580001u;
  for (int i = 0; i < 70000; ++i) job += static_cast<char>((x = x * 1664525u + 1013904223u) >> 24);
  return job + "\x1b" "E\x1b%-12345X@PJL EOJ\r\n\x1b%-12345X";
}

TEST(TestPrinter, RawJobReachesThePrinterByteForByte) {
  std::wstring printer = EnvW(L"QXGE_PRINTER");
  if (printer.empty()) printer = L"QX_Office";
  ASSERT_FALSE(qxtest::JobsDir().empty()) << "QXGE_JOBS_DIR is not set; run scripts/test-printer.sh";
  const qxtest::JobWatch watch;
  const std::string job = RawJobBytes();

  HANDLE h = nullptr;
  ASSERT_TRUE(OpenPrinterW(&printer[0], &h, nullptr)) << "OpenPrinterW failed, error " << GetLastError();
  DOC_INFO_1W doc = {const_cast<LPWSTR>(L"qxge raw job"), nullptr, const_cast<LPWSTR>(L"RAW")};
  EXPECT_NE(StartDocPrinterW(h, 1, reinterpret_cast<LPBYTE>(&doc)), 0u) << "error " << GetLastError();
  EXPECT_TRUE(StartPagePrinter(h));
  // Uneven pieces: the spooler must join writes in order, whatever their sizes.
  size_t at = 0;
  for (size_t piece : {size_t{1}, size_t{15}, size_t{4096}, size_t{3}, size_t{65536}, job.size()}) {
    const DWORD n = static_cast<DWORD>(std::min(piece, job.size() - at));
    DWORD written = 0;
    ASSERT_TRUE(WritePrinter(h, const_cast<char*>(job.data() + at), n, &written)) << "at byte " << at;
    ASSERT_EQ(written, n) << "short write at byte " << at;
    at += n;
  }
  EXPECT_TRUE(EndPagePrinter(h));
  EXPECT_TRUE(EndDocPrinter(h)) << "EndDocPrinter failed, error " << GetLastError();
  EXPECT_TRUE(ClosePrinter(h));

  const std::vector<std::string> jobs = watch.Files(job);
  EXPECT_NE(std::find(jobs.begin(), jobs.end(), job), jobs.end()) << jobs.size() << " new jobs, none with the bytes sent";
  EXPECT_EQ(watch.Named("qxge raw job", 1), 1);
}

}  // namespace
