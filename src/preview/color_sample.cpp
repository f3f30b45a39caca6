#include "preview/color_sample.h"

#include <algorithm>

namespace qxge {
namespace {

constexpr int kNeutral = 50;

int Clamp(int v) { return std::clamp(v, 0, 255); }
// Stored levels above 100 count as 100.
int Level(uint16_t v) { return std::min<int>(v, 100); }

}  // namespace

ToneTable MakeToneTable(const PrivateDevMode& p) {
  ToneTable t{};
  const bool automatic = p.iEqualizer != 0;
  const int b = (Level(p.iBrightness) - kNeutral) * 51 / 100;
  const int c = Level(p.iContrast) - kNeutral;
  for (int i = 0; i < 256; ++i) {
    if (automatic) {
      t[i] = static_cast<uint8_t>(i);
      continue;
    }
    const int x = i + b;
    // Less contrast pulls the values toward the middle; more stretches them away from it.
    t[i] = static_cast<uint8_t>(c < 0 ? Clamp(x + ((x - 127) * c / 5) / 50)
                                      : Clamp((12800 * (x + 128) - 13056 * c) / (12800 - 51 * c) - 128));
  }
  return t;
}

ColorBalance MakeColorBalance(const PrivateDevMode& p) {
  ColorBalance balance;
  const int red = Level(p.iRed), green = Level(p.iGreen), blue = Level(p.iBlue);
  const int cyan = Level(p.iCyan), magenta = Level(p.iMagenta), yellow = Level(p.iYellow);
  const int saturation = Level(p.iSaturation);
  balance.on = red != cyan || green != magenta || blue != yellow || saturation != kNeutral;
  balance.saturation = p.iEqualizer != 0 ? 0 : saturation - kNeutral;
  balance.red = (2 * red + magenta + yellow - 200) * 16 / 50;
  balance.green = (2 * green + cyan + yellow - 200) * 16 / 50;
  balance.blue = (2 * blue + cyan + magenta - 200) * 16 / 50;
  return balance;
}

void AdjustSample(const uint8_t* original, uint8_t* out, size_t size, int width, int height, int stride, int bits,
                  const ToneTable& tones, const ColorBalance& balance) {
  if (width <= 0 || height <= 0 || stride <= 0 || (bits != 8 && bits != 24)) return;
  const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(bits / 8);
  if (rowBytes > static_cast<size_t>(stride)) return;
  for (int y = 0; y < height; ++y) {
    const size_t at = static_cast<size_t>(y) * static_cast<size_t>(stride);
    if (at + rowBytes > size) return;
    const uint8_t* from = original + at;
    uint8_t* to = out + at;
    for (size_t i = 0; i < rowBytes; ++i) to[i] = tones[from[i]];
    if (bits != 24 || !balance.on) continue;
    for (size_t px = 0; px < rowBytes; px += 3) {
      const int blue = to[px], green = to[px + 1], red = to[px + 2];
      const int grey = (29 * blue + 150 * green + 77 * red + 128) / 256;
      const int s = balance.saturation;
      to[px] = static_cast<uint8_t>(Clamp(blue + ((blue - grey) * s / 50) / 5 + balance.blue));
      to[px + 1] = static_cast<uint8_t>(Clamp(green + ((green - grey) * s / 50) / 5 + balance.green));
      to[px + 2] = static_cast<uint8_t>(Clamp(red + ((red - grey) * s / 50) / 5 + balance.red));
    }
  }
}

}  // namespace qxge
