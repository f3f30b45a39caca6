// The Graphics pages: resolution, toner, darkness and TrueType options on the monochrome
// page; colour mode with inline adjustment or with its own dialog on the colour pages.
#pragma once

#include "pagebase/settings_page.h"

namespace qxge {

class GraphicsOptionsBase : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
};

class GraphicsPage : public GraphicsOptionsBase {
 public:
  GraphicsPage(int templateId, int32_t pageId) : GraphicsOptionsBase(templateId, u"Graphics", pageId) {}
};

class ColorAdjustPage : public SettingsPage {
 public:
  ColorAdjustPage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Graphics", pageId) {}
};

class ColorModePage : public SettingsPage {
 public:
  ColorModePage(int templateId, int32_t pageId) : SettingsPage(templateId, u"Graphics", pageId) {}
};

}  // namespace qxge
