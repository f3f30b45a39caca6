// The watermark list and its editor.
#pragma once

#include "pagebase/settings_page.h"

namespace qxge {

class WatermarkPage : public SettingsPage {
 public:
  WatermarkPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Watermark", pageId) {}
};

}  // namespace qxge
