#include "pagebase/settings_page.h"

#include <commctrl.h>
#include <prsht.h>

#include "app/driver_ui_app.h"
#include "collections/record_cache.h"
#include "config/profile_file.h"
#include "platform/win_text.h"
#include "preview/color_sample_preview.h"
#include "preview/watermark_preview.h"
#include "preview/layout_preview.h"
#include "preview/photo_preview.h"
#include "preview/printer_preview.h"
#include "printer/printer_lookup.h"
#include "record/record_compare.h"
#include "resources/resource.h"

namespace qxge {

using platform::U;
using platform::W;

namespace {

std::u16string g_untitled;

// Pages that keep their left-to-right layout on a mirrored sheet: the About family and the
// Troubleshooting page show product texts and addresses.
bool KeepsLeftToRight(int32_t pageId) { return pageId == 5 || (pageId >= 10 && pageId <= 15); }

bool Mirrored() { return App().Features().MirrorLayout != 0; }

RECT ChildRect(HWND page, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

const std::u16string& UntitledLabel() { return g_untitled; }

SettingsPage::SettingsPage(int templateId, const char16_t* name, int32_t pageId)
    : templateId_(templateId), name_(name), pageId_(pageId) {}

SettingsPage::SettingsPage(int templateId, const char16_t* name, HWND parent, DriverDevMode* record)
    : working_(record), templateId_(templateId), name_(name), pageId_(-1), parent_(parent) {}

SettingsPage::~SettingsPage() {
  // The window goes without telling this object, which must still free its favorites.
  SettingsPage::OnDestroy();
  DestroyNow();
  if (acquired_) Records().Release(*sheet_);
}

std::u16string SettingsPage::Section() const { return std::u16string(name_) + u" Dialog"; }

std::u16string SettingsPage::ItemText(const char16_t* key) const {
  ProfileFile& text = App().TextFile();
  text.SetSection(Section());
  return text.ReadText(key);
}

bool SettingsPage::Attach(HWND container, SheetContext* sheet) {
  container_ = container;
  sheet_ = sheet;
  sheetFlags_ = sheet->sheetFlags;
  SheetRecords records;
  if (!Records().Acquire(*sheet, records)) return false;
  acquired_ = true;
  working_ = records.working;
  baseline_ = records.baseline;
  userDefault_ = records.userDefault;

  if (g_untitled.empty()) FirstAttachInProcess();
  if (records.firstPage) RefreshDoubleSidedPapers(*working_);

  const bool mirror = Mirrored() && !KeepsLeftToRight(pageId_);
  if (mirror) SetWindowLongPtrW(container, GWL_EXSTYLE, GetWindowLongPtrW(container, GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
  const HWND page = CreateChild(AppModule(), templateId_ + (mirror ? IDD_MIRROR_OFFSET : 0), container);
  if (page == nullptr) return false;
  SetWindowPos(page, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(page, SW_SHOW);
  return true;
}

void SettingsPage::FirstAttachInProcess() {
  DriverUiApp& app = App();
  app.VersionFile().SetFile(VersionFilePath(*working_), false);
  ProfileFile& text = app.TextFile();
  text.SetSection(u"");
  g_untitled = text.ReadText(u"Untitled", u"Untitled");
  // A model file being written back lists its caption too; the printer's name is the best guess.
  if (app.Features().Caption.empty()) {
    ProfileFile& model = app.ModelFile();
    model.SetSection(u"");
    model.WriteString(u"Caption", SheetPrinterName(*sheet_));
  }
}

INT_PTR SettingsPage::RunModal() {
  const bool mirror = Mirrored();
  return platform::Dialog::RunModal(AppModule(), mirror ? MirroredTemplateId() : templateId_, parent_);
}

BOOL SettingsPage::OnInitDialog() {
  DriverUiApp& app = App();
  ProfileFile& text = app.TextFile();
  tooltip_.Create(*this, Mirrored());

  BindPreview();
  if (app.Features().UnitsOnPreview == 0) {
    ShowControl(IDC_UNITS_MM, 0);
    ShowControl(IDC_UNITS_INCH, 0);
    if (Item(IDC_PREVIEW) != nullptr) preview_->DropTopCaptionLine();
  } else {
    unitsBound_ = Item(IDC_UNITS_MM) != nullptr && Item(IDC_UNITS_INCH) != nullptr;
    CentreUnitsOnPreview();
  }
  BindLogo();
  favorites_.Bind(Item(IDC_FAVORITES));
  ShowControl(IDC_SEPARATOR_LINE, app.Features().VerticalSeparator != 0 ? 1 : 0);

  const std::u16string section = Section();
  text.SetSection(section);
  char16_t caption[256];
  const bool captionMissing = text.ReadString(u"Caption", caption, 256, nullptr) == 0;
  if (captionMissing) {
    wchar_t own[256] = {};
    GetWindowTextW(Handle(), own, 256);
    const std::u16string fallback = own[0] != L'\0' ? std::u16string(U(own)) : std::u16string(name_);
    text.WriteString(u"Caption", fallback);
    platform::CopyTerminated(fallback, platform::W(caption), 256);
  }
  SetWindowTextW(Handle(), W(caption));
  help_.push_back(MakeHelpTopic(text, 0, u"Caption topic", captionMissing));

  LocaliseContext context{&text, section, &tooltip_, &help_, captionMissing, !Editable()};
  LocaliseChildren(Handle(), context);
  text.SetSection(section);

  if (container_ != nullptr)
    SetWindowPos(GetParent(container_), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

void SettingsPage::CentreUnitsOnPreview() {
  // The radios sit on the preview's top caption line, above the copies and the resolution.
  const HWND preview = Item(IDC_PREVIEW);
  if (preview == nullptr) return;
  const RECT p = ChildRect(Handle(), preview);
  const int lineTop = p.bottom - 1 - PreviewWnd::kCaptionHeight * preview_->CaptionCount();
  for (int id : {IDC_UNITS_MM, IDC_UNITS_INCH}) {
    const HWND radio = Item(id);
    if (radio == nullptr) continue;
    const RECT r = ChildRect(Handle(), radio);
    const int top = lineTop + (PreviewWnd::kCaptionHeight - (r.bottom - r.top)) / 2;
    SetWindowPos(radio, nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void SettingsPage::BindPreview() {
  if (const HWND layout = Item(IDC_PREVIEW)) {
    preview_ = std::make_unique<LayoutPreview>();
    preview_->Attach(layout);
  } else if (const HWND photo = Item(IDC_PHOTO_PREVIEW)) {
    preview_ = std::make_unique<PhotoPreview>(2);
    preview_->Attach(photo);
  } else if (const HWND watermark = Item(IDC_WATERMARK_PREVIEW)) {
    preview_ = std::make_unique<WatermarkPreview>();
    preview_->Attach(watermark);
  } else if (const HWND sample = Item(IDC_COLOR_PREVIEW)) {
    preview_ = std::make_unique<ColorSamplePreview>();
    preview_->Attach(sample);
  } else if (const HWND picture = Item(IDC_PRINTER_PICTURE)) {
    preview_ = std::make_unique<PrinterPreview>();
    preview_->Attach(picture);
    ProfileFile& text = App().TextFile();
    text.SetSection(u"Preview");
    const std::u16string printer = sheet_ != nullptr ? SheetPrinterName(*sheet_) : std::u16string();
    preview_->SetCaption(text.ReadText(u"Caption", printer.c_str(), true), 0);
  }
}

void SettingsPage::UpdatePreview() {
  if (preview_ != nullptr && preview_->Handle() != nullptr && working_ != nullptr) preview_->Update(*working_);
}

void SettingsPage::BindLogo() {
  if (const HWND logo = Item(IDC_LOGO); logo != nullptr && logo_.Attach(logo)) logo_.SetPicture(L"L.bmp");
}

void SettingsPage::OnSetActive() {
  if (unitsBound_ && working_ != nullptr) {
    const bool inches = static_cast<uint16_t>(working_->dmPrivate.IsMMInch) > 0;
    CheckRadio(IDC_UNITS_INCH, IDC_UNITS_MM, inches ? IDC_UNITS_INCH : IDC_UNITS_MM);
  }
  if (favorites_.Exists()) {
    if (!applyingFavorite_) favorites_.Fill();
    favorites_.SelectMatching();
  }
  UpdatePreview();
}

void SettingsPage::Refill() {
  const bool outer = !filling_;
  filling_ = true;
  OnSetActive();
  if (outer) filling_ = false;
}

void SettingsPage::ReloadForFavorite() {
  applyingFavorite_ = true;
  Refill();
  applyingFavorite_ = false;
  // A favorite changes the record as the controls do: the next change is measured from it,
  // and the sheet's Apply button follows it.
  if (baseline_ != nullptr && working_ != nullptr) *baseline_ = *working_;
  MarkAgainstLive();
}

void SettingsPage::OnStoreControls() {
  if (unitsBound_ && working_ != nullptr)
    working_->dmPrivate.IsMMInch = Checked(IDC_UNITS_INCH) ? 1 : 0;
}

int SettingsPage::OnApply() {
  if (sheet_ != nullptr && working_ != nullptr) ApplyRecord(*sheet_, *working_);
  return 0;
}

void SettingsPage::OnSettingChanged() {
  if (filling_) return;
  OnStoreControls();
  if (working_ != nullptr && userDefault_ != nullptr && baseline_ != nullptr) {
    const ModelFeatures& model = App().Features();
    bool layoutChanged = CopyDeviceOptions(*working_, *userDefault_, nullptr, model);
    if (RecordsDiffer(*baseline_, *working_, &layoutChanged, false, model) != 0) {
      *baseline_ = *working_;
      MarkAgainstLive();
      if (layoutChanged)
        Refill();
      else
        favorites_.SelectMatching();
    }
  }
  UpdatePreview();
}

void SettingsPage::MarkAgainstLive() {
  if ((sheetFlags_ & kSheetNeverMark) != 0 || sheet_ == nullptr || working_ == nullptr) return;
  if (RecordsDiffer(LiveRecord(*sheet_), *working_, nullptr, false, App().Features()) != 0)
    MarkChanged();
  else
    MarkUnchanged();
}

void SettingsPage::MarkChanged() {
  if (container_ == nullptr) return;
  SendMessageW(GetParent(container_), PSM_CHANGED, reinterpret_cast<WPARAM>(container_), 0);
  markedChanged_ = true;
}

void SettingsPage::MarkUnchanged() {
  if (container_ == nullptr) return;
  const HWND sheetWindow = GetParent(container_);
  const auto* table = reinterpret_cast<const PageSlotTable*>(GetWindowLongPtrW(sheetWindow, GWLP_USERDATA));
  if (table == nullptr) return;
  // Only a page that marked itself can hold Apply on; the sheet's answer to each mark costs
  // round trips to Wine's server.
  for (void* slot : table->slots) {
    auto* page = static_cast<SettingsPage*>(slot);
    if (page == nullptr || !page->markedChanged_) continue;
    SendMessageW(sheetWindow, PSM_UNCHANGED, reinterpret_cast<WPARAM>(page->Container()), 0);
    page->markedChanged_ = false;
  }
}

bool SettingsPage::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_SHEET_HELP:
      if (code == BN_CLICKED) ShowPageHelp(0);
      return true;
    case IDC_UNITS_INCH:
    case IDC_UNITS_MM:
      if (code == BN_CLICKED) OnSettingChanged();
      return true;
    case IDC_FAVORITES:
      if (code == CBN_SELCHANGE) favorites_.OnSelect();
      else if (code == CBN_EDITCHANGE) favorites_.OnEditChange();
      return true;
    case IDC_FAVORITE_DELETE:
      if (code == BN_CLICKED) favorites_.OnDelete();
      return true;
    case IDC_FAVORITE_RENAME:
      if (code == BN_CLICKED) favorites_.OnRename();
      return true;
    case IDC_FAVORITE_SAVE:
      if (code == BN_CLICKED) favorites_.OnSave();
      return true;
    case IDOK:
      // Only a modal dialog stores on OK; a page stores as it goes.
      if (pageId_ < 0) {
        OnStoreControls();
        End(IDOK);
      }
      return true;
    case IDCANCEL:
      if (pageId_ < 0) End(IDCANCEL);
      return true;
    default:
      return false;
  }
}

bool SettingsPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_HELP: {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      ShowPageHelp(info->iCtrlId);
      result = TRUE;
      return true;
    }
    case WM_CONTEXTMENU:
      // The "What's This?" menu of the platform would offer help the pages give otherwise.
      result = TRUE;
      return true;
    case WM_CLOSE:
      // Escape in a multi-line edit closes its dialog: on a page that is the sheet's to do.
      if (container_ == nullptr) return false;
      SendMessageW(GetParent(container_), WM_CLOSE, 0, 0);
      result = 0;
      return true;
    default:
      return false;
  }
}

void SettingsPage::ShowControl(int id, int show, const POINT* offset) {
  const HWND control = Item(id);
  if (control == nullptr) return;
  const bool moved = offset != nullptr && (offset->x != 0 || offset->y != 0);
  if (moved) {
    const RECT r = ChildRect(Handle(), control);
    SetWindowPos(control, nullptr, r.left + offset->x, r.top + offset->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  // Pages re-run their show rules on every fill: a control already as wanted is left alone.
  const bool shown = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
  const bool wanted = show < 0 ? shown : show != 0;
  if (wanted != shown) ShowWindow(control, wanted ? SW_SHOW : SW_HIDE);
  // A tip covers its control where it is now, also after a move alone.
  if (wanted != shown || moved) tooltip_.UpdateRect(id, wanted);
}

void SettingsPage::ShowControls(const int* ids, int show, const POINT* offset) {
  for (; *ids != 0; ++ids) ShowControl(*ids, show, offset);
}

void SettingsPage::EnableControl(int id, bool enable) {
  const HWND control = Item(id);
  if (control != nullptr && (IsWindowEnabled(control) != FALSE) != enable) EnableWindow(control, enable ? TRUE : FALSE);
}

void SettingsPage::EnableControls(const int* ids, bool enable) {
  for (; *ids != 0; ++ids) EnableControl(*ids, enable);
}

void SettingsPage::PlaceControl(int id, const POINT* topLeft, const SIZE* size) {
  const HWND control = Item(id);
  if (control == nullptr) return;
  const UINT quiet = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
  const RECT r = ChildRect(Handle(), control);
  if (topLeft != nullptr) {
    const int w = size != nullptr ? size->cx : r.right - r.left;
    const int h = size != nullptr ? size->cy : r.bottom - r.top;
    SetWindowPos(control, nullptr, topLeft->x, topLeft->y, w, h, quiet);
  } else if (size != nullptr) {
    SetWindowPos(control, nullptr, 0, 0, r.right - r.left + size->cx, r.bottom - r.top + size->cy, quiet | SWP_NOMOVE);
  } else {
    ShowWindow(control, SW_HIDE);
  }
}

RECT SettingsPage::ControlRect(int id) const {
  const HWND control = Item(id);
  return control != nullptr ? ChildRect(Handle(), control) : RECT{};
}

int SettingsPage::CloseUpRows(const std::vector<ControlRow>& rows) {
  int moved = 0;
  for (const ControlRow& row : rows) {
    const POINT up{0, -moved};
    ShowControls(row.ids, row.shown ? 1 : 0, &up);
    if (!row.shown) moved += row.height;
  }
  return moved;
}

POINT SettingsPage::ControlOffset(int id, int fromId, bool bottoms) const {
  const HWND a = Item(id), b = Item(fromId);
  if (a == nullptr || b == nullptr) return {0, 0};
  const RECT ra = ChildRect(Handle(), a), rb = ChildRect(Handle(), b);
  return {ra.left - rb.left, bottoms ? ra.bottom - rb.bottom : ra.top - rb.top};
}

void SettingsPage::GrowWindow(int dx, int dy) {
  RECT r;
  GetWindowRect(Handle(), &r);
  SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

}  // namespace qxge
