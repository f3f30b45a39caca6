// Page frames, notes and dates printed with the photos: the frame style, the message under each
// photo and the message's font, with the photo sheet beside them.
#pragma once

#include "pagebase/font_attributes.h"
#include "pagebase/settings_page.h"

namespace qxge {

class DecoPage : public SettingsPage {
 public:
  DecoPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Deco", pageId) {}
  void OnSetActive() override;
  void OnStoreControls() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  // A frame carries the message; without one the message's controls are empty and closed.
  void ApplyFrameState();

  FontAttributes font_;
};

}  // namespace qxge
