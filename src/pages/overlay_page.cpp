#include "pages/overlay_page.h"

#include <commdlg.h>

#include <algorithm>
#include <memory>

#include "collections/collection_item.h"
#include "collections/overlays.h"
#include "platform/win_text.h"

namespace qxge {
namespace {

constexpr size_t kPathChars = OverlayItem::kMaxPathChars;

const OverlayItem* OverlayAt(const ItemList& list, int position) {
  return static_cast<const OverlayItem*>(list.Item(position));
}

bool EndsWithNoCase(const std::u16string& text, std::u16string_view end) {
  return text.size() >= end.size() && SameTextNoCase(std::u16string_view(text).substr(text.size() - end.size()), end);
}

}  // namespace

std::u16string ChooseOverlayFile(HWND owner, const std::u16string& title, const std::u16string& description,
                                 const char16_t* extension, bool save) {
  const std::u16string folder = GetOverlaysDir();
  std::u16string filter = description;
  filter += u'\0';
  filter += u"*.";
  filter += extension;
  filter += u'\0';
  filter += u'\0';
  char16_t path[kPathChars] = {};
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = platform::W(filter.c_str());
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = platform::W(path);
  dialog.nMaxFile = kPathChars;
  dialog.lpstrInitialDir = folder.empty() ? nullptr : platform::W(folder.c_str());
  dialog.lpstrTitle = platform::W(title.c_str());
  dialog.lpstrDefExt = platform::W(extension);
  dialog.Flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
  if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return {};
  const std::u16string chosen(path);
  const size_t folderEnd = dialog.nFileOffset > 0 ? dialog.nFileOffset - 1u : 0u;
  SetOverlaysDir(chosen.substr(0, std::min(folderEnd, chosen.size())));
  return chosen;
}

OverlayEditor::OverlayEditor(HWND parent, DriverDevMode* record)
    : SettingsPage(IDD_EDIT_OVERLAY, u"Edit Overlay", parent, &edited_), target_(record), edited_(*record) {}

BOOL OverlayEditor::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  if (working_ != nullptr) {
    OverlayItem job(working_);
    AdoptItem(job, CollectionType::Overlay);
  }
  ItemList list(Item(IDC_OVERLAY_LIST));
  for (std::unique_ptr<CollectionItem>& item : LoadItems(CollectionType::Overlay, working_)) list.Add(std::move(item));
  list.Add(std::make_unique<OverlayItem>(nullptr), 0);
  if (IsDialog()) OnSetActive();
  return result;
}

void OverlayEditor::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  Check(IDC_OVERLAY_CONFIRM, p.bQueryOvly >= 1);
  mode_ = std::clamp<int>(p.ovrLoadCreate, kNoOverlay, kCreateOverlay);
  ItemList list(Item(IDC_OVERLAY_LIST));
  list.Select(list.FindChosen(*working_));
  SettingsPage::OnSetActive();
  Refresh();
}

void OverlayEditor::Refresh() {
  const ItemList list(Item(IDC_OVERLAY_LIST));
  const OverlayItem* chosen = OverlayAt(list, list.Selection());
  if (chosen == nullptr || chosen->Path().empty())
    mode_ = kNoOverlay;
  else if (mode_ != kCreateOverlay)
    mode_ = kUseOverlay;
  const bool creating = mode_ == kCreateOverlay;
  EnableControl(IDC_OVERLAY_LIST, Editable() && !creating);
  ShowControl(IDC_OVERLAY_CREATE, creating ? 0 : 1);
  ShowControl(IDC_OVERLAY_CANCEL_CREATE, creating ? 1 : 0);
  EnableControl(IDC_OVERLAY_CANCEL_CREATE, Editable());
  EnableControl(IDC_OVERLAY_CREATE, Editable() && !creating);
  EnableControl(IDC_OVERLAY_LOAD, Editable() && !creating);
  EnableControl(IDC_OVERLAY_DELETE, Editable() && mode_ == kUseOverlay);
  EnableControl(IDC_OVERLAY_CONFIRM, Editable() && mode_ == kUseOverlay);
  static const char16_t* const kStatus[] = {u"No Overlay Selected", u"Use Overlay", u"Ready to Create Overlay File"};
  std::u16string status = ItemText(kStatus[mode_]);
  if (mode_ != kNoOverlay) status += u"\r\n" + chosen->Path();
  SetWindowTextW(Item(IDC_OVERLAY_STATUS), platform::W(status));
  if (!IsDialog()) OnSettingChanged();
}

void OverlayEditor::Choose(bool create) {
  const std::u16string path =
      ChooseOverlayFile(Handle(), ItemText(create ? u"Create Overlay" : u"Load Overlay"),
                        ItemText(u"Overlay Files (*.OVL)"), u"OVL", create);
  if (path.empty()) return;
  auto item = std::make_unique<OverlayItem>(path);
  ItemList list(Item(IDC_OVERLAY_LIST));
  int at = -1;
  for (int i = 0; i < list.Count() && at < 0; ++i)
    if (list.Item(i) != nullptr && !list.Item(i)->Differs(*item)) at = i;
  if (at < 0) at = list.AddBelowFirst(std::move(item));
  if (at < 0) return;
  // The file chosen again stays on the disk.
  pendingDeletions_.erase(std::remove_if(pendingDeletions_.begin(), pendingDeletions_.end(),
                                         [&path](const std::u16string& p) { return SameTextNoCase(p, path); }),
                          pendingDeletions_.end());
  list.Select(at);
  if (create) mode_ = kCreateOverlay;
  Refresh();
}

void OverlayEditor::Delete() {
  ItemList list(Item(IDC_OVERLAY_LIST));
  const int at = list.Selection();
  const OverlayItem* chosen = OverlayAt(list, at);
  if (chosen == nullptr || chosen->Path().empty() || ShowMessage(kDeleteOverlayMessage, Section().c_str()) != IDYES)
    return;
  pendingDeletions_.push_back(chosen->Path());
  list.Remove(at);
  list.Select(0);
  Refresh();
}

void OverlayEditor::CleanUp() {
  // The job's target is made anew by the job; only an overlay file is ever removed for it,
  // whatever a damaged record names.
  if (working_ != nullptr && working_->dmPrivate.ovrLoadCreate == kCreateOverlay) {
    const std::u16string target = working_->dmPrivate.ovrFileName.Read();
    if (EndsWithNoCase(target, u".OVL")) pendingDeletions_.push_back(target);
  }
  for (auto path = pendingDeletions_.rbegin(); path != pendingDeletions_.rend(); ++path) DeleteFileW(platform::W(*path));
  pendingDeletions_.clear();
}

void OverlayEditor::OnStoreControls() {
  if (working_ == nullptr) return;
  PrivateDevMode& p = working_->dmPrivate;
  p.bQueryOvly = Checked(IDC_OVERLAY_CONFIRM) ? 1 : 0;
  p.ovrLoadCreate = static_cast<int16_t>(mode_);
  const ItemList list(Item(IDC_OVERLAY_LIST));
  if (IsDialog()) {
    SaveAll(list, CollectionType::Overlay, working_);
    CleanUp();
    *target_ = edited_;
  } else if (const OverlayItem* chosen = OverlayAt(list, list.Selection())) {
    chosen->ApplyTo(*working_);
  }
  SettingsPage::OnStoreControls();
}

int OverlayEditor::OnApply() {
  SaveAll(ItemList(Item(IDC_OVERLAY_LIST)), CollectionType::Overlay, nullptr);
  CleanUp();
  return SettingsPage::OnApply();
}

void OverlayEditor::OnDestroy() {
  ItemList(Item(IDC_OVERLAY_LIST)).Clear();
  SettingsPage::OnDestroy();
}

bool OverlayEditor::OnCommand(int id, int code, HWND control) {
  if (code != BN_CLICKED && id != IDC_OVERLAY_LIST) return SettingsPage::OnCommand(id, code, control);
  switch (id) {
    case IDC_OVERLAY_LIST:
      if (code == LBN_SELCHANGE) Refresh();
      else if (code == LBN_DBLCLK) SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      return true;
    case IDC_OVERLAY_CREATE:
    case IDC_OVERLAY_LOAD:
      Choose(id == IDC_OVERLAY_CREATE);
      return true;
    case IDC_OVERLAY_DELETE:
    case IDC_OVERLAY_CANCEL_CREATE:
      Delete();
      return true;
    case IDC_OVERLAY_CONFIRM:
      if (!IsDialog()) OnSettingChanged();
      return true;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
}

}  // namespace qxge
