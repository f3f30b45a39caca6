// How the targets read their input and report a broken property: an abort, so that libFuzzer
// keeps the input that broke it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "record/driver_dev_mode.h"

namespace qxge::fuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

// The input as UTF-16 units, taken piece by piece: counts first, then the texts they size.
class Utf16Input {
 public:
  Utf16Input(const uint8_t* data, size_t size) : text_(size / 2, u'\0') {
    std::memcpy(text_.data(), data, text_.size() * 2);
  }
  char16_t Unit() { return pos_ < text_.size() ? text_[pos_++] : u'\0'; }
  std::u16string Take(size_t n) {
    n = std::min(n, text_.size() - pos_);
    std::u16string s = text_.substr(pos_, n);
    pos_ += n;
    return s;
  }
  std::u16string Rest() { return Take(text_.size()); }

 private:
  std::u16string text_;
  size_t pos_ = 0;
};

// Two records from one input. a: a pattern (its length byte, then its bytes) repeated over
// the record, or zeros without one, then edits (a count byte, then offset high, offset low and
// value for each). b: a with the rest of the input as edits, or, when spread is set, a with
// every byte XORed by the next input byte (all bits for 0), so that nearly every field differs.
inline void RecordPair(const uint8_t* data, size_t size, bool spread, DriverDevMode& a, DriverDevMode& b) {
  size_t pos = 0;
  const auto next = [&]() -> uint8_t { return pos < size ? data[pos++] : 0; };
  const auto edit = [&](uint8_t* record) {
    const size_t high = next(), low = next();
    record[(high << 8 | low) % sizeof(DriverDevMode)] = next();
  };
  auto* bytesA = reinterpret_cast<uint8_t*>(&a);
  auto* bytesB = reinterpret_cast<uint8_t*>(&b);
  const size_t patternSize = std::min<size_t>(next(), size - pos);
  const uint8_t* pattern = data + pos;
  pos += patternSize;
  for (size_t i = 0; i < sizeof a; ++i) bytesA[i] = patternSize != 0 ? pattern[i % patternSize] : 0;
  for (size_t n = next(); n > 0 && pos < size; --n) edit(bytesA);
  b = a;
  if (spread) {
    const uint8_t mask = next();
    for (size_t i = 0; i < sizeof b; ++i) bytesB[i] ^= mask != 0 ? mask : 0xFF;
    return;
  }
  while (pos < size) edit(bytesB);
}

}  // namespace qxge::fuzz
