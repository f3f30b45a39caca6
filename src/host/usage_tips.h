// The texts of the option usage tips and of the module's six message boxes, with their
// English defaults; the text file may replace every one of them.
#pragma once

namespace qxge {

enum class TipList { None, DoubleSidedPapers, DoubleSidedMedias, PaperIndex };

struct UsageTip {
  const char16_t* text;  // "%s" takes the names of list
  TipList list;
};

constexpr int kUsageTipCount = 18;
// index: the tip's number minus one (0..17).
const UsageTip& UsageTipFor(int index);

struct MessageSpec {
  const char16_t* titleKey;  // also the title's default
  const char16_t* messageKey;
  const char16_t* text;
  unsigned style;  // buttons and icon
};

constexpr int kMessageCount = 6;
const MessageSpec& MessageFor(int number);

}  // namespace qxge
