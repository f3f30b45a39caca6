#include "record/resolutions.h"

#include <gtest/gtest.h>

#include <string>

#include "preview/preview_layout.h"

namespace qxge {
namespace {

uint32_t Bits(std::initializer_list<int> indices) {
  uint32_t bits = 0;
  for (int i : indices) bits |= 1u << i;
  return bits;
}

// The record's pair names the resolution the preview captions and the Graphics page checks.
TEST(Resolutions, TheRecordNamesItsResolution) {
  DriverDevMode r{};
  ModelFeatures model;
  const auto name = [&](int16_t quality, uint16_t resolution) {
    r.dmPublic.dmPrintQuality = quality;
    r.dmPrivate.iResolution = resolution;
    return std::u16string(ResolutionName(r, model));
  };
  EXPECT_EQ(name(600, 600), u"600 dpi");
  EXPECT_EQ(name(600, 0), u"600 dpi");  // no resolution stored: the print quality says it
  EXPECT_EQ(name(1200, 2400), u"2400x1200 dpi");
  EXPECT_EQ(name(300, 4), u"300 dpi (4)");
  EXPECT_EQ(name(600, 9600), u"9600x1200 dpi");  // unknown: the first
  r.dmPrivate.iTonerSave = 2;
  EXPECT_EQ(name(600, 600), u"600 dpi");
  model.GraphicsDraftRes = 1;
  EXPECT_EQ(name(600, 600), u"Draft");
  EXPECT_EQ(ResolutionIndex(r, model), kDraftMode);
  EXPECT_EQ(name(1200, 1200), u"1200 dpi");
}

TEST(Resolutions, AStepFindsTheNextOfferedOutsideThe1200RowUnderAPoster) {
  const uint32_t offered = Bits({3, 7, 11});
  EXPECT_EQ(NextResolution(3, offered, false), 7);
  EXPECT_EQ(NextResolution(3, offered, true), 11);
  EXPECT_EQ(NextResolution(11, offered, false), 3);  // round the end
  EXPECT_EQ(NextResolution(11, offered, true), 11);
  // Nothing to step to: the step ends where it began.
  EXPECT_EQ(NextResolution(5, 0, false), 5);
  EXPECT_EQ(NextResolution(5, Bits({2}), true), 5);
}

TEST(Resolutions, ImageModesFollowTheirMasks) {
  ModelFeatures model;
  model.GraphicsImageModeText = 0x1080800;
  EXPECT_TRUE(ImageModeAvailable(2, 11, model));
  EXPECT_TRUE(ImageModeAvailable(2, kDraftMode, model));
  EXPECT_FALSE(ImageModeAvailable(2, 10, model));
  EXPECT_FALSE(ImageModeAvailable(2, 25, model));
  EXPECT_FALSE(ImageModeAvailable(4, 11, model));
}

}  // namespace
}  // namespace qxge
