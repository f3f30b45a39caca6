// Benchmarks run under Wine, printed as a table. Measures what a user feels: how long the
// module's work takes against the platform doing the same job.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "config/profile_file.h"
#include "config/profile_storage_win.h"
#include "platform/win_text.h"

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Body>
double MedianSeconds(int rounds, Body body) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const double start = Now();
    body();
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

struct Key {
  std::wstring section, name;
};

// A text file like a real one: a dozen page sections, each with its controls, tooltips and
// topics; about 300 of its keys are what one page's worth of opening reads.
std::vector<Key> WriteTextFile(const std::wstring& path) {
  std::wstring text;
  std::vector<Key> keys;
  for (int s = 0; s < 12; ++s) {
    const std::wstring section = L"Page" + std::to_wstring(s) + L" Dialog";
    text += L"[" + section + L"]\r\n";
    for (int k = 0; k < 75; ++k) {
      const std::wstring name = L"Control text number " + std::to_wstring(k);
      text += name + L"=Translated control text " + std::to_wstring(k) + L"\r\n";
      text += name + L" tooltip=What this control does, in a sentence or two.\r\n";
      text += name + L" topic=\r\n";
      if (k < 25) keys.push_back({section, name});
    }
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const wchar_t bom = 0xFEFF;
  WriteFile(file, &bom, 2, &written, nullptr);
  WriteFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &written, nullptr);
  CloseHandle(file);
  return keys;
}

}  // namespace

int wmain() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"qxbench.DAT";
  const std::vector<Key> keys = WriteTextFile(path);

  wchar_t buffer[256];
  const double platform = MedianSeconds(15, [&] {
    for (const Key& k : keys) GetPrivateProfileStringW(k.section.c_str(), k.name.c_str(), L"", buffer, 256, path.c_str());
  });

  qxge::Win32ProfileStorage storage;
  qxge::ProfileFile file(storage);
  file.SetFile(platform::U(path), false);
  const double ours = MedianSeconds(15, [&] {
    std::wstring section;
    for (const Key& k : keys) {
      if (k.section != section) file.SetSection(platform::U(section = k.section));
      file.ReadString(platform::U(k.name), platform::U(buffer), 256, nullptr);
    }
  });

  std::printf("%-48s %12s\n", "measure (median of 15)", "milliseconds");
  std::printf("%-48s %12.3f\n", "300 text-file reads, GetPrivateProfileStringW", platform * 1e3);
  std::printf("%-48s %12.3f\n", "300 text-file reads, ProfileFile", ours * 1e3);
  DeleteFileW(path.c_str());
  return 0;
}
