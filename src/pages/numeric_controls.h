// Number entry controls built from an edit and its up-down: the value is clamped while the
// user types and written back when the edit loses focus; filters that refuse a keystroke
// restore the text as it was. Input-method editing is off in all of them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qxge {

// Lengths in tenths of a millimetre shown as whole millimetres or inches with two decimals.
std::u16string LengthText(int32_t tenths, bool inches);
std::optional<int32_t> ParseLength(std::u16string_view text, bool inches);

// What a spin last wrote into its edit. Wine keeps every window text with its server, so a
// refill that shows the same text again leaves the edit alone; typing makes the record stale.
class EditText {
 public:
  void Show(HWND edit, const std::u16string& text);
  // True when the edit reports our own text as a change; otherwise the user typed.
  bool OwnChange();

 private:
  std::u16string text_;
  bool stale_ = true, showing_ = false;
};

class NumberSpin {
 public:
  void Bind(HWND page, int editId, int spinId, int32_t min, int32_t max, int limitChars);
  void SetValue(int32_t value);
  int32_t Value() const;
  // The handlers the page routes to; each gives true when the value may have changed.
  bool OnEditChange();
  bool OnKillFocus();
  bool OnDelta(const NMUPDOWN& change);
  // An edit notification: typing or leaving the field.
  bool OnEditCommand(int code) { return code == EN_CHANGE ? OnEditChange() : code == EN_KILLFOCUS && OnKillFocus(); }

 private:
  void Show(int32_t value);
  HWND edit_ = nullptr, spin_ = nullptr;
  EditText text_;
  int32_t min_ = 0, max_ = 0;
};

class LengthSpin {
 public:
  void Bind(HWND page, int editId, int spinId, int32_t min, int32_t max);
  // The unit only changes how the value is shown, never the value; limitChars 0 sets no limit.
  void SetUnit(bool inches, int limitChars);
  void SetValue(int32_t tenths);
  int32_t Value() const { return value_; }
  bool OnEditChange();
  bool OnKillFocus();
  bool OnDelta(const NMUPDOWN& change);
  bool OnEditCommand(int code) { return code == EN_CHANGE ? OnEditChange() : code == EN_KILLFOCUS && OnKillFocus(); }

 private:
  void Show();
  HWND edit_ = nullptr;
  EditText text_;
  int32_t min_ = 0, max_ = 0, value_ = 0;
  bool inches_ = false;
};

// Keystroke filters for edits: the text must stay digits with at most one '.', digits only,
// or ASCII letters and digits; an empty text is always accepted. Typed, pasted and undone text
// are all filtered; a secret edit gives nothing to the clipboard.
enum class EditFilter { Decimal, Digits, Alnum };
bool FilterAccepts(EditFilter filter, std::u16string_view text);
void InstallEditFilter(HWND edit, EditFilter filter, bool secret = false);

// Switches input-method editing off for a control that takes only numbers or codes.
void DisableInputMethod(HWND control);

}  // namespace qxge
