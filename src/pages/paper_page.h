// The Paper pages: size, source, type, copies and scaling.
#pragma once

#include "pagebase/settings_page.h"

namespace qxge {

class PaperPageBase : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
};

class PaperPage : public PaperPageBase {
 public:
  PaperPage(int templateId, int32_t pageId) : PaperPageBase(templateId, u"Paper", pageId) {}
};

class CompactPaperPage : public PaperPageBase {
 public:
  CompactPaperPage(int templateId, int32_t pageId) : PaperPageBase(templateId, u"Paper", pageId) {}
};

}  // namespace qxge
