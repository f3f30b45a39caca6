#include "printer/paper_size_text.h"

#include <gtest/gtest.h>

namespace qxge {
namespace {

TEST(PaperSizeText, TranslatedFormatsAndBrackets) {
  EXPECT_EQ(PaperSizeTextFrom(u"%s x %s mm", 2100, 2970, false, false), u"210 x 297 mm");
  EXPECT_EQ(PaperSizeTextFrom(u"%s x %s in", 2159, 2794, true, true), u" (8.50 x 11.00 in)");
  EXPECT_EQ(PaperSizeTextFrom(u"%s \u00D7 %s Zoll", 2159, 2794, true, false), u"8.50 \u00D7 11.00 Zoll");
}

}  // namespace
}  // namespace qxge
