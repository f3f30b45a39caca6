#include "pages/extras_rules.h"

#include <algorithm>

#include "config/model_features.h"

namespace qxge {
namespace {

constexpr int kPasswordChars = 8, kSecurePasswordChars = 20;

bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

int DaysIn(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

void AppendTwoDigits(std::u16string& text, int value) {
  text += static_cast<char16_t>(u'0' + value / 10);
  text += static_cast<char16_t>(u'0' + value % 10);
}

}  // namespace

int WantedOptionRows(const ModelFeatures& m) {
  const auto has = [](int32_t feature) { return feature != 0 ? 1 : 0; };
  return has(m.ExtrasReprintJam) + has(m.PaperBannerSheet != 0 && m.LayoutMore == 0) + has(m.ExtrasQuickPrint) +
         has(m.ExtrasPrintTime) + has(m.ExtrasPrinterFont) + 2 * has(m.ExtrasSaveAsForm);
}

bool OptionsFitOnPage(const ModelFeatures& m, int freeRows) {
  const auto lacks = [](int32_t feature) { return feature == 0 ? 1 : 0; };
  const int freed = lacks(m.ExtrasPageOrder) + lacks(m.ExtrasDestination) + lacks(m.PrinterStapler);
  return WantedOptionRows(m) <= freeRows + freed;
}

JobRetention DecodeJobRetention(int32_t value) {
  const int16_t v = static_cast<int16_t>(std::clamp(value, 0, 9));
  if (v < kHoldDelay && v % 2 == 1) return {static_cast<int16_t>(v - 1), true};
  return {v, false};
}

int16_t EncodeJobRetention(JobRetention retention) {
  return static_cast<int16_t>(retention.mode + (retention.store && retention.mode < kHoldDelay ? 1 : 0));
}

std::optional<PrintTime> ParsePrintTime(std::u16string_view text) {
  // Each field as "%d" takes it: blanks, a sign, digits; a field that is not there ends the
  // reading and leaves itself and the rest 0.
  int fields[6] = {};
  size_t at = 0;
  for (int i = 0; i < 6; ++i) {
    if (i > 0) {
      if (at >= text.size() || text[at] != u':') break;
      ++at;
    }
    while (at < text.size() && (text[at] == u' ' || (text[at] >= u'\t' && text[at] <= u'\r'))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
    if (at >= text.size() || !IsAsciiDigit(text[at])) break;
    int64_t value = 0;
    for (; at < text.size() && IsAsciiDigit(text[at]); ++at) {
      value = value * 10 + (text[at] - u'0');
      if (value > 99999) return std::nullopt;  // no field of a date runs this long
    }
    fields[i] = static_cast<int>(negative ? -value : value);
  }
  const PrintTime time{fields[0], fields[1], fields[2], fields[3], fields[4]};
  // The pickers hold years from 1601; the record's text has room for four digits.
  const bool valid = time.year >= 1601 && time.year <= 9999 && time.month >= 1 && time.month <= 12 &&
                     time.day >= 1 && time.day <= DaysIn(time.year, time.month) && time.hour >= 0 &&
                     time.hour <= 23 && time.minute >= 0 && time.minute <= 59 && fields[5] >= 0 && fields[5] <= 59;
  if (!valid) return std::nullopt;
  return time;
}

std::u16string FormatPrintTime(const PrintTime& time) {
  std::u16string text;
  const int year = std::clamp(time.year, 0, 9999);
  AppendTwoDigits(text, year / 100);
  AppendTwoDigits(text, year % 100);
  for (int part : {time.month, time.day, time.hour, time.minute}) {
    text += u':';
    AppendTwoDigits(text, std::clamp(part, 0, 99));
  }
  return text;
}

PasscodeLimits PasscodeLimitsFor(int32_t minLength, int32_t maxLength) {
  PasscodeLimits limits;
  limits.secureField = maxLength > kPasswordChars;
  const int field = limits.secureField ? kSecurePasswordChars : kPasswordChars;
  limits.max = maxLength >= 1 && maxLength <= field ? maxLength : field;
  limits.min = std::clamp<int32_t>(minLength, 1, limits.max);
  return limits;
}

bool IsDigits(std::u16string_view text) { return std::all_of(text.begin(), text.end(), IsAsciiDigit); }

bool PasscodeAccepted(std::u16string_view code, std::u16string_view confirmation, const PasscodeLimits& limits) {
  return IsDigits(code) && code == confirmation && code.size() >= static_cast<size_t>(limits.min) &&
         code.size() <= static_cast<size_t>(limits.max);
}

std::u16string StoredPasscode(std::u16string_view stored, const PasscodeLimits& limits) {
  if (!IsDigits(stored) || stored.size() > static_cast<size_t>(limits.max)) return {};
  return std::u16string(stored);
}

std::u16string HoldName(std::u16string_view typed, std::u16string_view fallback) {
  const bool usable = !typed.empty() && std::all_of(typed.begin(), typed.end(), [](char16_t c) {
    return IsAsciiDigit(c) || IsAsciiLetter(c);
  });
  return std::u16string(usable ? typed : fallback);
}

int16_t CloneFromType(intptr_t typeData) {
  return static_cast<int16_t>(typeData >= 7 && typeData <= 10 ? typeData - 6 : 0);
}

intptr_t TypeFromClone(int32_t clone) { return clone == 0 ? 0 : std::clamp<int64_t>(int64_t{clone} + 6, 7, 10); }

}  // namespace qxge
