#include "preview/color_sample.h"

#include <gtest/gtest.h>

#include <vector>

namespace qxge {
namespace {

PrivateDevMode Neutral() {
  PrivateDevMode p{};
  p.iBrightness = p.iContrast = p.iSaturation = 50;
  p.iRed = p.iGreen = p.iBlue = p.iCyan = p.iMagenta = p.iYellow = 50;
  return p;
}

TEST(ColorSample, NeutralOrAutomaticLeavesThePictureAsItIs) {
  PrivateDevMode p = Neutral();
  const ToneTable neutral = MakeToneTable(p);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(neutral[i], i);
  EXPECT_FALSE(MakeColorBalance(p).on);
  p.iBrightness = 90;
  p.iContrast = 0;
  p.iSaturation = 100;
  p.iEqualizer = 1;
  const ToneTable automatic = MakeToneTable(p);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(automatic[i], i);
  EXPECT_EQ(MakeColorBalance(p).saturation, 0);
}

TEST(ColorSample, BrightnessAndContrastAsComputedByHand) {
  PrivateDevMode p = Neutral();
  p.iContrast = 100;  // stretched around the middle
  ToneTable t = MakeToneTable(p);
  EXPECT_EQ(t[128], 128);
  EXPECT_EQ(t[200], 217);
  EXPECT_EQ(t[0], 0);    // -32, held
  EXPECT_EQ(t[255], 255);  // 286, held
  p.iContrast = 0;  // pulled toward the middle
  t = MakeToneTable(p);
  EXPECT_EQ(t[227], 207);
  EXPECT_EQ(t[27], 47);
  EXPECT_EQ(t[0], 25);
  p = Neutral();
  p.iBrightness = 100;
  t = MakeToneTable(p);
  EXPECT_EQ(t[0], 25);
  EXPECT_EQ(t[240], 255);
  p.iBrightness = 0;  // -25.5 truncates to -25
  t = MakeToneTable(p);
  EXPECT_EQ(t[30], 5);
  EXPECT_EQ(t[10], 0);
  p.iBrightness = 60000;  // counts as 100
  EXPECT_EQ(MakeToneTable(p)[0], 25);
}

TEST(ColorSample, ColourPixelsTakeTheBalanceAndGreyOnesOnlyTheTones) {
  PrivateDevMode p = Neutral();
  p.iRed = 100;
  p.iCyan = 0;  // all the way to red
  const ColorBalance balance = MakeColorBalance(p);
  EXPECT_TRUE(balance.on);
  EXPECT_EQ(balance.red, 32);
  EXPECT_EQ(balance.green, -16);
  EXPECT_EQ(balance.blue, -16);
  // Two rows of two pixels, padded to 8 bytes a row.
  const std::vector<uint8_t> original = {10, 20, 30, 200, 200, 250, 0, 0, 100, 100, 100, 0, 0, 0, 0, 0};
  std::vector<uint8_t> out(original.size());
  AdjustSample(original.data(), out.data(), out.size(), 2, 2, 8, 24, MakeToneTable(p), balance);
  EXPECT_EQ(out[0], 0);     // blue 10 - 16
  EXPECT_EQ(out[2], 62);    // red 30 + 32
  EXPECT_EQ(out[5], 255);   // red 250 + 32, held
  EXPECT_EQ(out[8], 84);
  EXPECT_EQ(out[6], 0);     // padding through the tone table only
  std::vector<uint8_t> grey(original.size());
  AdjustSample(original.data(), grey.data(), grey.size(), 8, 2, 8, 8, MakeToneTable(p), balance);
  EXPECT_EQ(grey, original);
  // A picture that claims more than it holds is left as far as it goes.
  std::vector<uint8_t> cut(original.size(), 7);
  AdjustSample(original.data(), cut.data(), 12, 2, 2, 8, 24, MakeToneTable(p), balance);
  EXPECT_EQ(cut[12], 7);
}

}  // namespace
}  // namespace qxge
