// The Graphics pages: resolution, image mode and colour on the page, with raster compression,
// toner save, darkness and TrueType handling where the page has room for them and in the
// Advanced / TrueType Options dialog otherwise.
#pragma once

#include <cstdint>

#include "pagebase/settings_page.h"
#include "preview/color_sample_preview.h"
#include "preview/owner_drawn.h"
#include "resources/resource.h"

namespace qxge {

// The option groups a form holds: the others are hidden and give their height to the groups
// below.
struct GraphicsGroups {
  bool raster = false, toner = false, darkness = false, trueType = false, text = false;
  bool Any() const { return raster || toner || darkness || trueType || text; }
};

// Colour or grey printing on the colour pages: two radios and a picture that turns with a click.
class ColorModeChoice {
 public:
  void Bind(SettingsPage& page);
  void Fill(const PrivateDevMode& p);
  bool Colour() const { return page_->Checked(IDC_COLOR); }
  // True when the command changed the choice.
  bool OnCommand(int id, int code);

 private:
  void ShowPicture();

  SettingsPage* page_ = nullptr;
  LargeIcon picture_;
};

class GraphicsOptionsBase : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  // Shows the groups held and closes up over the others; the height given up.
  int LayOutOptions(const GraphicsGroups& held);
  // Toner save on resets the darkness to Normal and closes it.
  void ApplyTonerRule();
  // Whether the toner is saved as the form's controls say: by the toner radios, or on models
  // without them by Draft Mode.
  virtual bool SavesToner() const;

 private:
  void ApplyCompressionRule();
  void ApplyTrueTypeRule();

  LargeIcon tonerPicture_, darknessPicture_, trueTypePicture_;
  bool holdsDarkness_ = false;
};

class GraphicsPage : public GraphicsOptionsBase {
 public:
  GraphicsPage(int templateId, int32_t pageId) : GraphicsOptionsBase(templateId, u"Graphics", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool SavesToner() const override;

 private:
  // Decides which groups the page keeps and which go to the Advanced dialog.
  void LayOutPage();
  int ResolutionChoice() const;
  void SelectResolution(int index);
  void ApplyResolutionRule();
  // The colour dialogs' buttons follow Manual and the colour choice.
  void ApplyColorRule();
  // The colour dialogs edit the record; the page takes what they changed before it stores.
  void RunColorDialog(SettingsPage& dialog);

  uint32_t shownResolutions_ = 0;  // bit i: the radio of index i is on the page
  GraphicsGroups moved_;           // the groups the Advanced dialog shows
  LargeIcon resolutionPicture_, imagePicture_;
  ColorModeChoice colour_;
};

// The groups the Graphics page had no room for, on the page's record.
class AdvancedOptionsDialog : public GraphicsOptionsBase {
 public:
  AdvancedOptionsDialog(HWND parent, DriverDevMode* record, const GraphicsGroups& groups)
      : GraphicsOptionsBase(IDD_ADVANCED, u"Advanced", parent, record), groups_(groups) {}
  // The record is the page's: it changes on OK only.
  void OnSettingChanged() override {}

 protected:
  BOOL OnInitDialog() override;

 private:
  GraphicsGroups groups_;
};

// How colours, edges, greys and halftones print: a preset ("Automatic Setting") or the user's own.
class ColorSettingsDialog : public SettingsPage {
 public:
  ColorSettingsDialog(HWND parent, DriverDevMode* record)
      : SettingsPage(IDD_COLOR_SETTINGS, u"Color Settings", parent, record) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void ApplyPreset();
};

// The six colour adjustments, each a slider from 0 to 100 with the number beside it, kept equal:
// a slider writes its number, typing moves the slider and keeps the text until the edit is
// left, and leaving it with no number in range puts the slider's back.
class ColorAdjustSet {
 public:
  void Bind(SettingsPage& page);
  void Fill(const PrivateDevMode& p);
  void Neutral();
  void Store(PrivateDevMode& p) const;
  // Levels: brightness and contrast; colour: saturation and the colour balance.
  void Enable(bool levels, bool colour);
  // True when the message was the set's; a value that moved runs the page's change hook.
  bool OnCommand(int id, int code);
  bool OnMessage(UINT message, LPARAM lParam);

 private:
  void Show(size_t pair, int value);
  int Value(size_t pair) const;

  SettingsPage* page_ = nullptr;
  bool writing_ = false;  // an edit's text is being set: its change is not the user's typing
};

// The colour adjustments with the sample they change, or Auto Adjustment instead. It edits a
// copy of the record, so that its sample can follow every move and Cancel leaves the record as
// it was.
class ColorAdjustDialog : public SettingsPage {
 public:
  // colour: the page prints in colour, so saturation and the colour balance apply.
  ColorAdjustDialog(HWND parent, DriverDevMode* record, bool colour)
      : SettingsPage(IDD_ADJUST_COLOR, u"Adjust Color", parent, &edited_),
        target_(record), edited_(*record), opened_(*record), colour_(colour) {}
  void OnSetActive() override;
  void OnStoreControls() override;
  void OnSettingChanged() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  bool Automatic() const;
  void ApplyAutoRule();
  void StoreInto(DriverDevMode& record) const;

  DriverDevMode* target_;
  DriverDevMode edited_;
  const DriverDevMode opened_;  // what Auto Adjustment turned off brings back
  bool colour_;
  ColorAdjustSet adjust_;
  ColorSamplePreview sample_;
};

// How the printer matches colours: an intent, and the RGB colours its lack leaves to choose.
class ColorMatchingDialog : public SettingsPage {
 public:
  ColorMatchingDialog(HWND parent, DriverDevMode* record)
      : SettingsPage(IDD_COLOR_MATCHING, u"Settings", parent, record) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  int MirroredTemplateId() const override { return IDD_COLOR_MATCHING_RTL; }

 private:
  void ApplyIntentRule();

  ColorSamplePreview sample_;
};

class ColorAdjustPage : public SettingsPage {
 public:
  ColorAdjustPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Graphics", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void ApplyColorRule();

  ColorAdjustSet adjust_;
  ColorModeChoice colour_;
};

class ColorModePage : public SettingsPage {
 public:
  ColorModePage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Graphics", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  ColorModeChoice colour_;
};

}  // namespace qxge
