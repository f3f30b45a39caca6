// The rules of the Extras, Output and Print and Hold forms that need no window: where the output
// options go, how job retention is coded, the delayed print time and what a passcode or a held
// job's name must be. Text is UTF-16 as in the record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qxge {

struct ModelFeatures;

// The rows the model's output options take (Save As Form takes two, the banner sheet none on a
// model whose Paper page has it) against those a page has: its free rows and one for each list
// the model lacks. Either all options fit on the page or all go to the More Options dialog.
int WantedOptionRows(const ModelFeatures& m);
bool OptionsFitOnPage(const ModelFeatures& m, int freeRows);

// Print and Hold modes, as the record codes them.
enum HoldMode : int16_t { kHoldNormal = 0, kHoldProof = 2, kHoldConfidential = 4, kHoldStore = 6, kHoldDelay = 8, kHoldSpool = 9 };
struct JobRetention {
  int16_t mode = kHoldNormal;
  bool store = false;  // "Store Print Job", or "Store in Public" for Store
};
// Any stored value reads as one of the ten the dialog writes.
JobRetention DecodeJobRetention(int32_t value);
int16_t EncodeJobRetention(JobRetention retention);

// The delayed print time, "YYYY:MM:DD:HH:MM" in the record.
struct PrintTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};
// Read as "%d:%d:%d:%d:%d:%d" reads it (missing fields 0); nothing when the text holds no real
// date and time.
std::optional<PrintTime> ParsePrintTime(std::u16string_view text);
std::u16string FormatPrintTime(const PrintTime& time);

// The model's passcode lengths made usable: the longest fits the field it selects (8 units in
// one, 20 in the other) and the shortest lies between 1 and the longest.
struct PasscodeLimits {
  int min = 1, max = 8;
  bool secureField = false;  // the 20-unit field
};
PasscodeLimits PasscodeLimitsFor(int32_t minLength, int32_t maxLength);
bool IsDigits(std::u16string_view text);
// Digits only, as long as the limits ask, and the same twice.
bool PasscodeAccepted(std::u16string_view code, std::u16string_view confirmation, const PasscodeLimits& limits);
// What a stored passcode may show: itself when the dialog could have written it, else nothing.
std::u16string StoredPasscode(std::u16string_view stored, const PasscodeLimits& limits);

// A held job's user or job name: ASCII letters and digits, else the fallback word.
std::u16string HoldName(std::u16string_view typed, std::u16string_view fallback);

// The Output page's type list: item data 0 ("Multiple Pages per Side") or 7..10 for the four
// clone sizes, against the record's iClone 0 or 1..4.
int16_t CloneFromType(intptr_t typeData);
intptr_t TypeFromClone(int32_t clone);

}  // namespace qxge
