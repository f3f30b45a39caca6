#include "config/text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace qxge {
namespace {

TEST(TextFormat, FillsThePlaceholdersTheCallerExpects) {
  EXPECT_EQ(FormatText(u"You must enter a %d-%d digit passcode.", {1, 5}, 255),
            u"You must enter a 1-5 digit passcode.");
  EXPECT_EQ(FormatText(u"one of the following: %s.", {u"A4, Letter"}, 1024), u"one of the following: A4, Letter.");
  EXPECT_EQ(FormatText(u"following: %s.", {u""}, 1024), u"following: .");
  EXPECT_EQ(FormatText(u"http://%s/status", {u"192.168.0.7"}, 1024), u"http://192.168.0.7/status");
  EXPECT_EQ(FormatText(u"100%% of %d", {-42}, 64), u"100% of -42");
  // An argument that holds a placeholder is shown as it is, not formatted again.
  EXPECT_EQ(FormatText(u"%s and %s", {u"%s%d", u"B"}, 64), u"%s%d and B");
}

TEST(TextFormat, ConversionsNobodyAskedForStayAsText) {
  // What a translator may leave behind must never reach a printf-style formatter.
  EXPECT_EQ(FormatText(u"%n %x %5d %ls %p %-s %", {u"A"}, 255), u"%n %x %5d %ls %p %-s %");
  EXPECT_EQ(FormatText(u"%s%s%s", {u"A"}, 255), u"A%s%s");
  EXPECT_EQ(FormatText(u"%d digits", {u"text"}, 255), u"%d digits");
  // A placeholder of the wrong kind keeps its place, so the others still show the right value.
  EXPECT_EQ(FormatText(u"%s-%d digits", {1, 5}, 255), u"%s-5 digits");
  EXPECT_EQ(FormatText(u"%d-%d", {}, 255), u"%d-%d");
  EXPECT_EQ(FormatText(u"", {u"A", 1}, 255), u"");
}

// The fuzz target holds the bound, but a pair cut in half would pass it.
TEST(TextFormat, ACharacterOutsideTheBasicPlaneIsKeptOrDroppedWhole) {
  const std::u16string clef = u"ab\U0001D11E";
  EXPECT_EQ(FormatText(u"%s", {clef}, 3), u"ab");
  EXPECT_EQ(FormatText(u"%s", {clef}, 4), clef);
}

TEST(TextFormat, ReplaceAllReplacesEveryOccurrenceOnce) {
  std::u16string text = u"$URL_E1 or $URL_E1";
  EXPECT_TRUE(ReplaceAll(text, u"$URL_E1", u"http://qx.example/", 4096));
  EXPECT_EQ(text, u"http://qx.example/ or http://qx.example/");

  text = u"[$X]";
  EXPECT_TRUE(ReplaceAll(text, u"$X", u"$X$X", 4096));  // a value naming its macro stays
  EXPECT_EQ(text, u"[$X$X]");
  EXPECT_TRUE(ReplaceAll(text, u"$X", u"", 4096));
  EXPECT_EQ(text, u"[]");
  EXPECT_FALSE(ReplaceAll(text, u"$Y", u"y", 4096));
  EXPECT_EQ(text, u"[]");

  text = std::u16string(256, u'$');
  EXPECT_TRUE(ReplaceAll(text, u"$", std::u16string(255, u'v'), 4096));
  EXPECT_EQ(text, std::u16string(4096, u'v'));
}

TEST(TextFormat, CaptionsLoseAccessKeysButKeepBracketedWords) {
  std::u16string text = u"&Print&&Test(&P)";
  StripAmpersands(text);
  EXPECT_EQ(text, u"PrintTest(P)");
  StripAcceleratorSuffix(text);
  EXPECT_EQ(text, u"PrintTest");
  for (const char16_t* kept : {u"Print (P)", u"(P)", u"Test(PP)", u"Test(P", u"Test P)", u""}) {
    text = kept;
    StripAcceleratorSuffix(text);
    EXPECT_EQ(text, kept);
  }
  text = u"X(P)";
  StripAcceleratorSuffix(text);
  EXPECT_EQ(text, u"X");
}

}  // namespace
}  // namespace qxge
