#include "printer/paper_size_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace qxge {
namespace {

TEST(PaperSizeText, LengthsInInchesAndMillimetres) {
  EXPECT_EQ(FormatLength(2159, true), u"8.50");  // Letter width
  EXPECT_EQ(FormatLength(2159, false), u"216");
  EXPECT_EQ(FormatLength(2970, true), u"11.69");  // A4 height
  EXPECT_EQ(FormatLength(2970, false), u"297");
  EXPECT_EQ(FormatLength(254, true), u"1.00");
  EXPECT_EQ(FormatLength(5, true), u"0.02");
  EXPECT_EQ(FormatLength(0, true), u"0.00");
  EXPECT_EQ(FormatLength(4, false), u"0");
  EXPECT_EQ(FormatLength(-2970, true), u"-11.69");
  EXPECT_EQ(FormatLength(std::numeric_limits<int32_t>::max(), false), u"214748365");
  EXPECT_EQ(FormatLength(std::numeric_limits<int32_t>::min(), true), u"-8454660.03");
}

TEST(PaperSizeText, TranslatedFormatsAndBrackets) {
  EXPECT_EQ(PaperSizeTextFrom(u"%s x %s mm", 2100, 2970, false, false), u"210 x 297 mm");
  EXPECT_EQ(PaperSizeTextFrom(u"%s x %s in", 2159, 2794, true, true), u" (8.50 x 11.00 in)");
  EXPECT_EQ(PaperSizeTextFrom(u"%s \u00D7 %s Zoll", 2159, 2794, true, false), u"8.50 \u00D7 11.00 Zoll");
}

}  // namespace
}  // namespace qxge
