#include "pages/numeric_controls.h"

#include <imm.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "config/profile_values.h"
#include "platform/dialog.h"
#include "platform/win_text.h"

namespace qxge {

using platform::WindowText;

namespace {

// Decimal text to a number, or nothing when the text holds no number.
std::optional<int32_t> ParseWholeNumber(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
  if (i >= text.size() || text[i] < u'0' || text[i] > u'9') return std::nullopt;
  return ParseDecimalInt(text);
}

}  // namespace

std::u16string LengthText(int32_t tenths, bool inches) {
  if (!inches) return FormatDecimal((tenths + 5) / 10);
  const int32_t hundredths = (tenths * 100 + 127) / 254;
  std::u16string text = FormatDecimal(hundredths / 100) + u".";
  const int32_t cents = hundredths % 100;
  if (cents < 10) text += u'0';
  return text + FormatDecimal(cents);
}

std::optional<int32_t> ParseLength(std::u16string_view text, bool inches) {
  std::string ascii;
  for (char16_t c : text) {
    if (c > 0x7F) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  char* end = nullptr;
  const double value = std::strtod(ascii.c_str(), &end);
  if (end == ascii.c_str() || !std::isfinite(value) || std::fabs(value) > 1e6) return std::nullopt;
  return static_cast<int32_t>(std::lround(value * (inches ? 254.0 : 10.0)));
}

void EditText::Show(HWND edit, const std::u16string& text) {
  if (edit == nullptr || (!stale_ && text == text_)) return;
  showing_ = true;
  SetWindowTextW(edit, platform::W(text));
  showing_ = false;
  text_ = text;
  stale_ = false;
}

bool EditText::OwnChange() {
  if (showing_) return true;
  stale_ = true;
  return false;
}

void DisableInputMethod(HWND control) {
  if (control != nullptr) ImmAssociateContext(control, nullptr);
}

void NumberSpin::Bind(HWND page, int editId, int spinId, int32_t min, int32_t max, int limitChars) {
  edit_ = GetDlgItem(page, editId);
  spin_ = GetDlgItem(page, spinId);
  min_ = min;
  max_ = max;
  if (spin_ != nullptr) SendMessageW(spin_, UDM_SETRANGE32, min, max);
  if (edit_ != nullptr) SendMessageW(edit_, EM_LIMITTEXT, limitChars, 0);
  DisableInputMethod(edit_);
}

int32_t NumberSpin::Value() const {
  if (spin_ == nullptr) return min_;
  return static_cast<int32_t>(SendMessageW(spin_, UDM_GETPOS32, 0, 0));
}

void NumberSpin::Show(int32_t value) {
  if (spin_ != nullptr) SendMessageW(spin_, UDM_SETPOS32, 0, value);
  text_.Show(edit_, FormatDecimal(value));
}

void NumberSpin::SetValue(int32_t value) { Show(std::clamp(value, min_, max_)); }

bool NumberSpin::OnEditChange() {
  if (text_.OwnChange()) return false;
  // The text stays as typed; only the held value follows it.
  const std::optional<int32_t> typed = ParseWholeNumber(WindowText(edit_));
  if (!typed || spin_ == nullptr) return false;
  SendMessageW(spin_, UDM_SETPOS32, 0, std::clamp(*typed, min_, max_));
  return true;
}

bool NumberSpin::OnKillFocus() {
  OnEditChange();
  Show(Value());
  return true;
}

bool NumberSpin::OnDelta(const NMUPDOWN& change) {
  Show(static_cast<int32_t>(std::clamp<int64_t>(int64_t{Value()} + change.iDelta, min_, max_)));
  return true;
}

void LengthSpin::Bind(HWND page, int editId, int spinId, int32_t min, int32_t max) {
  edit_ = GetDlgItem(page, editId);
  min_ = min;
  max_ = max;
  // The steps are ours (1 mm in both units), so the up-down's own range only has to move.
  if (HWND spin = GetDlgItem(page, spinId)) SendMessageW(spin, UDM_SETRANGE32, -1000000, 1000000);
  DisableInputMethod(edit_);
}

void LengthSpin::SetUnit(bool inches, int limitChars) {
  inches_ = inches;
  if (edit_ != nullptr) SendMessageW(edit_, EM_LIMITTEXT, limitChars, 0);
  Show();
}

void LengthSpin::SetValue(int32_t tenths) {
  value_ = std::clamp(tenths, min_, max_);
  Show();
}

void LengthSpin::Show() { text_.Show(edit_, LengthText(value_, inches_)); }

bool LengthSpin::OnEditChange() {
  // A shown length is rounded: reading our own text back would change the value.
  if (text_.OwnChange()) return false;
  const std::optional<int32_t> typed = ParseLength(WindowText(edit_), inches_);
  if (!typed) return false;
  value_ = std::clamp(*typed, min_, max_);
  return true;
}

bool LengthSpin::OnKillFocus() {
  OnEditChange();
  Show();
  return true;
}


bool LengthSpin::OnDelta(const NMUPDOWN& change) {
  const int64_t step = change.iDelta > 0 ? 10 : change.iDelta < 0 ? -10 : 0;
  value_ = static_cast<int32_t>(std::clamp<int64_t>(value_ + step, min_, max_));
  Show();
  return true;
}

bool FilterAccepts(EditFilter filter, std::u16string_view text) {
  int dots = 0;
  for (char16_t c : text) {
    const bool digit = c >= u'0' && c <= u'9';
    const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    switch (filter) {
      case EditFilter::Decimal:
        if (c == u'.' && ++dots <= 1) continue;
        if (!digit) return false;
        break;
      case EditFilter::Digits:
        if (!digit) return false;
        break;
      case EditFilter::Alnum:
        if (!digit && !letter) return false;
        break;
    }
  }
  return true;
}

namespace {

constexpr DWORD_PTR kSecretFlag = 0x100;

// Every way a user changes an edit's text: typing (Ctrl+V among the characters), pasting,
// undoing, the editing keys (Shift+Ins, Delete) and the edit's own context menu.
bool MayChangeText(UINT message) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_PASTE:
    case WM_UNDO:
    case EM_UNDO:
    case WM_KEYDOWN:
    case WM_CONTEXTMENU:
      return true;
    default:
      return false;
  }
}

// A secret leaves its edit by no copy: not by message, key or menu.
bool CopiesOut(UINT message, WPARAM wParam) {
  if (message == WM_COPY || message == WM_CUT || message == WM_CONTEXTMENU) return true;
  if (message == WM_CHAR) return wParam == 0x03 || wParam == 0x18;  // Ctrl+C, Ctrl+X
  if (message != WM_KEYDOWN) return false;
  const bool control = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  return (wParam == VK_INSERT && control) || (wParam == VK_DELETE && shift);
}

LRESULT CALLBACK FilterProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, FilterProc, 1);
  if ((data & kSecretFlag) != 0 && CopiesOut(message, wParam)) return 0;
  if (!MayChangeText(message)) return DefSubclassProc(edit, message, wParam, lParam);
  // Remember the text and selection, let the edit take the keystroke, and put both back
  // when the result is not acceptable.
  const std::u16string before = WindowText(edit);
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
  if (!FilterAccepts(static_cast<EditFilter>(data & ~kSecretFlag), WindowText(edit))) {
    SendMessageW(edit, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(edit, platform::W(before));
    SendMessageW(edit, EM_SETSEL, start, end);
    SendMessageW(edit, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(edit, nullptr, TRUE);
  }
  return result;
}

}  // namespace

void InstallEditFilter(HWND edit, EditFilter filter, bool secret) {
  if (edit == nullptr) return;
  SetWindowSubclass(edit, FilterProc, 1, static_cast<DWORD_PTR>(filter) | (secret ? kSecretFlag : 0));
  DisableInputMethod(edit);
}

}  // namespace qxge
