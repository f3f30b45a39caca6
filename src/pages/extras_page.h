// The Extras and Output pages: output options shared by all three, the destination, print
// order and stapling of the Extras pages, and the watermark and overlay boxes of the full one.
#pragma once

#include "pagebase/settings_page.h"

namespace qxge {

class OutputOptionsBase : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
};

class ExtrasPageBase : public OutputOptionsBase {
 public:
  // variant: which boxes the page has (2 with watermark and overlay, 7 output options only).
  ExtrasPageBase(int templateId, int32_t pageId, int variant)
      : OutputOptionsBase(templateId, u"Extras", pageId), variant_(variant) {}
  int Variant() const { return variant_; }

 private:
  const int variant_;
};

class ExtrasPage : public ExtrasPageBase {
 public:
  ExtrasPage(int templateId, int32_t pageId, int variant) : ExtrasPageBase(templateId, pageId, variant) {}
};

class SimpleExtrasPage : public ExtrasPageBase {
 public:
  SimpleExtrasPage(int templateId, int32_t pageId, int variant) : ExtrasPageBase(templateId, pageId, variant) {}
};

class OutputPage : public OutputOptionsBase {
 public:
  OutputPage(int templateId, int32_t pageId) : OutputOptionsBase(templateId, u"Output", pageId) {}
};

}  // namespace qxge
