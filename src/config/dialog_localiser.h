// Replaces the English template texts of a page's controls by the text file's, attaches their
// tooltips and help topics, and disables them on a read-only sheet, in one pass that needs no
// per-control code: a control's own template text is its key.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace qxge {

class ProfileFile;

// A page's help for one control (0: the page itself).
struct HelpTopic {
  int controlId = 0;
  int32_t contextId = 0;  // a WinHelp context, or 0 when the topic text is used
  std::u16string topic;   // an HTML page (".htm", ".html") or a WinHelp keyword
};

// Reads key in the text file's current section; with writeDefault a missing key is written
// back empty so that a new text file lists every topic a translator may fill.
HelpTopic MakeHelpTopic(ProfileFile& text, int controlId, const std::u16string& key, bool writeDefault);

// The tooltip window of one page.
class PageTooltip {
 public:
  PageTooltip() = default;
  ~PageTooltip();
  PageTooltip(const PageTooltip&) = delete;
  PageTooltip& operator=(const PageTooltip&) = delete;

  void Create(const platform::Dialog& page, bool rightToLeft);
  HWND Handle() const { return tooltip_; }

  // Page-relative tools cover a control's rectangle on the page, so that statics, which
  // get no mouse messages, and disabled controls still show their tips.
  // extraId: a second control whose rectangle joins the first (0 for none); area: the part of
  // the control a control's own tip covers, when not all of it.
  void SetText(int controlId, bool pageRelative, const std::u16string& text, int extraId = 0,
               const RECT* area = nullptr);
  void Remove(int controlId, bool pageRelative);
  // Follows a page-relative tool to where its control now is; an empty rectangle when hidden.
  void UpdateRect(int controlId, bool visible);

 private:
  TTTOOLINFOW Describe(int controlId, bool pageRelative) const;

  const platform::Dialog* dialog_ = nullptr;  // the page; its controls are looked up once
  HWND tooltip_ = nullptr;
  bool rightToLeft_ = false;
};

struct LocaliseContext {
  ProfileFile* text;
  std::u16string pageSection;   // page name + " Dialog"
  PageTooltip* tooltip;
  std::vector<HelpTopic>* help;
  bool captionMissing;
  bool readOnly;  // every control disabled
};

// How the localiser names one control: its key, whether its text is looked up (and replaced)
// by that key, and whether it gets a tooltip and a help topic.
struct ControlKey {
  std::u16string key;
  bool texted = false;
  bool tipped = false;
};
// className as the platform reports it, text as the template gave it.
ControlKey KeyOfControl(const wchar_t* className, LONG style, int id, const wchar_t* text);
// The text-file section of a control on a page whose own section is pageSection.
std::u16string ControlSection(int id, const std::u16string& pageSection);

// Runs over every child window of page.
void LocaliseChildren(HWND page, LocaliseContext& context);

}  // namespace qxge
