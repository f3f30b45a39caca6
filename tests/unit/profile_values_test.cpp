#include "config/profile_values.h"

#include <gtest/gtest.h>

namespace qxge {
namespace {

TEST(ProfileValues, AutoBaseIntegersReadLikeTheCLibrary) {
  EXPECT_EQ(ParseAutoBaseInt(u"0x10"), 16);
  EXPECT_EQ(ParseAutoBaseInt(u"0X1080c00"), 0x1080c00);
  EXPECT_EQ(ParseAutoBaseInt(u"010"), 8);
  EXPECT_EQ(ParseAutoBaseInt(u" 12abc"), 12);
  EXPECT_EQ(ParseAutoBaseInt(u"\t-7"), -7);
  EXPECT_EQ(ParseAutoBaseInt(u"+9"), 9);
  EXPECT_EQ(ParseAutoBaseInt(u"abc"), 0);
  EXPECT_EQ(ParseAutoBaseInt(u""), 0);
  EXPECT_EQ(ParseAutoBaseInt(u"0x"), 0);
  EXPECT_EQ(ParseAutoBaseInt(u"0xg"), 0);
  EXPECT_EQ(ParseAutoBaseInt(u"089"), 0);  // octal stops at the 8
  EXPECT_EQ(ParseAutoBaseInt(u"99999999999999999999"), 2147483647);
  EXPECT_EQ(ParseAutoBaseInt(u"-99999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(ParseAutoBaseInt(u"0xFFFFFFFF"), 2147483647);
}

TEST(ProfileValues, IntegersAreWrittenDecimalUpTo8192AndHexAbove) {
  EXPECT_EQ(FormatProfileInt(100), u"100");
  EXPECT_EQ(FormatProfileInt(8192), u"8192");
  EXPECT_EQ(FormatProfileInt(8193), u"0x2001");
  EXPECT_EQ(FormatProfileInt(0x1000800), u"0x1000800");
  EXPECT_EQ(FormatProfileInt(0x1080c00), u"0x1080C00");
  EXPECT_EQ(FormatProfileInt(-1), u"-1");
  EXPECT_EQ(FormatProfileInt(-2147483647 - 1), u"-2147483648");
  EXPECT_EQ(FormatProfileInt(2147483647), u"0x7FFFFFFF");
}

TEST(ProfileValues, IntegerListsSplitAtSemicolonCommaAndBlank) {
  EXPECT_EQ(ParseIntList(u"1;9, 257", 256), (std::vector<int32_t>{1, 9, 257}));
  EXPECT_EQ(ParseIntList(u";;1,,2  3;", 256), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(ParseIntList(u"x;-4;7y", 256), (std::vector<int32_t>{0, -4, 7}));
  EXPECT_TRUE(ParseIntList(u"", 256).empty());
  EXPECT_TRUE(ParseIntList(u" ; , ", 256).empty());
}

}  // namespace
}  // namespace qxge
