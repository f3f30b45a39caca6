// qxlang: the texts a model ships. Opens every page and dialog of a model package under each
// model configuration the page catalogue tells apart, with write-back on and an empty text
// file, and writes the complete template text file that this fills. Reports, per given text
// file, how much of the template it translates, and which controls of which page lack a
// tooltip, a help topic or a usage tip.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/module_names.h"
#include "config/control_keys.h"
#include "config/ini_document.h"
#include "config/profile_storage_win.h"
#include "config/text_format.h"
#include "package_run.h"
#include "pagebase/settings_page.h"
#include "platform/win_file.h"
#include "platform/win_text.h"
#include "record/resolutions.h"

namespace {

using platform::U;
using platform::W;

const wchar_t kUsage[] =
    L"usage: qxlang --dll PATH [--template FILE] [--coverage] [--printer NAME] [TEXTFILE...]\n"
    L"  --dll PATH       the model package's plug-in, for example packages\\office\\QX5000U.DLL\n"
    L"  --template FILE  write the complete template text file (every key, English defaults)\n"
    L"  --coverage       per page: controls without a tooltip, a help topic or a usage tip,\n"
    L"                   against the given text files (default: the package's English one)\n"
    L"  --printer NAME   the printer the pages are opened for (default QX_Office)\n"
    L"  TEXTFILE         a translation to compare with the template\n"
    L"The package is opened from a scratch copy; no file but the template is written.\n";

// The module reads no more of a profile file than this; neither does the report.
constexpr size_t kMaxTextBytes = 8u << 20;
// What a line of the report quotes of a key or text, and how many lines of one kind it shows.
constexpr size_t kQuoteChars = 60;
constexpr size_t kListedLines = 100;

struct Options {
  std::wstring dll, templateFile, printer = L"QX_Office";
  bool coverage = false;
  std::vector<std::wstring> textFiles;
};

bool ParseOptions(int argc, wchar_t** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--dll" && hasValue) o.dll = argv[++i];
    else if (arg == L"--template" && hasValue) o.templateFile = argv[++i];
    else if (arg == L"--printer" && hasValue) o.printer = argv[++i];
    else if (arg == L"--coverage") o.coverage = true;
    else if (arg.rfind(L"--", 0) == 0) return false;
    else o.textFiles.push_back(arg);
  }
  return !o.dll.empty();
}

std::wstring Quote(std::u16string_view text) {
  std::wstring out(W(text.data()), std::min(text.size(), kQuoteChars));
  if (text.size() > kQuoteChars) out += L"...";
  return out;
}

std::wstring ErrorText(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND: return L"no such file";
    case ERROR_PATH_NOT_FOUND: return L"its folder is missing";
    case ERROR_ACCESS_DENIED: return L"access denied";
    case ERROR_SHARING_VIOLATION: return L"another program has it open";
    default: return L"error " + std::to_wstring(code);
  }
}

// A text file as the module would read it; false, with a message naming the file, when it
// cannot be one.
bool ReadTextFile(const std::wstring& path, qxge::IniDocument& doc) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    std::fwprintf(stderr, L"qxlang: cannot read %ls: %ls\n", path.c_str(), ErrorText(GetLastError()).c_str());
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    std::fwprintf(stderr, L"qxlang: %ls is a folder, not a text file\n", path.c_str());
    return false;
  }
  std::string bytes;
  if (!platform::ReadWholeFile(path.c_str(), bytes, kMaxTextBytes + 1)) {
    std::fwprintf(stderr, L"qxlang: cannot read %ls: %ls\n", path.c_str(), ErrorText(GetLastError()).c_str());
    return false;
  }
  if (bytes.size() > kMaxTextBytes) {
    std::fwprintf(stderr, L"qxlang: %ls is larger than %zu MB, more than any text file; the module reads only its start\n",
                  path.c_str(), kMaxTextBytes >> 20);
    return false;
  }
  qxge::Win32ProfileStorage storage;
  std::u16string text;
  int encoding = -1;
  if (!storage.Load(U(path.c_str()), text, encoding)) {
    std::fwprintf(stderr, L"qxlang: cannot read %ls\n", path.c_str());
    return false;
  }
  // Text has no NULs and few control characters; a file full of them is something else.
  size_t controls = 0;
  for (char16_t c : text) {
    if (c == u'\0') ++controls;
    if (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') ++controls;
  }
  if (text.find(u'\0') != std::u16string::npos || controls * 100 > text.size()) {
    std::fwprintf(stderr, L"qxlang: %ls is not a text file: it holds binary data\n", path.c_str());
    return false;
  }
  doc.Parse(text);
  return true;
}

// Copies the package's files into a fresh folder and names the copies the walk works on.
bool MakeScratchCopy(const std::wstring& dll, std::wstring& scratch, qxlang::PackageFiles& files) {
  const qxge::ModuleNames names = qxge::SplitModulePath(U(dll.c_str()));
  const std::wstring dir = W(names.dir), name = W(names.name), base = W(names.base);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  scratch = std::wstring(temp) + L"qxlang-" + std::to_wstring(GetCurrentProcessId());
  if (!CreateDirectoryW(scratch.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    std::fwprintf(stderr, L"qxlang: cannot make the scratch folder %ls\n", scratch.c_str());
    return false;
  }
  WIN32_FIND_DATAW found;
  const HANDLE find = FindFirstFileW((dir + L"*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring file = found.cFileName;
    CopyFileW((dir + file).c_str(), (scratch + L"\\" + file).c_str(), FALSE);
    SetFileAttributesW((scratch + L"\\" + file).c_str(), FILE_ATTRIBUTE_NORMAL);
  } while (FindNextFileW(find, &found));
  FindClose(find);

  files.dll = scratch + L"\\" + name + L".DLL";
  files.modelFile = scratch + L"\\" + name + L".INI";
  qxge::Win32ProfileStorage storage;
  int encoding = -1;
  storage.Load(U(files.modelFile.c_str()), files.modelText, files.modelEncoding);
  // The English text file as shipped gives the model values it holds; the walk replaces it by
  // an empty one, and no other language may be chosen before it.
  const std::u16string shipped = names.dir + names.base + u"EN.DAT";
  storage.Load(shipped, files.textFileText, encoding);
  const HANDLE texts = FindFirstFileW((scratch + L"\\" + base + L"*.DAT").c_str(), &found);
  if (texts != INVALID_HANDLE_VALUE) {
    do DeleteFileW((scratch + L"\\" + found.cFileName).c_str());
    while (FindNextFileW(texts, &found));
    FindClose(texts);
  }
  files.textFile = scratch + L"\\" + base + L"EN.DAT";
  return true;
}

void RemoveScratch(const std::wstring& scratch) {
  WIN32_FIND_DATAW found;
  const HANDLE find = FindFirstFileW((scratch + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do DeleteFileW((scratch + L"\\" + found.cFileName).c_str());
    while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(scratch.c_str());
}

// Texts the pages read only in some states of the record or the printer: the module's own
// tables give them all.
void AddTableTexts(qxge::IniDocument& templateText) {
  const auto add = [&](std::u16string_view section, std::u16string_view key, std::u16string_view text) {
    if (!templateText.Find(section, key)) templateText.Set(section, key, text);
  };
  for (const auto& t : qxge::UsageTipTexts()) add(u"Common", t.key, t.text);
  // The Favorites box asks its questions from the shared section.
  for (int number = 0; number < 3; ++number)
    for (const auto& t : qxge::MessageTexts(number)) add(u"Common", t.key, t.text);
  // The preview names the record's resolution.
  for (const auto& r : qxge::kResolutionChoices) add(u"Preview", r.caption, r.caption);
}

std::wstring Placeholders(const std::u16string& kinds) {
  if (kinds.empty()) return L"none";
  std::wstring out;
  for (char16_t k : kinds) out += out.empty() ? L"%" : L" %", out += static_cast<wchar_t>(k);
  return out;
}

// How much of the template a translation holds.
void ReportTranslation(const std::wstring& path, const qxge::IniDocument& templateText, const qxge::IniDocument& text) {
  const auto wanted = qxlang::ReadableKeys(templateText);
  std::vector<std::wstring> missing, unused, mismatched;
  size_t translated = 0;
  for (const auto& e : wanted) {
    const auto value = text.Find(e.section, e.key);
    // A key the English file leaves empty (a help topic, a link) may stay empty.
    if (!value || (value->empty() && !e.value.empty())) {
      missing.push_back(L"[" + Quote(e.section) + L"] " + Quote(e.key));
      continue;
    }
    ++translated;
    const std::u16string english = qxge::PlaceholdersOf(e.value), translation = qxge::PlaceholdersOf(*value);
    if (english != translation)
      mismatched.push_back(L"[" + Quote(e.section) + L"] " + Quote(e.key) + L": English has " + Placeholders(english) +
                           L", translation has " + Placeholders(translation));
  }
  for (const auto& e : qxlang::ReadableKeys(text))
    if (!templateText.Find(e.section, e.key)) unused.push_back(L"[" + Quote(e.section) + L"] " + Quote(e.key));

  const double percent = wanted.empty() ? 100.0 : 100.0 * static_cast<double>(translated) / static_cast<double>(wanted.size());
  std::wprintf(L"%ls: %.1f%% translated (%zu of %zu keys), %zu missing, %zu unused, %zu placeholder mismatches\n",
               path.c_str(), percent, translated, wanted.size(), missing.size(), unused.size(), mismatched.size());
  const auto list = [](const wchar_t* what, const std::vector<std::wstring>& lines) {
    for (size_t i = 0; i < lines.size() && i < kListedLines; ++i) std::wprintf(L"  %-11ls %ls\n", what, lines[i].c_str());
    if (lines.size() > kListedLines) std::wprintf(L"  ... and %zu more %ls\n", lines.size() - kListedLines, what);
  };
  list(L"missing", missing);
  list(L"unused", unused);
  list(L"placeholder", mismatched);
}

std::wstring PageName(const qxlang::Window& w) {
  std::wstring name = w.caption + (w.pageId >= 0 ? L" (page " + std::to_wstring(w.pageId) : L" (dialog");
  return name + L", " + w.configuration + L") [" + W(w.section.c_str()) + L"]";
}

// Which controls of each page and dialog lack a tooltip or a help topic in the text file, and
// which a rule disables with no usage tip to say why.
void ReportCoverage(const std::wstring& path, const std::vector<qxlang::Window>& windows, const qxge::IniDocument& text) {
  std::set<std::u16string> tipsWanted, tipsFound, topicsWanted, topicsFound;
  std::set<std::wstring> reported;
  std::wprintf(L"%ls: tooltips and help topics\n", path.c_str());
  for (const auto& w : windows) {
    if (w.section.empty()) continue;  // not the module's (a file dialog)
    std::vector<std::wstring> noTip, noTopic, unexplained;
    for (const auto& c : w.controls) {
      if (!c.tipped || !c.visible) continue;
      const std::u16string& section = c.ownSection ? w.section : c.section;
      const std::u16string tipKey = qxge::KeyWithSuffix(c.key, u" tooltip");
      const std::u16string topicKey = qxge::KeyWithSuffix(c.key, u" topic");
      const auto tip = text.Find(section, tipKey);
      const auto topic = text.Find(section, topicKey);
      const std::u16string id = section + u"\n" + c.key;
      // A tooltip that still reads as its own key is the placeholder of a new file.
      const bool hasTip = tip && !tip->empty() && *tip != tipKey;
      const bool hasTopic = topic && !topic->empty();
      if (c.enabled) {
        tipsWanted.insert(id);
        if (hasTip) tipsFound.insert(id);
        else noTip.push_back(Quote(c.key));
      }
      topicsWanted.insert(id);
      if (hasTopic) topicsFound.insert(id);
      else noTopic.push_back(Quote(c.key));
      if (c.disabledUnexplained) unexplained.push_back(Quote(c.key));
    }
    const auto list = [&](const wchar_t* what, const std::vector<std::wstring>& keys) {
      if (keys.empty()) return;
      std::wstring line = L"    " + std::wstring(what) + L":";
      for (size_t i = 0; i < keys.size(); ++i) line += (i == 0 ? L" " : L", ") + keys[i];
      std::wprintf(L"%ls\n", line.c_str());
    };
    if (noTip.empty() && noTopic.empty() && unexplained.empty()) continue;
    std::wprintf(L"  %ls\n", PageName(w).c_str());
    list(L"no tooltip", noTip);
    list(L"no help topic", noTopic);
    list(L"disabled by a rule, no usage tip", unexplained);
  }
  const auto percent = [](size_t found, size_t wanted) {
    return wanted == 0 ? 100.0 : 100.0 * static_cast<double>(found) / static_cast<double>(wanted);
  };
  std::wprintf(L"%ls: tooltips %.1f%% (%zu of %zu enabled controls), help topics %.1f%% (%zu of %zu controls)\n",
               path.c_str(), percent(tipsFound.size(), tipsWanted.size()), tipsFound.size(), tipsWanted.size(),
               percent(topicsFound.size(), topicsWanted.size()), topicsFound.size(), topicsWanted.size());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options) ||
      (options.templateFile.empty() && !options.coverage && options.textFiles.empty())) {
    std::fwprintf(stderr, L"%ls", kUsage);
    return 2;
  }
  if (!platform::FileExists(options.dll.c_str())) {
    std::fwprintf(stderr, L"qxlang: cannot read %ls: %ls\n", options.dll.c_str(), ErrorText(GetLastError()).c_str());
    return 1;
  }
  // Bad translations are found before the long walk.
  int status = 0;
  std::vector<std::pair<std::wstring, qxge::IniDocument>> texts;
  for (const auto& path : options.textFiles) {
    qxge::IniDocument doc;
    if (ReadTextFile(path, doc)) texts.emplace_back(path, std::move(doc));
    else status = 1;
  }
  if (options.templateFile.empty() && !options.coverage && texts.empty()) return status;

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  std::wstring scratch;
  qxlang::PackageFiles package;
  if (!MakeScratchCopy(options.dll, scratch, package)) {
    std::fwprintf(stderr, L"qxlang: cannot copy the package of %ls\n", options.dll.c_str());
    return 1;
  }
  if (options.coverage && options.textFiles.empty()) {
    const qxge::ModuleNames names = qxge::SplitModulePath(U(options.dll.c_str()));
    const std::wstring english = W(names.dir + names.base + u"EN.DAT");
    qxge::IniDocument doc;
    doc.Parse(package.textFileText);
    texts.emplace_back(english, std::move(doc));
  }

  const std::vector<qxlang::ModelSetting> settings = qxlang::CatalogueSettings(package);
  std::vector<qxlang::Configuration> configs;
  configs.push_back({L"as shipped", nullptr, qxlang::ShippedPages(package)});
  for (const auto& s : settings)
    configs.push_back({std::wstring(W(s.key.c_str())) + L"=" + std::to_wstring(s.value), &s, s.pages});

  qxge::IniDocument templateText;
  std::vector<qxlang::Window> windows;
  std::wstring labels;
  for (const auto& config : configs) {
    std::wstring error;
    if (!qxlang::RunConfiguration(package, settings, config, options.printer, templateText, windows, error)) {
      std::fwprintf(stderr, L"qxlang: %ls (%ls): %ls\n", options.dll.c_str(), config.label.c_str(), error.c_str());
      RemoveScratch(scratch);
      return 1;
    }
    labels += (labels.empty() ? L"" : L"; ") + config.label;
  }
  RemoveScratch(scratch);
  AddTableTexts(templateText);
  size_t pages = 0;
  for (const auto& w : windows) pages += w.pageId >= 0 ? 1 : 0;
  std::wprintf(L"%ls: %zu configurations (%ls), %zu pages and %zu dialogs opened, %zu keys\n", options.dll.c_str(),
               configs.size(), labels.c_str(), pages, windows.size() - pages, qxlang::ReadableKeys(templateText).size());

  if (!options.templateFile.empty()) {
    qxge::Win32ProfileStorage storage;
    if (!storage.Save(U(options.templateFile.c_str()), templateText.Serialize(), -1)) {
      std::fwprintf(stderr, L"qxlang: cannot write %ls: %ls\n", options.templateFile.c_str(),
                    ErrorText(GetLastError()).c_str());
      status = 1;
    } else {
      std::wprintf(L"template written to %ls\n", options.templateFile.c_str());
    }
  }
  for (const auto& [path, doc] : texts) {
    if (!options.textFiles.empty()) ReportTranslation(path, templateText, doc);
    if (options.coverage) ReportCoverage(path, windows, doc);
  }
  return status;
}
