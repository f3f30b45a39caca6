#include "config/ini_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace qxge {
namespace {

std::optional<std::u16string> Read(const IniDocument& doc, std::u16string_view section, std::u16string_view key) {
  const auto value = doc.Find(section, key);
  if (!value) return std::nullopt;
  return std::u16string(*value);
}

IniDocument Parsed(std::u16string_view text) {
  IniDocument doc;
  doc.Parse(text);
  return doc;
}

TEST(IniDocument, ReadsLikeThePrivateProfileFunctions) {
  const IniDocument doc = Parsed(
      u"Orphan=before any section\n"
      u"[Layout Dialog]\r\n"
      u"  Caption  =   Page  Layout \t\r\n"
      u"caption=second one loses\n"
      u"Double=\"  kept inside  \"\n"
      u"Single='x'\r\n"
      u"Mixed=\"x'\n"
      u"Lone=\"\n"
      u"Flag\n"
      u"Empty=\n"
      u"Equals=a=b\n"
      u"[  Größe  ]\n"
      u"Weite=1\n"
      u"[LAYOUT dialog]\n"
      u"Later=hidden by the first section\n"
      u"Caption=hidden too");

  EXPECT_EQ(Read(doc, u"layout DIALOG", u"CAPTION"), u"Page  Layout");
  EXPECT_EQ(Read(doc, u"Layout Dialog", u"Double"), u"  kept inside  ");
  EXPECT_EQ(Read(doc, u"Layout Dialog", u"Single"), u"x");
  EXPECT_EQ(Read(doc, u"Layout Dialog", u"Mixed"), u"\"x'");
  EXPECT_EQ(Read(doc, u"Layout Dialog", u"Lone"), u"\"");
  EXPECT_EQ(Read(doc, u"Layout Dialog", u"Flag"), u"");
  EXPECT_EQ(Read(doc, u"Layout Dialog", u"Empty"), u"");
  EXPECT_EQ(Read(doc, u"Layout Dialog", u"Equals"), u"a=b");
  EXPECT_EQ(Read(doc, u"GRÖße", u"weite"), u"1");
  EXPECT_EQ(Read(doc, u"Layout Dialog", u"Later"), std::nullopt);
  EXPECT_EQ(Read(doc, u"Layout Dialog", u"Missing"), std::nullopt);
  EXPECT_EQ(Read(doc, u"Paper Dialog", u"Caption"), std::nullopt);
  EXPECT_EQ(Read(doc, u"", u"Orphan"), std::nullopt);
  EXPECT_EQ(Read(doc, u"Common", u"Orphan"), std::nullopt);
}

TEST(IniDocument, ReplacingAValueKeepsEveryOtherLineAsItWas) {
  const std::u16string before =
      u"; model file of the QX5000\r\n"
      u"[Common]\r\n"
      u"  LayoutRotate = 1   ; rotate\r\n"
      u"\r\n"
      u";PaperCollate=1\r\n"
      u"PaperCollate=0\r\n"
      u"\tpapercollate=7\r\n"
      u"[Other]\r\n"
      u"PaperCollate=5\r\n";
  IniDocument doc = Parsed(before);
  EXPECT_TRUE(doc.Set(u"COMMON", u"paperCOLLATE", u"1"));

  // The key keeps the file's spelling; setting what is there already changes nothing.
  std::u16string expected = before;
  expected.replace(expected.find(u"PaperCollate=0"), 14, u"PaperCollate=1");
  EXPECT_EQ(doc.Serialize(), expected);
  EXPECT_FALSE(doc.Set(u"Common", u"PaperCollate", u"1"));
  EXPECT_EQ(Read(doc, u"Other", u"PaperCollate"), u"5");

  // Files written with bare line feeds come back with CR LF, unchanged otherwise.
  IniDocument unix = Parsed(u"[A]\nx=1\n\n[B]\ny=2");
  unix.Set(u"B", u"y", u"3");
  EXPECT_EQ(unix.Serialize(), u"[A]\r\nx=1\r\n\r\n[B]\r\ny=3\r\n");
}

TEST(IniDocument, NewKeysAndSectionsGoWhereAPersonWouldPutThem) {
  IniDocument doc = Parsed(
      u"[Common]\r\n"
      u"A=1\r\n"
      u"; end of common\r\n"
      u"\r\n"
      u"\r\n"
      u"[Custom Paper Dialog]\r\n"
      u"MinPaperW=254\r\n"
      u"[Last]");
  doc.Set(u"common", u"B", u"2");
  doc.Set(u"Custom Paper Dialog", u"MinPaperH", u"254");
  doc.Set(u"Last", u"Z", u"26");
  doc.Set(u"LARGEPAPERNAME", u"PaperIndex", u"");
  EXPECT_EQ(doc.Serialize(),
            u"[Common]\r\n"
            u"A=1\r\n"
            u"; end of common\r\n"
            u"B=2\r\n"
            u"\r\n"
            u"\r\n"
            u"[Custom Paper Dialog]\r\n"
            u"MinPaperW=254\r\n"
            u"MinPaperH=254\r\n"
            u"[Last]\r\n"
            u"Z=26\r\n"
            u"\r\n"
            u"[LARGEPAPERNAME]\r\n"
            u"PaperIndex=\r\n");

  IniDocument empty;
  empty.Set(u" Common ", u" Key ", u"v");
  EXPECT_EQ(empty.Serialize(), u"[Common]\r\nKey=v\r\n");
  empty.Set(u"COMMON", u"KEY", u"w");
  const std::u16string once = empty.Serialize();
  EXPECT_EQ(std::count(once.begin(), once.end(), u'\n'), 2);
  EXPECT_EQ(Read(Parsed(once), u"common", u"key"), u"w");
}

}  // namespace
}  // namespace qxge
