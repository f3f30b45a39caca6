#include "test_support.h"

#include <gtest/gtest.h>

#include <winsock2.h>
#include <winspool.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/driver_ui_app.h"
#include "platform/registry_key.h"
#include "sheethost/module_package.h"

namespace qxtest {

std::wstring SourceDir() { return QXGE_SOURCE_DIR; }
std::wstring BinaryDir() { return QXGE_BINARY_DIR; }

namespace {

// Calls each with every entry of dir that matches pattern, but "." and "..".
template <typename F>
void EachIn(const std::wstring& dir, const wchar_t* pattern, F each) {
  WIN32_FIND_DATAW found;
  const HANDLE find = FindFirstFileW((dir + L"\\" + pattern).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0) each(found);
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

void RemoveTree(const std::wstring& dir) {
  EachIn(dir, L"*", [&dir](const WIN32_FIND_DATAW& found) {
    const std::wstring path = dir + L"\\" + found.cFileName;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return RemoveTree(path);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
  });
  RemoveDirectoryW(dir.c_str());
}

std::wstring UserPath(const std::wstring& moduleBase, const std::wstring& subkey) {
  return L"SOFTWARE\\QXPrint\\" + moduleBase + (subkey.empty() ? L"" : L"\\" + subkey);
}

}  // namespace

std::wstring FreshFolder(const std::wstring& name) {
  const std::wstring area = BinaryDir() + L"\\test-area";
  CreateDirectoryW(area.c_str(), nullptr);
  const std::wstring dir = area + L"\\" + name;
  RemoveTree(dir);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::vector<std::wstring> FilesIn(const std::wstring& dir, const wchar_t* pattern) {
  std::vector<std::wstring> names;
  EachIn(dir, pattern, [&names](const WIN32_FIND_DATAW& found) {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  });
  std::sort(names.begin(), names.end());
  return names;
}

// The folder normally arrives as Z:\...; a Unix path is accepted too because Wine would
// otherwise resolve "/work/..." against drive C: and a test would wait on an empty folder.
std::wstring JobsDir() {
  wchar_t value[1024];
  const DWORD n = GetEnvironmentVariableW(L"QXGE_JOBS_DIR", value, 1024);
  std::wstring dir = n == 0 || n >= 1024 ? std::wstring() : std::wstring(value, n);
  if (!dir.empty() && dir[0] == L'/') {
    for (auto& c : dir)
      if (c == L'/') c = L'\\';
    dir = L"Z:" + dir;
  }
  while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  return dir;
}

TemporaryFolder::TemporaryFolder(const std::wstring& name) : path_(FreshFolder(name)) {
  wchar_t saved[MAX_PATH + 1] = {};
  if (GetEnvironmentVariableW(L"TMP", saved, MAX_PATH + 1) <= MAX_PATH) saved_ = saved;
  SetEnvironmentVariableW(L"TMP", path_.c_str());
}

TemporaryFolder::~TemporaryFolder() { SetEnvironmentVariableW(L"TMP", saved_.empty() ? nullptr : saved_.c_str()); }

void WriteTextFile(const std::wstring& path, const std::string& utf8) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out << utf8;
}

std::string ReadTextFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    const std::wstring wide(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], n, nullptr, nullptr);
    return utf8;
  }
  return bytes;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void ForgetUser(const std::wstring& moduleBase) { RegDeleteTreeW(HKEY_CURRENT_USER, UserPath(moduleBase, L"").c_str()); }

bool UserKeyExists(const std::wstring& moduleBase, const std::wstring& subkey) {
  platform::RegistryKey key;
  return key.Open(HKEY_CURRENT_USER, UserPath(moduleBase, subkey).c_str(), KEY_READ);
}

std::vector<uint8_t> ReadUserValue(const std::wstring& moduleBase, const std::wstring& subkey, const wchar_t* name,
                                   DWORD* type) {
  platform::RegistryKey key;
  std::vector<uint8_t> data(10000);
  DWORD size = static_cast<DWORD>(data.size()), kind = 0;
  if (!key.Open(HKEY_CURRENT_USER, UserPath(moduleBase, subkey).c_str(), KEY_READ) ||
      RegQueryValueExW(key.Get(), name, nullptr, &kind, data.data(), &size) != ERROR_SUCCESS)
    return {};
  if (type != nullptr) *type = kind;
  data.resize(size);
  return data;
}

std::wstring ReadUserString(const std::wstring& moduleBase, const std::wstring& subkey, const wchar_t* name) {
  const std::vector<uint8_t> bytes = ReadUserValue(moduleBase, subkey, name);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)).c_str();
}

void WriteUserValue(const std::wstring& moduleBase, const std::wstring& subkey, const wchar_t* name, DWORD type,
                    const void* data, size_t size) {
  platform::RegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, UserPath(moduleBase, subkey).c_str(), KEY_ALL_ACCESS));
  ASSERT_TRUE(key.Set(name, type, data, static_cast<DWORD>(size)));
}

void WriteUserString(const std::wstring& moduleBase, const std::wstring& subkey, const std::wstring& name,
                     const std::wstring& text) {
  WriteUserValue(moduleBase, subkey, name.c_str(), REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

void PutUserPapers(const std::wstring& moduleBase, const std::vector<UserPaper>& papers) {
  const std::wstring key = L"TSF\\Custom Paper Data";
  for (size_t i = 0; i < papers.size(); ++i) {
    const std::wstring n = std::to_wstring(i);
    WriteUserString(moduleBase, key, L"Nm" + n, papers[i].name);
    WriteUserString(moduleBase, key, L"Wd" + n, std::to_wstring(papers[i].width));
    WriteUserString(moduleBase, key, L"Hg" + n, std::to_wstring(papers[i].height));
  }
  WriteUserString(moduleBase, key, L"CPNum", std::to_wstring(papers.size()));
}

void PutUserWatermarks(const std::wstring& moduleBase, int n, int size) {
  const std::wstring key = L"TSF\\Watermark Data";
  for (int i = 0; i < n; ++i) {
    const std::wstring at = std::to_wstring(i);
    WriteUserString(moduleBase, key, L"Tx" + at, L"W" + at);
    WriteUserString(moduleBase, key, L"Face" + at, L"DejaVu Sans");
    WriteUserString(moduleBase, key, L"Sz" + at, std::to_wstring(size));
  }
  WriteUserString(moduleBase, key, L"WMNum", std::to_wstring(n));
}

std::wstring StageModule(const std::wstring& folder, const std::wstring& moduleFile) {
  const std::wstring path = folder + L"\\" + moduleFile;
  CopyFileW((BinaryDir() + L"\\bin\\QXGEU.DLL").c_str(), path.c_str(), FALSE);
  return path;
}

std::wstring GetText(qxhost::ModulePackage& module, bool fromTextFile, const wchar_t* section, const wchar_t* key) {
  wchar_t buffer[512];
  wmemset(buffer, L'#', 512);
  module.GetText(fromTextFile, section, key, buffer, 512);
  return buffer;
}

std::string StagedTextFile(const std::string& millimetreFormat) {
  // A translator's tip with more conversions than the module has values for.
  return "[Common]\r\nOptionUsageTipMsg7=Beidseitig nur auf %s%s%n.\r\n"
         "[Preview]\r\n%s x %s mm=" + millimetreFormat +
         "\r\n[About Dialog]\r\nLine=$DRIVERNAME $MAINVERSION, $URL_E1 $URL_E1$URL_E4\r\n";
}

namespace {

std::wstring g_stagedPath;

class StagedApp : public ::testing::Environment {
 public:
  void SetUp() override {
    ForgetUser(kStagedBase);
    const std::wstring dir = FreshFolder(kStagedBase);
    g_stagedPath = StageModule(dir, std::wstring(kStagedBase) + L"U.DLL");
    WriteTextFile(dir + L"\\" + kStagedBase + L"U.INI",
                  "[Common]\r\nDoubleSidedPapers=9;1\r\nDoubleSidedMedias=1;2\r\n"
                  "ExtrasMinPassLen=4\r\nExtrasMaxPassLen=8\r\n[LARGEPAPERNAME]\r\nPaperIndex=5;20;999\r\n");
    WriteTextFile(dir + L"\\" + kStagedBase + L"EN.DAT", StagedTextFile("%s x %s Millimeter"));
    CopyFileW((SourceDir() + L"\\samples\\office\\QX_Office.VER").c_str(), (dir + L"\\QX_Office.VER").c_str(), FALSE);
    module_ = LoadLibraryW(g_stagedPath.c_str());
    qxge::SetAppModule(module_);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
    ForgetUser(kStagedBase);
  }

 private:
  HMODULE module_ = nullptr;
};

const auto* const g_stagedApp = ::testing::AddGlobalTestEnvironment(new StagedApp);

}  // namespace

const std::wstring& StagedModulePath() { return g_stagedPath; }

namespace {
BoxAnswers* g_answers = nullptr;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}
}  // namespace

BoxAnswers::BoxAnswers(std::vector<int> answers) : answers_(std::move(answers)) {
  g_answers = this;
  hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  initHook_ = SetWindowsHookExW(WH_CALLWNDPROC, InitHook, nullptr, GetCurrentThreadId());
}

BoxAnswers::~BoxAnswers() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (initHook_ != nullptr) UnhookWindowsHookEx(initHook_);
  g_answers = nullptr;
}

std::vector<std::wstring> BoxAnswers::TakeTexts() {
  std::vector<std::wstring> texts;
  for (; read_ < boxes_.size(); ++read_) texts.push_back(boxes_[read_].text);
  return texts;
}

LRESULT CALLBACK BoxAnswers::Hook(int code, WPARAM wParam, LPARAM lParam) {
  // Only a message box was initialised from message box parameters: the sheets, pages and
  // the module's own dialogs are left alone, owned or not.
  const HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && window != nullptr && g_answers != nullptr && window == g_answers->initialised_) {
    g_answers->initialised_ = nullptr;  // a box activated again is answered once
    g_answers->Answer(window);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK BoxAnswers::InitHook(int code, WPARAM wParam, LPARAM lParam) {
  // Wine shows no trace of the reading order in the box's own styles, so the box's style is
  // taken from the parameters it starts from.
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && g_answers != nullptr && message->message == WM_INITDIALOG && message->lParam != 0 &&
      ClassOf(message->hwnd) == L"#32770") {
    const auto* params = reinterpret_cast<const MSGBOXPARAMSW*>(message->lParam);
    if (params->cbSize == sizeof(MSGBOXPARAMSW)) {
      g_answers->initialised_ = message->hwnd;
      g_answers->initStyle_ = params->dwStyle;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void BoxAnswers::Answer(HWND box) {
  Box seen{};
  wchar_t text[1024] = {};
  GetWindowTextW(box, text, 1024);
  seen.title = text;
  seen.owner = GetWindow(box, GW_OWNER);
  seen.style = initStyle_;
  const LONG_PTR rtl = WS_EX_RTLREADING | WS_EX_LAYOUTRTL;
  seen.rightToLeft = (seen.style & MB_RTLREADING) != 0 || (GetWindowLongPtrW(box, GWL_EXSTYLE) & rtl) != 0;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (_wcsicmp(ClassOf(child).c_str(), L"Static") != 0 || GetWindowTextW(child, text, 1024) == 0) continue;
    seen.text += text;
    if ((GetWindowLongPtrW(child, GWL_EXSTYLE) & rtl) != 0) seen.rightToLeft = true;
  }
  int answer = -1;
  if (boxes_.size() < answers_.size()) answer = answers_[boxes_.size()];
  boxes_.push_back(seen);
  // The box is not running its own loop yet: the press waits in its queue.
  if (answer == 0) {
    PostMessageW(box, WM_CLOSE, 0, 0);
    return;
  }
  for (int id : {answer, IDCANCEL, IDNO, IDOK}) {
    if (const HWND button = GetDlgItem(box, id); id > 0 && button != nullptr) {
      PostMessageW(button, BM_CLICK, 0, 0);
      return;
    }
  }
}

// ---- the test printer's jobs -------------------------------------------------------------

namespace {

void PutAttribute(std::string& ipp, char tag, const std::string& name, const std::string& value) {
  ipp += tag;
  ipp += static_cast<char>(name.size() >> 8);
  ipp += static_cast<char>(name.size() & 0xFF);
  ipp += name;
  ipp += static_cast<char>(value.size() >> 8);
  ipp += static_cast<char>(value.size() & 0xFF);
  ipp += value;
}

std::string Exchange(const std::string& request) {
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return {};
  std::string reply;
  const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = htons(631);
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (s != INVALID_SOCKET && connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
      send(s, request.data(), static_cast<int>(request.size()), 0) == static_cast<int>(request.size())) {
    char buffer[4096];
    for (int n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;) reply.append(buffer, static_cast<size_t>(n));
  }
  if (s != INVALID_SOCKET) closesocket(s);
  WSACleanup();
  return reply;
}

size_t Word(const std::string& b, size_t at) {
  return static_cast<size_t>(static_cast<unsigned char>(b[at]) << 8 | static_cast<unsigned char>(b[at + 1]));
}

}  // namespace

std::vector<QueueJob> QueueJobs(const std::string& printer) {
  std::string ipp("\x01\x01\x00\x0A\x00\x00\x00\x01\x01", 9);
  PutAttribute(ipp, '\x47', "attributes-charset", "utf-8");
  PutAttribute(ipp, '\x48', "attributes-natural-language", "en");
  PutAttribute(ipp, '\x45', "printer-uri", "ipp://localhost/printers/" + printer);
  // Job names are private to their owner, which is the user Wine runs as.
  char user[256] = "root";
  DWORD userSize = sizeof user;
  GetUserNameA(user, &userSize);
  PutAttribute(ipp, '\x42', "requesting-user-name", user);
  PutAttribute(ipp, '\x44', "which-jobs", "all");
  PutAttribute(ipp, '\x44', "requested-attributes", "job-id");
  PutAttribute(ipp, '\x44', "", "job-name");
  ipp += '\x03';
  // HTTP/1.0 keeps the answer in one piece that ends with the connection.
  const std::string request = "POST /printers/" + printer + " HTTP/1.0\r\nHost: localhost\r\n" +
                              "Content-Type: application/ipp\r\nContent-Length: " + std::to_string(ipp.size()) +
                              "\r\n\r\n" + ipp;
  // A scheduler busy with other jobs may drop a connection: ask again before giving up.
  std::string reply;
  for (int attempt = 0; attempt < 10 && reply.find("\r\n\r\n") == std::string::npos; ++attempt) {
    if (attempt > 0) Sleep(200);
    reply = Exchange(request);
  }
  std::vector<QueueJob> jobs;
  const size_t body = reply.find("\r\n\r\n");
  if (body == std::string::npos) return jobs;
  const std::string b = reply.substr(body + 4);
  size_t at = 8;
  while (at < b.size()) {
    const unsigned char tag = static_cast<unsigned char>(b[at++]);
    if (tag == 0x03) break;
    if (tag == 0x02) jobs.push_back({0, {}});
    if (tag < 0x10) continue;
    if (at + 2 > b.size()) break;
    const size_t nameLength = Word(b, at);
    if (at + 2 + nameLength + 2 > b.size()) break;
    const std::string name = b.substr(at + 2, nameLength);
    at += 2 + nameLength;
    const size_t valueLength = Word(b, at);
    if (at + 2 + valueLength > b.size()) break;
    const std::string value = b.substr(at + 2, valueLength);
    at += 2 + valueLength;
    if (jobs.empty()) continue;
    if (name == "job-id" && valueLength == 4)
      jobs.back().id = static_cast<int>(Word(value, 0) << 16 | Word(value, 2));
    else if (name == "job-name")
      jobs.back().name = value;
  }
  return jobs;
}

JobWatch::JobWatch() : dir_(JobsDir()), before_(FilesIn(dir_, L"job-*.prn")) {
  for (const QueueJob& job : QueueJobs()) lastId_ = std::max(lastId_, job.id);
}

std::vector<std::string> JobWatch::Files(const std::string& wanted, size_t count, DWORD timeoutMs) const {
  std::vector<std::string> jobs;
  for (DWORD waited = 0;; waited += 100) {
    jobs.clear();
    size_t found = 0;
    for (const std::wstring& name : FilesIn(dir_, L"job-*.prn")) {
      if (std::binary_search(before_.begin(), before_.end(), name)) continue;
      std::ifstream in((dir_ + L"\\" + name).c_str(), std::ios::binary);
      jobs.emplace_back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (wanted.empty() || jobs.back() == wanted) ++found;
    }
    if (found >= count || waited >= timeoutMs) return jobs;
    Sleep(100);
  }
}

int JobWatch::Named(const std::string& name, int expected) const {
  int count = 0;
  for (DWORD waited = 0;; waited += 200) {
    count = 0;
    for (const QueueJob& job : QueueJobs())
      if (job.id > lastId_ && job.name == name) ++count;
    if (count >= expected || waited >= 5000) return count;
    Sleep(200);
  }
}

// ---- printers on the test monitor's ports ----------------------------------------------

namespace {

constexpr wchar_t kTestMonitorKey[] = L"System\\CurrentControlSet\\Control\\Print\\Monitors\\QX Test Monitor";

void DeletePrinterNamed(const std::wstring& name) {
  PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, &access)) return;
  DeletePrinter(printer);
  ClosePrinter(printer);
}

}  // namespace

std::wstring TestPrinterName() {
  wchar_t name[256];
  const DWORD n = GetEnvironmentVariableW(L"QXGE_PRINTER", name, 256);
  return n == 0 || n >= 256 ? L"QX_Office" : std::wstring(name, n);
}

MonitorPrinters::MonitorPrinters() {
  const std::wstring monitor = BinaryDir() + L"\\bin\\qxtest_monitor.dll";
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kTestMonitorKey, L"Driver", REG_SZ, monitor.c_str(),
                  static_cast<DWORD>((monitor.size() + 1) * sizeof(wchar_t)));
}

MonitorPrinters::~MonitorPrinters() {
  for (const std::wstring& name : printers_) DeletePrinterNamed(name);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTestMonitorKey);
}

bool MonitorPrinters::Add(const std::wstring& name, const std::wstring& port, DWORD attributes) {
  DeletePrinterNamed(name);
  std::wstring queue = TestPrinterName();
  PRINTER_INFO_2W info = {};
  info.pPrinterName = const_cast<wchar_t*>(name.c_str());
  info.pPortName = const_cast<wchar_t*>(port.c_str());
  // Wine names a CUPS queue's driver after the queue.
  info.pDriverName = &queue[0];
  info.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
  info.pDatatype = const_cast<wchar_t*>(L"RAW");
  info.Attributes = attributes;
  const HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) return false;
  ClosePrinter(printer);
  printers_.push_back(name);
  return true;
}

}  // namespace qxtest
