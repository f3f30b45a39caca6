#include "config/dialog_localiser.h"

#include <commctrl.h>

#include "config/control_keys.h"
#include "config/profile_file.h"
#include "platform/tooltip_relay.h"
#include "platform/win_text.h"
#include "resources/resource.h"

namespace qxge {

using platform::U;
using platform::W;

HelpTopic MakeHelpTopic(ProfileFile& text, int controlId, const std::u16string& key, bool writeDefault) {
  HelpTopic help;
  help.controlId = controlId;
  help.contextId = text.ReadInt(key, NoDefault);
  if (help.contextId == 0) {
    char16_t buffer[256];
    const size_t n = text.ReadString(key, buffer, 256, writeDefault ? u"" : nullptr);
    help.topic.assign(buffer, n);
  }
  return help;
}

PageTooltip::~PageTooltip() {
  if (tooltip_ == nullptr) return;
  platform::DetachTooltipRelay(tooltip_);
  if (IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

void PageTooltip::Create(const platform::Dialog& page, bool rightToLeft) {
  dialog_ = &page;
  rightToLeft_ = rightToLeft;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, page.Handle(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (tooltip_ == nullptr) return;
  SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(GetDoubleClickTime() * 2, 0));
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 300);
  platform::AttachTooltipRelay(page.Handle(), tooltip_);
}

TTTOOLINFOW PageTooltip::Describe(int controlId, bool pageRelative) const {
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = rightToLeft_ ? TTF_RTLREADING : 0;
  tool.uId = static_cast<UINT_PTR>(controlId);
  const HWND control = dialog_->Item(controlId);
  if (pageRelative) {
    tool.hwnd = dialog_->Handle();
    if (control != nullptr) {
      GetWindowRect(control, &tool.rect);
      MapWindowPoints(nullptr, dialog_->Handle(), reinterpret_cast<POINT*>(&tool.rect), 2);
    }
  } else {
    tool.hwnd = control;
    if (control != nullptr) GetClientRect(control, &tool.rect);
  }
  return tool;
}

void PageTooltip::SetText(int controlId, bool pageRelative, const std::u16string& text, int extraId, const RECT* area) {
  if (tooltip_ == nullptr || dialog_->Item(controlId) == nullptr) return;
  TTTOOLINFOW tool = Describe(controlId, pageRelative);
  if (area != nullptr && !pageRelative) tool.rect = *area;
  if (extraId != 0 && pageRelative) {
    const TTTOOLINFOW extra = Describe(extraId, true);
    if (dialog_->Item(extraId) != nullptr) UnionRect(&tool.rect, &tool.rect, &extra.rect);
  }
  TTTOOLINFOW existing = tool;
  if (SendMessageW(tooltip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing)))
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  std::u16string copy = text;
  tool.lpszText = platform::W(&copy[0]);
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void PageTooltip::Remove(int controlId, bool pageRelative) {
  if (tooltip_ == nullptr || dialog_->Item(controlId) == nullptr) return;
  TTTOOLINFOW tool = Describe(controlId, pageRelative);
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void PageTooltip::UpdateRect(int controlId, bool visible) {
  if (tooltip_ == nullptr || dialog_->Item(controlId) == nullptr) return;
  TTTOOLINFOW tool = Describe(controlId, true);
  if (!visible) SetRectEmpty(&tool.rect);
  SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

namespace {

enum class Kind { Other, Static, Button, Edit, DatePicker, Icon };

Kind Classify(const wchar_t* className, LONG style) {
  if (lstrcmpiW(className, WC_STATICW) == 0) return (style & SS_TYPEMASK) == SS_ICON ? Kind::Icon : Kind::Static;
  if (lstrcmpiW(className, WC_BUTTONW) == 0) return Kind::Button;
  if (lstrcmpiW(className, WC_EDITW) == 0) return Kind::Edit;
  if (lstrcmpiW(className, DATETIMEPICK_CLASSW) == 0) return Kind::DatePicker;
  return Kind::Other;
}

void LocaliseChild(HWND child, LocaliseContext& c) {
  const int id = GetDlgCtrlID(child);
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  wchar_t className[256] = {};
  if (GetClassNameW(child, className, 256) == 0) lstrcpyW(className, L"CTRL");
  wchar_t text[256] = {};
  GetWindowTextW(child, text, 256);
  const ControlKey control = KeyOfControl(className, style, id, text);

  c.text->SetSection(ControlSection(id, c.pageSection));
  if (control.texted) {
    const std::u16string shown = DefaultFromText(U(text));
    char16_t value[256];
    const size_t n = c.text->ReadString(control.key, value, 256, shown.c_str());
    value[n] = u'\0';
    SetWindowTextW(child, W(value));
  }
  if (control.tipped) {
    const std::u16string tipKey = KeyWithSuffix(control.key, u" tooltip");
    char16_t tip[256];
    const size_t n = c.text->ReadString(tipKey, tip, 256, c.captionMissing ? tipKey.c_str() : nullptr);
    if (n != 0) {
      // Statics without SS_NOTIFY see no mouse: their tip belongs to the page area they cover.
      const bool pageRelative = Classify(className, style) == Kind::Static && (style & SS_NOTIFY) == 0;
      c.tooltip->SetText(id, pageRelative, std::u16string(tip, n));
    }
    c.help->push_back(MakeHelpTopic(*c.text, id, KeyWithSuffix(control.key, u" topic"), c.captionMissing));
  }
  if (c.readOnly) EnableWindow(child, FALSE);
}

BOOL CALLBACK LocaliseEnumerated(HWND child, LPARAM data) {
  // Nothing may unwind through the system's enumeration; a control that failed keeps its
  // template text.
  try {
    LocaliseChild(child, *reinterpret_cast<LocaliseContext*>(data));
  } catch (...) {
  }
  return TRUE;
}

}  // namespace

ControlKey KeyOfControl(const wchar_t* className, LONG style, int id, const wchar_t* text) {
  const Kind kind = Classify(className, style);
  ControlKey control;
  control.texted = text != nullptr && text[0] != L'\0' && kind != Kind::Icon && kind != Kind::Edit &&
                   kind != Kind::DatePicker;
  control.key = control.texted ? KeyFromText(U(text)) : ClassKey(kind == Kind::Icon ? u"ICON" : U(className), id);
  const bool groupBox = kind == Kind::Button && (style & BS_TYPEMASK) == BS_GROUPBOX;
  control.tipped = id != -1 && id != 0xFFFF && !groupBox;
  return control;
}

std::u16string ControlSection(int id, const std::u16string& pageSection) {
  switch (id) {
    case IDC_UNITS_INCH:
    case IDC_UNITS_MM:
      return u"Preview";
    case IDC_FAVORITES_FRAME:
    case IDC_FAVORITES:
    case IDC_FAVORITE_DELETE:
    case IDC_FAVORITE_RENAME:
    case IDC_FAVORITE_SAVE:
      return u"";
    default:
      return pageSection;
  }
}

void LocaliseChildren(HWND page, LocaliseContext& context) {
  EnumChildWindows(page, LocaliseEnumerated, reinterpret_cast<LPARAM>(&context));
}

}  // namespace qxge
