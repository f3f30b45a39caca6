// The base of every page and of the modal dialogs opened from pages: attaches to the host's
// container, shares the sheet's working record, answers the sheet's notifications through six
// virtual operations, marks the sheet changed or unchanged, and offers help, tips, messages
// and the control-layout operations the pages use.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/host_blocks.h"
#include "config/dialog_localiser.h"
#include "pagebase/favorites_box.h"
#include "platform/dialog.h"
#include "preview/owner_drawn.h"
#include "preview/preview_wnd.h"
#include "record/driver_dev_mode.h"
#include "resources/resource.h"

namespace qxge {

// Answers of OnKillActive, in message-box values.
constexpr int kKeepPage = IDCANCEL;
constexpr int kStoreAndLeave = IDYES;
// Numbers of the questions ShowMessage asks.
constexpr int kSaveChangesMessage = 3, kDeleteOverlayMessage = 4;

// A text of the text file with its English default, for tools that list what translators need.
struct KeyedText {
  std::u16string key;
  std::u16string text;
};
// Every option usage tip; they live in "Common".
std::vector<KeyedText> UsageTipTexts();
// The title and the message of a ShowMessage number, in the section its asker names.
std::vector<KeyedText> MessageTexts(int number);

class SettingsPage : public platform::Dialog {
 public:
  // A page of a sheet.
  SettingsPage(int templateId, const char16_t* name, int32_t pageId);
  // A modal dialog editing record.
  SettingsPage(int templateId, const char16_t* name, HWND parent, DriverDevMode* record);
  ~SettingsPage() override;

  const char16_t* Name() const { return name_; }
  int32_t PageId() const { return pageId_; }
  int TemplateId() const { return templateId_; }

  // At the container's WM_INITDIALOG; false when no child dialog was made.
  bool Attach(HWND container, SheetContext* sheet);
  HWND Container() const { return container_; }
  // Modal dialogs: runs until OK or Cancel.
  INT_PTR RunModal();

  virtual void OnSetActive();
  // OnSetActive with the change hook held off: filling the controls must not read them back
  // half filled (an edit reports its new text as a change).
  void Refill();
  virtual void OnStoreControls();
  virtual int OnKillActive() { return kStoreAndLeave; }
  virtual int OnReset() { return 0; }
  virtual int OnApply();
  virtual void OnSettingChanged();

  void ShowPageHelp(int controlId);
  int ShowMessage(int number, const char16_t* section);
  // tipIndex: the tip's number minus one.
  void SetOptionUsageTip(int controlId, int tipIndex, bool show, int secondId);

  // show: 1 show, 0 hide, -1 leave as is; offset moves the control first.
  void ShowControl(int id, int show, const POINT* offset = nullptr);
  void ShowControls(const int* ids, int show, const POINT* offset = nullptr);
  void EnableControl(int id, bool enable);
  void EnableControls(const int* ids, bool enable);
  void PlaceControl(int id, const POINT* topLeft, const SIZE* size);
  // A row of controls that a model may lack; height: the distance to the next row.
  struct ControlRow {
    const int* ids;  // zero-terminated
    bool shown;
    int height;
  };
  // Shows the rows the model has and hides the others; every shown row moves up by the heights
  // hidden above it. Returns the height given up, by which whatever follows moves up too.
  int CloseUpRows(const std::vector<ControlRow>& rows);
  POINT ControlOffset(int id, int fromId, bool bottoms) const;
  // A control's rectangle on the page; empty when the page has no such control.
  RECT ControlRect(int id) const;
  void GrowWindow(int dx, int dy);
  void MarkChanged();
  void MarkUnchanged();

  bool Editable() const { return (sheetFlags_ & kSheetReadOnly) == 0; }
  // A list item's text: its English text is the key in the page's section and the default.
  std::u16string ItemText(const char16_t* key) const;

  DriverDevMode* WorkingRecord() const { return working_; }
  const DriverDevMode* UserDefaultRecord() const { return userDefault_; }
  // A favorite was copied into the working record: every control follows it, the favorites
  // list stays as it is.
  void ReloadForFavorite();

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnDestroy() override {
    favorites_.Clear();
    favorites_.Bind(nullptr);
  }
  // A tooltip on a control, where the text file's own would be.
  void SetControlTip(int id, const std::u16string& text) { tooltip_.SetText(id, true, text); }
  // The right-to-left twin of a modal dialog's template.
  virtual int MirroredTemplateId() const { return templateId_ + IDD_MIRROR_OFFSET; }
  // The page's preview; none on pages without one.
  PreviewWnd* Preview() const { return preview_.get(); }
  PageTooltip& Tooltip() { return tooltip_; }

  std::u16string Section() const;

  SheetContext* sheet_ = nullptr;
  DriverDevMode* working_ = nullptr;
  DriverDevMode* baseline_ = nullptr;
  const DriverDevMode* userDefault_ = nullptr;

 private:
  void FirstAttachInProcess();
  // Apply is offered exactly while the working record differs from the host's.
  void MarkAgainstLive();
  void BindLogo();
  void CentreUnitsOnPreview();
  void BindPreview();
  // The page's preview follows the working record.
  void UpdatePreview();

  const int templateId_;
  const char16_t* const name_;
  const int32_t pageId_;
  HWND parent_ = nullptr;  // modal dialogs
  HWND container_ = nullptr;
  uint32_t sheetFlags_ = 0;
  bool acquired_ = false;
  std::vector<HelpTopic> help_;
  PageTooltip tooltip_;
  PictureLabel logo_;
  FavoritesBox favorites_{*this};
  bool applyingFavorite_ = false;
  bool markedChanged_ = false;  // the container was marked changed and not unmarked since
  bool filling_ = false;
  bool unitsBound_ = false;  // the page shows the preview's units choice
  // The sheet's layout on the settings pages, the printer's picture on the printer pages; the
  // photo and colour-sample previews (1236, 1240) join them with the pages that show them.
  std::unique_ptr<PreviewWnd> preview_;
};

// Opens address (a compiled help file's topic) in the HTML Help viewer, owned by nobody.
void ShowHtmlHelp(const std::u16string& address);

// The localised word for an unnamed favorite, set by the first page attached in the process.
const std::u16string& UntitledLabel();

}  // namespace qxge
