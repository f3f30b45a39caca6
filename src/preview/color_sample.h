// How the colour adjustments change a picture: a tone table for brightness and contrast, and
// for colour pictures saturation and colour balance pixel by pixel. Integer arithmetic that
// truncates toward zero, every result held to 0..255.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "record/driver_dev_mode.h"

namespace qxge {

using ToneTable = std::array<uint8_t, 256>;

// The identity while Auto Adjustment is on.
ToneTable MakeToneTable(const PrivateDevMode& p);

struct ColorBalance {
  bool on = false;     // only a colour balance or saturation away from neutral changes pixels
  int saturation = 0;  // -50..50; 0 while Auto Adjustment is on
  int red = 0, green = 0, blue = 0;  // terms added to each channel, -64..64
};
ColorBalance MakeColorBalance(const PrivateDevMode& p);

// Writes into out the picture original (rows of stride bytes, 8 or 24 bits a pixel, size bytes
// in all) with every byte through the tone table and, for 24-bit pixels, the balance applied.
void AdjustSample(const uint8_t* original, uint8_t* out, size_t size, int width, int height, int stride, int bits,
                  const ToneTable& tones, const ColorBalance& balance);

}  // namespace qxge
