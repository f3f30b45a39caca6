#include "pages/deco_page.h"

#include <algorithm>
#include <string>

#include "platform/combo_box.h"
#include "platform/win_text.h"
#include "preview/decoration.h"
#include "resources/resource.h"

namespace qxge {
namespace {

using platform::ComboBox;

const char16_t* const kFrames[] = {u"(No Frame)",   u"Text Only",    u"Basic Style",  u"Film Style",  u"Modern Style",
                                   u"Present Style", u"Letter Style", u"Steel Style", u"Stripe Style", u"Wood Style"};
const int kMessageControls[] = {IDC_DECO_MESSAGE_GROUP, IDC_DECO_DATE_LABEL, IDC_DECO_DATE, IDC_DECO_NOTE_LABEL,
                                IDC_DECO_NOTE, IDC_DECO_WHITE, 0};
constexpr size_t kDateChars = 32, kNoteChars = 256;

}  // namespace

BOOL DecoPage::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  const ComboBox frames(Item(IDC_DECO_FRAME));
  for (size_t i = 0; i < std::size(kFrames); ++i) frames.Add(platform::W(ItemText(kFrames[i])), static_cast<intptr_t>(i));
  SendMessageW(Item(IDC_DECO_DATE), EM_LIMITTEXT, kDateChars, 0);
  SendMessageW(Item(IDC_DECO_NOTE), EM_LIMITTEXT, kNoteChars, 0);
  font_.Bind(*this, {IDC_FONT_FACE, IDC_FONT_STYLE, IDC_FONT_COLOR, IDC_FONT_SHADE}, true);
  return result;
}

void DecoPage::OnSetActive() {
  if (working_ == nullptr) return;
  const PrivateDevMode& p = working_->dmPrivate;
  ComboBox(Item(IDC_DECO_FRAME)).SelectByData(std::min<uint32_t>(p.FrameStyle, kLastFrameStyle));
  FontLook look;
  look.face = p.DecoStrFaceName.Read();
  if (look.face.empty()) look.face = u"Arial";
  look.weight = p.lfDecoWeight;
  look.italic = p.lfDecoItalic > 0;
  look.colour = static_cast<COLORREF>(p.DecoFontColor);
  font_.Show(look);
  Check(IDC_DECO_WHITE, p.iDecoNoteBorder >= 1);
  ApplyFrameState();
  SettingsPage::OnSetActive();
}

void DecoPage::ApplyFrameState() {
  const bool framed = ComboBox(Item(IDC_DECO_FRAME)).SelectedData() > 0;
  const PrivateDevMode& p = working_->dmPrivate;
  if (framed) {
    SetWindowTextW(Item(IDC_DECO_NOTE), platform::W(p.StrDecoNote.Read().c_str()));
    if (GetWindowTextLengthW(Item(IDC_DECO_DATE)) == 0)
      SetWindowTextW(Item(IDC_DECO_DATE), platform::W(p.StrDate.Read().c_str()));
  } else {
    SetWindowTextW(Item(IDC_DECO_NOTE), L"");
    SetWindowTextW(Item(IDC_DECO_DATE), L"");
  }
  EnableControls(kMessageControls, framed && Editable());
}

void DecoPage::OnStoreControls() {
  if (working_ == nullptr) return;
  PrivateDevMode& p = working_->dmPrivate;
  const intptr_t frame = ComboBox(Item(IDC_DECO_FRAME)).SelectedData();
  p.FrameStyle = static_cast<uint32_t>(std::max<intptr_t>(frame, 0));
  const FontLook look = font_.Chosen();
  p.lfDecoWeight = look.weight >= FW_BOLD ? FW_BOLD : FW_NORMAL;
  p.lfDecoItalic = look.italic ? 1 : 0;
  p.DecoFontColor = static_cast<uint32_t>(look.colour);
  p.DecoStrFaceName.Write(look.face);
  if (p.iDecoNoteBorder >= 0) p.iDecoNoteBorder = Checked(IDC_DECO_WHITE) ? 1 : 0;
  if (frame > 0) {
    p.StrDecoNote.Write(platform::WindowText(Item(IDC_DECO_NOTE)).substr(0, kNoteChars));
    p.StrDate.Write(platform::WindowText(Item(IDC_DECO_DATE)).substr(0, kDateChars));
  }
  SettingsPage::OnStoreControls();
}

bool DecoPage::OnCommand(int id, int code, HWND control) {
  if (font_.IsChange(id, code)) {
    OnSettingChanged();
    return true;
  }
  switch (id) {
    case IDC_DECO_FRAME:
      if (code != CBN_SELCHANGE) return true;
      ApplyFrameState();
      break;
    case IDC_DECO_DATE:
    case IDC_DECO_NOTE:
      if (code != EN_CHANGE) return true;
      break;
    case IDC_DECO_WHITE:
      if (code != BN_CLICKED) return true;
      break;
    default:
      return SettingsPage::OnCommand(id, code, control);
  }
  OnSettingChanged();
  return true;
}

}  // namespace qxge
