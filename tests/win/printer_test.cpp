// The test printer as a Windows host sees it: Wine's spooler over the CUPS queue named
// by QXGE_PRINTER, whose jobs the loopback listener (scripts/job_listener.py) stores in
// QXGE_JOBS_DIR. scripts/test-printer.sh must have brought the rig up.

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

std::wstring EnvW(const wchar_t* name) {
    DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0) return std::wstring();
    std::wstring value(n, L'\0');
    n = GetEnvironmentVariableW(name, &value[0], n);
    value.resize(n);
    return value;
}

std::wstring PrinterName() {
    std::wstring name = EnvW(L"QXGE_PRINTER");
    return name.empty() ? L"QX_Office" : name;
}

// The folder normally arrives as Z:\...; a Unix path is accepted too because Wine would
// otherwise resolve "/work/..." against drive C: and the test would wait on an empty folder.
std::wstring JobsDir() {
    std::wstring dir = EnvW(L"QXGE_JOBS_DIR");
    if (!dir.empty() && dir[0] == L'/') {
        for (auto& c : dir)
            if (c == L'/') c = L'\\';
        dir = L"Z:" + dir;
    }
    while (!dir.empty() && (dir.back() == L'\\' || dir.back() == L'/')) dir.pop_back();
    return dir;
}

std::set<std::wstring> JobFiles(const std::wstring& dir) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((dir + L"\\job-*.prn").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = fd.cFileName;
        // Only finished jobs: the listener renames a job to job-NNNN.prn when it is complete.
        if (name.size() > 8 && name.compare(0, 4, L"job-") == 0 &&
            name.compare(name.size() - 4, 4, L".prn") == 0)
            names.insert(name);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    return names;
}

bool ReadWholeFile(const std::wstring& path, std::string* out) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    out->clear();
    char buf[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(f, buf, sizeof buf, &got, nullptr) != 0) && got > 0) out->append(buf, got);
    CloseHandle(f);
    return ok;
}

// A job that exercises what a byte-exact path must keep: a PJL header, NUL, 0xFF, ESC,
// lone CR and LF, Ctrl-Z, every byte value, and enough data to need several writes.
std::string RawJobBytes() {
    std::string job = "\x1b%-12345X@PJL\r\n";
    job += "@PJL COMMENT qxge printer_test pid=" + std::to_string(GetCurrentProcessId()) + " tick=" +
           std::to_string(GetTickCount64()) + "\r\n";
    job += "@PJL ENTER LANGUAGE=PCL\r\n";
    job += "\x1b" "E";
    for (int b = 0; b < 256; ++b) job += static_cast<char>(b);
    job += std::string("\r\r\n\n\x1a\x00\x00\xff\xff\x1b", 10);
    uint32_t x = 0x51580001u;
    for (int i = 0; i < 70000; ++i) {
        x = x * 1664525u + 1013904223u;
        job += static_cast<char>(x >> 24);
    }
    job += "\x1b" "E\x1b%-12345X@PJL EOJ\r\n\x1b%-12345X";
    return job;
}

std::string Describe(const std::string& want, const std::string& got) {
    size_t i = 0;
    while (i < want.size() && i < got.size() && want[i] == got[i]) ++i;
    return "size " + std::to_string(got.size()) + " (sent " + std::to_string(want.size()) +
           "), first difference at byte " + std::to_string(i);
}

TEST(TestPrinter, RawJobReachesThePrinterByteForByte) {
    const std::wstring printer = PrinterName();
    const std::wstring dir = JobsDir();
    ASSERT_FALSE(dir.empty()) << "QXGE_JOBS_DIR is not set; run scripts/test-printer.sh";
    DWORD attrs = GetFileAttributesW(dir.c_str());
    ASSERT_TRUE(attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY))
        << "no jobs folder at QXGE_JOBS_DIR";

    const std::set<std::wstring> before = JobFiles(dir);
    const std::string job = RawJobBytes();

    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &h, nullptr))
        << "OpenPrinterW failed, error " << GetLastError();
    DOC_INFO_1W doc = {const_cast<LPWSTR>(L"qxge raw job"), nullptr, const_cast<LPWSTR>(L"RAW")};
    DWORD job_id = StartDocPrinterW(h, 1, reinterpret_cast<LPBYTE>(&doc));
    EXPECT_NE(0u, job_id) << "StartDocPrinterW failed, error " << GetLastError();
    EXPECT_TRUE(StartPagePrinter(h));
    // Uneven pieces: the spooler must join writes in order, whatever their sizes.
    const size_t pieces[] = {1, 15, 4096, 3, 65536};
    size_t at = 0;
    for (size_t i = 0; at < job.size(); ++i) {
        size_t n = i < sizeof pieces / sizeof pieces[0] ? pieces[i] : job.size() - at;
        if (n > job.size() - at) n = job.size() - at;
        DWORD written = 0;
        ASSERT_TRUE(WritePrinter(h, const_cast<char*>(job.data() + at), static_cast<DWORD>(n), &written))
            << "WritePrinter failed at byte " << at << ", error " << GetLastError();
        ASSERT_EQ(n, written) << "short write at byte " << at;
        at += n;
    }
    EXPECT_TRUE(EndPagePrinter(h));
    EXPECT_TRUE(EndDocPrinter(h)) << "EndDocPrinter failed, error " << GetLastError();
    EXPECT_TRUE(ClosePrinter(h));

    // Other tests may print at the same time, so look for our job among the new ones.
    std::string last_seen;
    std::wstring last_name;
    bool found = false;
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (!found && GetTickCount64() < deadline) {
        for (const auto& name : JobFiles(dir)) {
            if (before.count(name)) continue;
            std::string got;
            if (!ReadWholeFile(dir + L"\\" + name, &got)) continue;
            if (got == job) {
                found = true;
                break;
            }
            last_seen = got;
            last_name = name;
        }
        if (!found) Sleep(100);
    }
    EXPECT_TRUE(found) << (last_name.empty()
                               ? std::string("no new job reached the printer within 20 s")
                               : "the newest job differs from what was sent: " + Describe(job, last_seen));
}

struct Paper {
    WORD id;
    const wchar_t* name;
    double width, height;  // nominal, in tenths of a millimetre
};

TEST(TestPrinter, ReportsThePapersBinsAndDuplexOfItsPpd) {
    const std::wstring printer = PrinterName();
    const wchar_t* dev = printer.c_str();

    // Ids are what applications select papers by; the sizes are the nominal ones, so an
    // inch size that falls between tenths of a millimetre may round either way.
    const Paper want[] = {
        {DMPAPER_LETTER, L"Letter", 2159, 2794},
        {DMPAPER_LEGAL, L"Legal", 2159, 3556},
        {DMPAPER_EXECUTIVE, L"Executive", 1841.5, 2667},
        {DMPAPER_A4, L"A4", 2100, 2970},
        {DMPAPER_A5, L"A5", 1480, 2100},
        {DMPAPER_B5, L"B5 (JIS)", 1820, 2570},
        {DMPAPER_ENV_10, L"Envelope #10", 1047.75, 2413},
        {DMPAPER_ENV_DL, L"Envelope DL", 1100, 2200},
        {DMPAPER_ENV_C5, L"Envelope C5", 1620, 2290},
        {DMPAPER_ENV_MONARCH, L"Envelope Monarch", 984.25, 1905},
    };
    const int n = DeviceCapabilitiesW(dev, nullptr, DC_PAPERS, nullptr, nullptr);
    // Wine's built-in fallback description lists A0 and more; exactly our ten means ours was read.
    ASSERT_EQ(static_cast<int>(sizeof want / sizeof want[0]), n)
        << "DC_PAPERS count: is the queue's PPD the QX_Office one?";
    std::vector<WORD> ids(n);
    std::vector<wchar_t> names(64 * n + 1);
    std::vector<POINT> sizes(n);
    ASSERT_EQ(n, DeviceCapabilitiesW(dev, nullptr, DC_PAPERS, reinterpret_cast<LPWSTR>(ids.data()), nullptr));
    ASSERT_EQ(n, DeviceCapabilitiesW(dev, nullptr, DC_PAPERNAMES, names.data(), nullptr));
    ASSERT_EQ(n, DeviceCapabilitiesW(dev, nullptr, DC_PAPERSIZE, reinterpret_cast<LPWSTR>(sizes.data()), nullptr));
    for (const Paper& p : want) {
        SCOPED_TRACE(std::string("paper id ") + std::to_string(p.id));
        int at = -1;
        for (int i = 0; i < n; ++i)
            if (ids[i] == p.id) at = i;
        ASSERT_NE(-1, at) << "missing from DC_PAPERS";
        EXPECT_EQ(std::wstring(p.name), std::wstring(&names[64 * at], wcsnlen(&names[64 * at], 64)));
        EXPECT_LT(std::fabs(sizes[at].x - p.width), 1.0) << "width " << sizes[at].x;
        EXPECT_LT(std::fabs(sizes[at].y - p.height), 1.0) << "height " << sizes[at].y;
    }

    const wchar_t* want_bins[] = {L"Auto Select", L"Tray 1", L"Tray 2", L"Tray 3", L"Manual Feed",
                                  L"Envelope Feeder"};
    const int nb = DeviceCapabilitiesW(dev, nullptr, DC_BINS, nullptr, nullptr);
    ASSERT_GE(nb, 6) << "DC_BINS count";
    std::vector<WORD> bins(nb);
    std::vector<wchar_t> bin_names(24 * nb + 1);
    ASSERT_EQ(nb, DeviceCapabilitiesW(dev, nullptr, DC_BINS, reinterpret_cast<LPWSTR>(bins.data()), nullptr));
    ASSERT_EQ(nb, DeviceCapabilitiesW(dev, nullptr, DC_BINNAMES, bin_names.data(), nullptr));
    std::vector<std::wstring> listed;
    for (int i = 0; i < nb; ++i) listed.emplace_back(&bin_names[24 * i], wcsnlen(&bin_names[24 * i], 24));
    // A host picks a tray by its DC_BINS number, so each tray needs its own.
    EXPECT_EQ(static_cast<size_t>(nb), std::set<WORD>(bins.begin(), bins.end()).size())
        << "two bins share a number";
    size_t last = 0;
    for (const wchar_t* b : want_bins) {
        size_t at = 0;
        while (at < listed.size() && listed[at] != b) ++at;
        ASSERT_LT(at, listed.size()) << "bin missing: " << std::wstring(b);
        EXPECT_GE(at, last) << "bins are out of the PPD's order";
        last = at;
    }

    EXPECT_EQ(1, DeviceCapabilitiesW(dev, nullptr, DC_DUPLEX, nullptr, nullptr)) << "two-sided printing";
}

}  // namespace
