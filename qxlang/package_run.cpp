#include "package_run.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>
#include <map>
#include <memory>

#include "config/control_keys.h"
#include "config/dialog_localiser.h"
#include "config/model_features.h"
#include "config/profile_file.h"
#include "config/profile_storage_win.h"
#include "config/profile_values.h"
#include "host/page_catalogue.h"
#include "platform/win_text.h"
#include "sheethost/host_sheet.h"
#include "sheethost/modal_sheet.h"
#include "sheethost/module_package.h"

namespace qxlang {
namespace {

using platform::U;
using platform::W;

// Profile files held in memory, so that the catalogue can be asked about many settings
// without touching the package.
class MemoryStorage : public qxge::ProfileStorage {
 public:
  std::map<std::u16string, std::u16string> files;
  Stamp StampOf(const std::u16string& path) override {
    Stamp stamp;
    stamp.exists = files.count(path) != 0;
    stamp.writeTime = version_;
    return stamp;
  }
  bool Load(const std::u16string& path, std::u16string& text, int& encoding) override {
    const auto it = files.find(path);
    if (it == files.end()) return false;
    text = it->second;
    encoding = -1;
    return true;
  }
  bool Save(const std::u16string& path, std::u16string_view text, int) override {
    files[path] = std::u16string(text);
    ++version_;
    return true;
  }
  void ClearReadOnly(const std::u16string&) override {}

 private:
  uint64_t version_ = 0;
};

struct Features {
  qxge::ModelFeatures features;
  MemoryStorage storage;
};

// The model features a module would load from these two texts; the storage keeps what
// write-back added.
std::unique_ptr<Features> LoadFeatures(const std::u16string& model, const std::u16string& text) {
  auto f = std::make_unique<Features>();
  f->storage.files[u"model"] = model;
  f->storage.files[u"text"] = text;
  qxge::ProfileFile modelFile(f->storage), textFile(f->storage);
  modelFile.SetFile(u"model", false);
  textFile.SetFile(u"text", false);
  modelFile.SetWriteBack(&f->features.ShowDevmodeChanges);
  textFile.SetWriteBack(&f->features.ShowDevmodeChanges);
  f->features.Load(modelFile, textFile);
  return f;
}

std::u16string WithSetting(const std::u16string& text, std::u16string_view section, std::u16string_view key,
                           int32_t value) {
  qxge::IniDocument doc;
  doc.Parse(text);
  doc.Set(section, key, qxge::FormatDecimal(value));
  return doc.Serialize();
}

// Switches read 0 or 1; scales and limits are small numbers.
std::vector<int32_t> ProbeValues() {
  std::vector<int32_t> values;
  for (int32_t v = 0; v <= 256; ++v) values.push_back(v);
  values.push_back(-1);
  return values;
}

std::wstring PageSignature(const qxge::ModelFeatures& f, int32_t pageId) {
  qxge::PageEntry e{};
  if (!qxge::LookupPage(pageId, f, e)) return L"-";
  return std::to_wstring(static_cast<int>(e.kind)) + L"/" + std::to_wstring(e.templateId) + L"/" +
         std::to_wstring(e.variant);
}

// Records the template text of every window the thread creates: the localiser's key of a
// control is its text before the localiser replaced it.
class CreationLog {
 public:
  CreationLog() {
    current_ = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~CreationLog() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  CreationLog(const CreationLog&) = delete;
  CreationLog& operator=(const CreationLog&) = delete;

  std::wstring TextOf(HWND window) const {
    const auto it = texts_.find(window);
    return it == texts_.end() ? std::wstring() : it->second;
  }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && current_ != nullptr) {
      const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
      // A resource ordinal (an icon's) is no text.
      const bool text = cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName) && cs->lpszName[0] != 0xFFFF;
      current_->texts_[reinterpret_cast<HWND>(wParam)] = text ? cs->lpszName : L"";
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static CreationLog* current_;
  HHOOK hook_ = nullptr;
  std::map<HWND, std::wstring> texts_;
};

CreationLog* CreationLog::current_ = nullptr;

std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  if (GetClassNameW(window, name, 256) == 0) lstrcpyW(name, L"CTRL");
  return name;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> all;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&all));
  return all;
}

// The text of the page-area tool of a control, where the usage tips go. The page's tooltip is
// one of those its top-level window owns: the one that knows the tool.
bool PageToolText(HWND page, int id, std::u16string& text, RECT& area) {
  std::vector<wchar_t> buffer(4096, L'\0');
  for (HWND tooltip : qxhost::OwnedTooltips(GetAncestor(page, GA_ROOT))) {
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = page;
    tool.uId = static_cast<UINT_PTR>(id);
    tool.lpszText = buffer.data();
    if (!SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) continue;
    buffer.assign(buffer.size(), L'\0');
    tool.lpszText = buffer.data();
    SendMessageW(tooltip, TTM_GETTEXTW, buffer.size() - 1, reinterpret_cast<LPARAM>(&tool));
    text = U(buffer.data());
    area = tool.rect;
    return true;
  }
  return false;
}

Window Inventory(HWND window, const CreationLog& log, const std::wstring& configuration, int32_t pageId) {
  Window w;
  w.configuration = configuration;
  w.pageId = pageId;
  w.caption = WindowText(window);
  for (HWND child : Descendants(window)) {
    const int id = GetDlgCtrlID(child);
    const std::wstring cls = ClassOf(child);
    const qxge::ControlKey key =
        qxge::KeyOfControl(cls.c_str(), GetWindowLongW(child, GWL_STYLE), id, log.TextOf(child).c_str());
    Control c;
    c.id = id;
    c.key = key.key;
    c.tipped = key.tipped;
    // A marker no page is named: what comes back unchanged is the page's own section.
    static const std::u16string kOwn = u"\x01";
    c.section = qxge::ControlSection(id, kOwn);
    c.ownSection = c.section == kOwn;
    if (c.ownSection) c.section.clear();
    else if (c.section.empty()) c.section = u"Common";
    c.visible = IsWindowVisible(child) != FALSE;
    c.enabled = IsWindowEnabled(child) != FALSE;
    w.controls.push_back(c);
  }
  return w;
}

// Marks the controls a rule has disabled while no usage tip is set on them. With an empty text
// file a control's own tooltip is its placeholder, the key with " tooltip"; a usage tip is any
// other page-area text.
void NoteUnexplained(HWND page, Window& w) {
  // A usage tip often covers the disabled control's label too: its area explains both.
  std::vector<RECT> tips;
  for (const Control& c : w.controls) {
    std::u16string text;
    RECT area;
    const HWND control = GetDlgItem(page, c.id);
    // Group boxes have no tooltip of their own: any text on them is a usage tip.
    if (control != nullptr && PageToolText(page, c.id, text, area) && !text.empty() &&
        (!c.tipped || text != qxge::KeyWithSuffix(c.key, u" tooltip")))
      tips.push_back(area);
  }
  for (Control& c : w.controls) {
    if (!c.tipped || c.disabledUnexplained) continue;
    const HWND control = GetDlgItem(page, c.id);
    if (control == nullptr || !IsWindowVisible(control) || IsWindowEnabled(control)) continue;
    RECT own;
    GetWindowRect(control, &own);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&own), 2);
    bool explained = false;
    for (const RECT& tip : tips) {
      RECT both;
      explained = explained || (IntersectRect(&both, &tip, &own) && EqualRect(&both, &own));
    }
    if (!explained) c.disabledUnexplained = true;
  }
}

// A question the walk raised: leave it without saving, or cancel it.
void Decline(HWND window) {
  const int answer = GetDlgItem(window, IDNO) != nullptr ? IDNO : IDCANCEL;
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

bool IsButtonKind(HWND control, std::initializer_list<LONG> kinds) {
  if (lstrcmpiW(ClassOf(control).c_str(), WC_BUTTONW) != 0) return false;
  const LONG kind = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  for (LONG k : kinds)
    if (k == kind) return true;
  return false;
}

bool Usable(HWND control) { return IsWindowVisible(control) && IsWindowEnabled(control); }

// Drives the rules of a page: every check box on and off again, every radio button and every
// list choice, each put back afterwards; after each change, notes the controls that became
// disabled without a usage tip. A dialog a change opens is declined.
void DriveRules(HWND page, Window& w) {
  const auto act = [&](const std::function<void()>& change) {
    {
      qxhost::ModalHook answer(IDCANCEL, Decline);
      change();
      qxhost::SettleSheet();
    }
    NoteUnexplained(page, w);
  };
  NoteUnexplained(page, w);
  std::vector<HWND> radiosOn;
  for (HWND control : Descendants(page)) {
    if (GetParent(control) != page || !Usable(control)) continue;
    if (IsButtonKind(control, {BS_AUTOCHECKBOX, BS_CHECKBOX, BS_AUTO3STATE, BS_3STATE})) {
      for (int i = 0; i < 2; ++i) act([&] { SendMessageW(control, BM_CLICK, 0, 0); });
    } else if (IsButtonKind(control, {BS_AUTORADIOBUTTON, BS_RADIOBUTTON})) {
      if (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) radiosOn.push_back(control);
      act([&] { SendMessageW(control, BM_CLICK, 0, 0); });
    } else if (lstrcmpiW(ClassOf(control).c_str(), WC_COMBOBOXW) == 0) {
      const LRESULT was = SendMessageW(control, CB_GETCURSEL, 0, 0);
      const LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
      const auto choose = [&](LRESULT item) {
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
      };
      for (LRESULT i = 0; i < count && i < 64 && IsWindow(control); ++i) act([&] { choose(i); });
      if (was >= 0 && IsWindow(control)) act([&] { choose(was); });
    }
  }
  for (HWND radio : radiosOn)
    if (IsWindow(radio) && Usable(radio)) act([&] { SendMessageW(radio, BM_CLICK, 0, 0); });
}

// The section a window's caption was read from: one whose Caption is the window's caption,
// and of those the one that holds most of its controls' keys.
std::u16string SectionOf(const Window& w, const qxge::IniDocument& text) {
  std::map<std::u16string, size_t> score;
  for (const auto& e : ReadableKeys(text)) {
    if (e.key == u"Caption" && e.value == U(w.caption.c_str())) score[std::u16string(e.section)] = 0;
  }
  for (auto& [section, hits] : score)
    for (const Control& c : w.controls)
      if (c.ownSection && text.Find(section, c.key)) ++hits;
  std::u16string best;
  size_t most = 0;
  for (const auto& [section, hits] : score)
    if (best.empty() || hits > most) best = section, most = hits;
  return best;
}

}  // namespace

std::vector<qxge::IniDocument::Entry> ReadableKeys(const qxge::IniDocument& doc) {
  std::vector<qxge::IniDocument::Entry> keys;
  for (const auto& e : doc.Entries()) {
    if (e.header || !e.inSection) continue;
    // The reader's value is a view of the same line exactly when this entry is the one it finds.
    const auto found = doc.Find(e.section, e.key);
    if (found && found->data() == e.value.data()) keys.push_back(e);
  }
  return keys;
}

std::vector<int32_t> ShippedPages(const PackageFiles& package) {
  const auto shipped = LoadFeatures(package.modelText, package.textFileText);
  std::vector<int32_t> pages;
  for (int32_t id = 0; id < qxge::kPageIdCount; ++id)
    if (PageSignature(shipped->features, id) != L"-") pages.push_back(id);
  return pages;
}

std::vector<ModelSetting> CatalogueSettings(const PackageFiles& package) {
  // Every key the model features read, from an empty pair of files with write-back on.
  const auto blank = LoadFeatures(u"[Common]\r\nShowDevmodeChanges=1\r\n", u"");
  const auto shipped = LoadFeatures(package.modelText, package.textFileText);
  std::vector<std::wstring> base;
  for (int32_t id = 0; id < qxge::kPageIdCount; ++id) base.push_back(PageSignature(shipped->features, id));

  std::vector<ModelSetting> settings;
  for (const bool inText : {false, true}) {
    qxge::IniDocument keys;
    keys.Parse(blank->storage.files[inText ? u"text" : u"model"]);
    qxge::IniDocument shippedDoc;
    shippedDoc.Parse(inText ? package.textFileText : package.modelText);
    for (const auto& e : ReadableKeys(keys)) {
      if (e.key == u"ShowDevmodeChanges") continue;
      const auto shippedValue = shippedDoc.Find(e.section, e.key);
      const int32_t own = qxge::ParseAutoBaseInt(shippedValue ? *shippedValue : e.value);
      // Each other choice of pages is tried with the value nearest the package's own, so that
      // the rest of the model (a scale that also sizes the pages) stays as it ships.
      std::map<std::wstring, ModelSetting> nearest;
      for (int32_t value : ProbeValues()) {
        const auto moved = inText ? LoadFeatures(package.modelText, WithSetting(package.textFileText, e.section, e.key, value))
                                  : LoadFeatures(WithSetting(package.modelText, e.section, e.key, value), package.textFileText);
        ModelSetting s{inText, std::u16string(e.section), std::u16string(e.key), value, {}};
        std::wstring signature;
        for (int32_t id = 0; id < qxge::kPageIdCount; ++id) {
          const std::wstring page = PageSignature(moved->features, id);
          if (page != base[static_cast<size_t>(id)] && page != L"-") {
            s.pages.push_back(id);
            signature += std::to_wstring(id) + L"=" + page + L";";
          }
        }
        if (s.pages.empty()) continue;
        const auto it = nearest.find(signature);
        const auto distance = [&](int32_t v) { return std::abs(static_cast<int64_t>(v) - own); };
        if (it == nearest.end()) nearest.emplace(signature, s);
        else if (distance(value) < distance(it->second.value)) it->second = s;
      }
      for (auto& [signature, s] : nearest) settings.push_back(std::move(s));
    }
  }
  return settings;
}

bool RunConfiguration(const PackageFiles& package, const std::vector<ModelSetting>& settings,
                      const Configuration& config, const std::wstring& printer, qxge::IniDocument& templateText,
                      std::vector<Window>& windows, std::wstring& error) {
  qxge::Win32ProfileStorage storage;
  // The model file as shipped with write-back on; the text file empty but for the shipped
  // values of the model keys it holds, so that only the configuration's own setting differs.
  qxge::IniDocument model, text, shipped;
  model.Parse(package.modelText);
  model.Set(u"Common", u"ShowDevmodeChanges", u"1");
  shipped.Parse(package.textFileText);
  for (const ModelSetting& s : settings) {
    if (!s.inTextFile) continue;
    if (const auto value = shipped.Find(s.section, s.key)) text.Set(s.section, s.key, *value);
  }
  if (config.setting != nullptr)
    (config.setting->inTextFile ? text : model)
        .Set(config.setting->section, config.setting->key, qxge::FormatDecimal(config.setting->value));
  if (!storage.Save(U(package.modelFile.c_str()), model.Serialize(), package.modelEncoding) ||
      !storage.Save(U(package.textFile.c_str()), text.Serialize(), -1)) {
    error = L"cannot write the scratch copy of the package in " + package.modelFile;
    return false;
  }

  {
    CreationLog log;
    qxhost::ModulePackage module;
    if (!module.Load(package.dll)) {
      error = module.Error();
      return false;
    }
    std::vector<uint8_t> record = qxhost::DefaultRecord(printer);
    qxhost::HostSheet sheet(module, {printer, config.pages, 0}, record.data());
    const HWND window = sheet.Create(nullptr);
    if (window == nullptr) {
      error = L"the module gives no pages";
      return false;
    }
    std::unique_ptr<qxhost::ModalHook> leaving;
    qxhost::ShowEachPage(
        window, [&] { for (int i = 0; i < 5 && sheet.Pump(); ++i) Sleep(20); },
        [&](size_t index, const std::wstring&) {
          leaving.reset();
          const HWND container = PropSheet_GetCurrentPageHwnd(window);
          const HWND page = FindWindowExW(container, nullptr, WC_DIALOG, nullptr);
          if (page == nullptr) return;
          const int32_t pageId = index < config.pages.size() ? config.pages[index] : -1;
          windows.push_back(Inventory(page, log, config.label, pageId));
          DriveRules(page, windows.back());
          // Each dialog is recorded once it has localised itself.
          qxhost::OpenEachDialog(
              page, [&](HWND control) { return log.TextOf(control); },
              [&](HWND dialog) { windows.push_back(Inventory(dialog, log, config.label, -1)); });
          // A page left with unsaved edits asks first.
          leaving = std::make_unique<qxhost::ModalHook>(IDCANCEL, Decline);
        });
    sheet.Close();
    leaving.reset();
  }

  std::u16string filled;
  int encoding = -1;
  qxge::IniDocument written;
  if (!storage.Load(U(package.textFile.c_str()), filled, encoding)) {
    error = L"the module wrote no text file";
    return false;
  }
  written.Parse(filled);
  for (const auto& e : ReadableKeys(written))
    if (!templateText.Find(e.section, e.key)) templateText.Set(e.section, e.key, e.value);
  // A page whose section another page filled first finds its caption and writes no
  // placeholders: its tooltip and topic keys come from its controls.
  for (Window& w : windows) {
    if (w.configuration != config.label || !w.section.empty()) continue;
    w.section = SectionOf(w, written);
    if (w.section.empty()) continue;
    for (const Control& c : w.controls) {
      if (!c.tipped) continue;
      const std::u16string& section = c.ownSection ? w.section : c.section;
      const std::u16string tip = qxge::KeyWithSuffix(c.key, u" tooltip"), topic = qxge::KeyWithSuffix(c.key, u" topic");
      if (!templateText.Find(section, tip)) templateText.Set(section, tip, tip);
      if (!templateText.Find(section, topic)) templateText.Set(section, topic, u"");
    }
  }
  return true;
}

}  // namespace qxlang
