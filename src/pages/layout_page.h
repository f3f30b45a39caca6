// The Layout pages: orientation, rotation and double-sided printing in the base; layout
// types, pages per side and posters on the full page; the compact page keeps the options in
// a dialog of their own.
#pragma once

#include "host/settings_page.h"

namespace qxge {

class LayoutPageBase : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
};

class LayoutPage : public LayoutPageBase {
 public:
  LayoutPage(int templateId, int32_t pageId) : LayoutPageBase(templateId, u"Layout", pageId) {}
};

class CompactLayoutPage : public LayoutPageBase {
 public:
  CompactLayoutPage(int templateId, int32_t pageId) : LayoutPageBase(templateId, u"Layout", pageId) {}
};

}  // namespace qxge
