// The print time and passcode of a held job come from records of any origin; their readers must
// take anything, and what they accept must write back as it was read.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_input.h"
#include "pages/extras_rules.h"

using qxge::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  int16_t minLength, maxLength;
  std::memcpy(&minLength, data, 2);
  std::memcpy(&maxLength, data + 2, 2);
  qxge::fuzz::Utf16Input input(data + 4, size - 4);
  const std::u16string text = input.Rest();

  if (const auto time = qxge::ParsePrintTime(text)) {
    const std::u16string shown = qxge::FormatPrintTime(*time);
    Check(shown.size() == 16);
    const auto again = qxge::ParsePrintTime(shown);
    Check(again && qxge::FormatPrintTime(*again) == shown);
  }

  const qxge::PasscodeLimits limits = qxge::PasscodeLimitsFor(minLength, maxLength);
  Check(limits.min >= 1 && limits.min <= limits.max && limits.max <= (limits.secureField ? 20 : 8));
  const std::u16string shown = qxge::StoredPasscode(text, limits);
  Check(shown.empty() || (shown == text && qxge::IsDigits(shown)));
  if (qxge::PasscodeAccepted(text, text, limits))
    Check(qxge::IsDigits(text) && text.size() >= static_cast<size_t>(limits.min) && qxge::StoredPasscode(text, limits) == text);

  const std::u16string name = qxge::HoldName(text, u"Untitled");
  Check(name == text || name == u"Untitled");
  const qxge::JobRetention retention = qxge::DecodeJobRetention(minLength);
  const int16_t code = qxge::EncodeJobRetention(retention);
  Check(code >= 0 && code <= 9 && qxge::EncodeJobRetention(qxge::DecodeJobRetention(code)) == code);
  return 0;
}
