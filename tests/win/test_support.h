// Shared by the Windows tests: fresh model packages built from the module under test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qxhost {
class ModulePackage;
}

namespace qxtest {

// Source and build folders, as Wine paths.
std::wstring SourceDir();
std::wstring BinaryDir();

// A fresh folder under the build's test area, emptied first.
std::wstring FreshFolder(const std::wstring& name);

// The names of the files (not folders) in dir that match pattern, sorted.
std::vector<std::wstring> FilesIn(const std::wstring& dir, const wchar_t* pattern = L"*");
// The folder where the test printer's listener keeps each job it receives (QXGE_JOBS_DIR, as
// a Wine path); empty when the rig does not say.
std::wstring JobsDir();

// Points the process's temporary folder (TMP) at a fresh folder while it lives.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::wstring& name);
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_, saved_;
};

void WriteTextFile(const std::wstring& path, const std::string& utf8);
std::string ReadTextFile(const std::wstring& path);  // as UTF-8, whatever the file's encoding
bool FileExists(const std::wstring& path);

// The clipboard's text in one of its formats (CF_UNICODETEXT with wchar_t, CF_TEXT with char).
template <class Char>
std::basic_string<Char> ClipboardText(UINT format) {
  std::basic_string<Char> text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(format)) {
    text = static_cast<const Char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Removes HKCU\SOFTWARE\QXPrint\<base> so a test starts as a user who never ran the module.
void ForgetUser(const std::wstring& moduleBase);
// The user's values under HKCU\SOFTWARE\QXPrint\<base>[\<subkey>], as other tools and older
// versions of the module see them. A missing value reads as no bytes.
bool UserKeyExists(const std::wstring& moduleBase, const std::wstring& subkey);
std::vector<uint8_t> ReadUserValue(const std::wstring& moduleBase, const std::wstring& subkey, const wchar_t* name,
                                   DWORD* type = nullptr);
std::wstring ReadUserString(const std::wstring& moduleBase, const std::wstring& subkey, const wchar_t* name);
void WriteUserValue(const std::wstring& moduleBase, const std::wstring& subkey, const wchar_t* name, DWORD type,
                    const void* data, size_t size);
void WriteUserString(const std::wstring& moduleBase, const std::wstring& subkey, const std::wstring& name,
                     const std::wstring& text);
// Sizes the user made in the Custom Page Size dialog, in tenths of a millimetre.
struct UserPaper {
  std::wstring name;
  int width, height;
};
void PutUserPapers(const std::wstring& moduleBase, const std::vector<UserPaper>& papers);
// The user's watermarks "W0" ... "W<n-1>" in DejaVu Sans of this size.
void PutUserWatermarks(const std::wstring& moduleBase, int n, int size);

// Copies the built module into folder as moduleFile, the way a model package ships it.
std::wstring StageModule(const std::wstring& folder, const std::wstring& moduleFile);

std::wstring GetText(qxhost::ModulePackage& module, bool fromTextFile, const wchar_t* section, const wchar_t* key);

// The application object starts once per process, so before any test runs it is started for
// a module package staged under this base: in-process code reads that package's files and
// makes its pages from that DLL's templates.
constexpr wchar_t kStagedBase[] = L"QXLK";
const std::wstring& StagedModulePath();
// The staged package's text file; millimetreFormat is its "%s x %s mm" translation.
std::string StagedTextFile(const std::string& millimetreFormat);

// Answers the message boxes this thread shows, as a user would: each box's title and text are
// kept, and the button whose id is the next answer is pressed (0: the box is closed by its
// close command). A box beyond the answers is cancelled or, without Cancel, refused.
class BoxAnswers {
 public:
  struct Box {
    std::wstring title, text;
    HWND owner;
    UINT style;  // the MB_ buttons, icon and options the box was made with
    bool rightToLeft;
  };

  explicit BoxAnswers(std::vector<int> answers = {});
  ~BoxAnswers();
  BoxAnswers(const BoxAnswers&) = delete;
  BoxAnswers& operator=(const BoxAnswers&) = delete;

  const std::vector<Box>& Boxes() const { return boxes_; }
  // The texts of the boxes shown so far, forgotten once read.
  std::vector<std::wstring> TakeTexts();

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK InitHook(int code, WPARAM wParam, LPARAM lParam);
  void Answer(HWND box);

  std::vector<int> answers_;
  std::vector<Box> boxes_;
  size_t read_ = 0;
  HHOOK hook_ = nullptr, initHook_ = nullptr;
  HWND initialised_ = nullptr;
  UINT initStyle_ = 0;
};

// A job of the test printer's CUPS queue, finished ones included.
struct QueueJob {
  int id;
  std::string name;  // job-name, as the spooler gave it
};
// The queue's jobs by an IPP Get-Jobs request to the local CUPS (127.0.0.1:631); empty when
// CUPS cannot be reached.
std::vector<QueueJob> QueueJobs(const std::string& printer = "QX_Office");

// The jobs the test printer receives after the watch is made: the listener's finished job
// files (the bytes as the printer got them) and the queue's entries (the names). Other tests
// may print meanwhile, so a test looks for its own among them.
class JobWatch {
 public:
  JobWatch();
  // The bytes of each new job file, waiting up to timeoutMs until count of them equal wanted
  // (none wanted: until count arrive).
  std::vector<std::string> Files(const std::string& wanted = {}, size_t count = 1, DWORD timeoutMs = 20000) const;
  // The queue's new jobs named name, waiting up to a few seconds until there are expected of
  // them: the scheduler may answer before it lists a job it just finished.
  int Named(const std::string& name, int expected) const;

 private:
  std::wstring dir_;
  std::vector<std::wstring> before_;
  int lastId_ = 0;
};

// Printers the spooler keeps on ports of the test port monitor (tests/win/monitor), whose
// monitor names are those the printer lookups know; they and the monitor go with this object.
class MonitorPrinters {
 public:
  MonitorPrinters();
  ~MonitorPrinters();
  MonitorPrinters(const MonitorPrinters&) = delete;
  MonitorPrinters& operator=(const MonitorPrinters&) = delete;
  // A printer named name on port, with the test queue's driver; false when the spooler refused.
  bool Add(const std::wstring& name, const std::wstring& port, DWORD attributes = 0);

 private:
  std::vector<std::wstring> printers_;
};

// The test printer: QXGE_PRINTER, else QX_Office.
std::wstring TestPrinterName();

}  // namespace qxtest
