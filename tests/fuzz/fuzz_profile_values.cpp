// Integer texts come from files and the registry that anyone may have edited.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "config/profile_values.h"
#include "fuzz_input.h"

using qxge::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  const size_t bound = data[0] % 64;
  int32_t number;
  std::memcpy(&number, data + 1, sizeof number);
  data += 5;
  size -= 5;

  const std::u16string text = qxge::fuzz::Utf16Input(data, size).Rest();

  qxge::ParseAutoBaseInt(text);
  qxge::ParseDecimalInt(text);
  const std::vector<int32_t> list = qxge::ParseIntList(text, bound);
  Check(list.size() <= bound);
  // A smaller bound only cuts the list short.
  const std::vector<int32_t> whole = qxge::ParseIntList(text, 1u << 20);
  Check(list.size() == std::min(whole.size(), bound));
  Check(std::equal(list.begin(), list.end(), whole.begin()));

  // Whatever write-back writes must read back as the same number.
  Check(qxge::ParseAutoBaseInt(qxge::FormatProfileInt(number)) == number);
  Check(qxge::ParseDecimalInt(qxge::FormatDecimal(number)) == number);
  return 0;
}
