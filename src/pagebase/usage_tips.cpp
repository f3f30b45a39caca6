// The option usage tips and the module's six message boxes, with their English defaults; the
// text file may replace every one of them.
#include <windows.h>

#include "app/driver_ui_app.h"
#include "config/profile_file.h"
#include "config/profile_values.h"
#include "config/text_format.h"
#include "pagebase/settings_page.h"
#include "platform/win_text.h"
#include "printer/paper_names.h"

namespace qxge {
namespace {

enum class TipList { None, DoubleSidedPapers, DoubleSidedMedias, PaperIndex };

struct UsageTip {
  const char16_t* text;  // "%s" takes the names of list
  TipList list;
};

constexpr int kUsageTipCount = 18;

struct MessageSpec {
  const char16_t* titleKey;  // also the title's default
  const char16_t* messageKey;
  const char16_t* text;
  unsigned style;  // buttons and icon
};

constexpr int kMessageCount = 6;

const UsageTip kTips[kUsageTipCount] = {
    {u"To enable Scaling, click the Layout tab, set the Layout Options Type to Multiple Pages per Side and change the Pages per Side to 1.", TipList::None},
    {u"To enable Layout Options, click the Paper tab, set the Scaling Type to Reduce/Enlarge and change the Percentage to 100%.", TipList::None},
    {u"To enable Layout Options, click the Paper tab, set the Scaling Type to None or Reduce/Enlarge and change the Percentage to 100%.", TipList::None},
    {u"To enable Print and Hold Options, click the Printer tab, check Optional Hard Disk Drive (HDD).", TipList::None},
    {u"To enable Scale Factor, choose \"Custom\" in the Page Layout drop-down list.", TipList::None},
    {u"To enable Separator, choose \"Transparency\" in the Type drop-down list.", TipList::None},
    {u"To enable Double-sided Printing, click the Paper tab and change the Size to one of the following: %s.", TipList::DoubleSidedPapers},
    {u"To enable Double-sided Printing, set the Layout Options Type to anything except Poster and Booklet Printing.", TipList::None},
    {u"To enable Layout Options, choose 0 or 180 degrees in the Rotate drop-down list.", TipList::None},
    {u"To enable Scaling, click the Layout tab and choose 0 or 180 degrees in the Rotate drop-down list.", TipList::None},
    {u"To enable Scaling, click the Layout tab, set the Layout Options Type to None or Multiple Pages per Side and change the Pages per Side to 1.", TipList::None},
    {u"To enable Double-sided Printing, click the Printer tab, check Duplex Unit.", TipList::None},
    {u"To enable Double-sided Printing, click the Paper tab and change the Type to one of the following: %s.", TipList::DoubleSidedMedias},
    {u"To enable 1200 dpi (Best), click the Layout tab, set the Layout Options Type to anything except Poster.", TipList::None},
    {u"To enable Color Mode, click the Paper tab and change the Type to to anything except Transparency.", TipList::None},
    {u"To enable Scaling Type, change the Size to anything except following: %s.", TipList::PaperIndex},
    {u"To enable Overlay, change the network printer port to local one.", TipList::None},
    {u"To enable Double-sided Printing, click the Paper tab and change the Target Page to one of the following: %s.", TipList::DoubleSidedPapers},
};

const MessageSpec kMessages[kMessageCount] = {
    {u"Name Required", u"NameRequiredMsg", u"Please enter a name for this favorite.", MB_OK | MB_ICONEXCLAMATION},
    {u"Name Exists", u"NameExistsMsg", u"This name already exists, do you want to overwrite the favorite?", MB_YESNO | MB_ICONQUESTION},
    {u"Are You Sure", u"AreYouSureMsg", u"Are you sure you want to delete this favorite?", MB_YESNO | MB_ICONQUESTION},
    {u"Save Changes", u"SaveChangesMsg", u"Do you want to save changes?", MB_YESNOCANCEL | MB_ICONQUESTION},
    {u"Are You Sure", u"AreYouSureMsg", u"Are you sure you want to delete this overlay?", MB_YESNO | MB_ICONQUESTION},
    {u"Invalid Passcode", u"InvalidPasscodeMsg",
     u"You must enter a %d-%d digit passcode and re-enter it for confirmation in order to use the Secure Print feature.",
     MB_OK | MB_ICONEXCLAMATION},
};

constexpr size_t kTipChars = 1024;
constexpr size_t kMessageChars = 255;

}  // namespace

std::vector<KeyedText> UsageTipTexts() {
  std::vector<KeyedText> texts;
  for (int i = 0; i < kUsageTipCount; ++i) texts.push_back({u"OptionUsageTipMsg" + FormatDecimal(i + 1), kTips[i].text});
  return texts;
}

std::vector<KeyedText> MessageTexts(int number) {
  if (number < 0 || number >= kMessageCount) return {};
  const MessageSpec& box = kMessages[number];
  return {{box.titleKey, box.titleKey}, {box.messageKey, box.text}};
}

void SettingsPage::SetOptionUsageTip(int controlId, int tipIndex, bool show, int secondId) {
  if (!show) {
    tooltip_.Remove(controlId, true);
    return;
  }
  if (tipIndex < 0 || tipIndex >= kUsageTipCount || Item(controlId) == nullptr) return;
  const UsageTip& tip = kTips[tipIndex];
  ProfileFile& text = App().TextFile();
  text.SetSection(u"");
  std::u16string message = text.ReadText(u"OptionUsageTipMsg" + FormatDecimal(tipIndex + 1), tip.text);
  if (tip.list != TipList::None && working_ != nullptr) {
    const ModelFeatures& model = App().Features();
    PrinterPaperNames names(*working_);
    const std::u16string list = tip.list == TipList::DoubleSidedMedias ? names.MediaNames(model.DoubleSidedMedias)
                                : tip.list == TipList::PaperIndex     ? names.PaperNames(model.PaperIndex)
                                                                      : names.PaperNames(model.DoubleSidedPapers);
    message = FormatText(message, {list}, kTipChars);
  }
  tooltip_.SetText(controlId, true, message, secondId);
}

int SettingsPage::ShowMessage(int number, const char16_t* section) {
  if (number < 0 || number >= kMessageCount) return 0;
  const MessageSpec& box = kMessages[number];
  ProfileFile& text = App().TextFile();
  text.SetSection(section != nullptr ? section : u"");
  std::u16string message = text.ReadText(box.messageKey, box.text);
  const std::u16string title = text.ReadText(box.titleKey, box.titleKey);
  if (number == 5) {
    const ModelFeatures& model = App().Features();
    message = FormatText(message, {model.ExtrasMinPassLen, model.ExtrasMaxPassLen}, kMessageChars);
  }
  const UINT rtl = App().Features().MirrorLayout != 0 ? MB_RTLREADING : 0;
  return MessageBoxW(Handle(), platform::W(message), platform::W(title), box.style | rtl);
}

}  // namespace qxge
