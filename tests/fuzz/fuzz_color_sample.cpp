// A sample picture as a damaged file may describe it (any size, row length and depth, fewer
// bytes than it claims) adjusted with any record levels: never a read or write past the picture.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "preview/color_sample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 16) return 0;
  int16_t shape[4];
  std::memcpy(shape, data, sizeof shape);
  uint16_t levels[4];
  std::memcpy(levels, data + 8, sizeof levels);
  data += 16;
  size -= 16;
  qxge::PrivateDevMode p{};
  p.iBrightness = levels[0];
  p.iContrast = levels[1];
  p.iSaturation = levels[2];
  p.iRed = levels[3];
  p.iCyan = static_cast<uint16_t>(levels[3] ^ 0x5A);
  p.iEqualizer = levels[0] & 1u;
  const std::vector<uint8_t> original(data, data + size);
  std::vector<uint8_t> out(size);
  const int bits = (shape[3] & 1) != 0 ? 24 : 8;
  qxge::AdjustSample(original.data(), out.data(), out.size(), shape[0], shape[1], shape[2], bits,
                     qxge::MakeToneTable(p), qxge::MakeColorBalance(p));
  return 0;
}
