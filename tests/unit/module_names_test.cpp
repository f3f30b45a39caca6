#include "host/module_names.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "config/model_features.h"
#include "host/page_catalogue.h"

namespace qxge {
namespace {

TEST(ModuleNames, NamesComeFromTheModulesOwnFileName) {
  ModuleNames n = SplitModulePath(u"C:\\Windows\\System32\\spool\\DRIVERS\\x64\\3\\ABCU.DLL");
  EXPECT_EQ(n.dir, u"C:\\Windows\\System32\\spool\\DRIVERS\\x64\\3\\");
  EXPECT_EQ(n.name, u"ABCU");
  EXPECT_EQ(n.base, u"ABC");

  n = SplitModulePath(u"D:\\ABC.DLL");
  EXPECT_EQ(n.name, u"ABC");
  EXPECT_EQ(n.base, u"ABC");

  n = SplitModulePath(u"D:\\qx.v2\\menuu.dll");
  EXPECT_EQ(n.dir, u"D:\\qx.v2\\");
  EXPECT_EQ(n.name, u"menuu");
  EXPECT_EQ(n.base, u"menu");

  n = SplitModulePath(u"QX5000U.old.dll");
  EXPECT_EQ(n.dir, u"");
  EXPECT_EQ(n.name, u"QX5000U.old");
  EXPECT_EQ(n.base, u"QX5000U.old");

  n = SplitModulePath(u"D:\\drivers\\QXU");
  EXPECT_EQ(n.name, u"QXU");
  EXPECT_EQ(n.base, u"QX");

  n = SplitModulePath(u"D:\\drivers\\");
  EXPECT_EQ(n.dir, u"D:\\drivers\\");
  EXPECT_EQ(n.name, u"");
  EXPECT_EQ(n.base, u"");
}

TEST(ModuleNames, LanguageCodesForEveryPrimaryLanguage) {
  EXPECT_EQ(LanguageCodeFor(0x0804), u"CP");
  EXPECT_EQ(LanguageCodeFor(0x0404), u"CT");
  EXPECT_EQ(LanguageCodeFor(0x1004), u"CT");
  EXPECT_EQ(LanguageCodeFor(0x0C0C), u"FC");
  EXPECT_EQ(LanguageCodeFor(0x040C), u"FN");
  EXPECT_EQ(LanguageCodeFor(0x0816), u"PT");
  EXPECT_EQ(LanguageCodeFor(0x0416), u"BP");
  EXPECT_EQ(LanguageCodeFor(0x0409), u"EN");
  EXPECT_EQ(LanguageCodeFor(0x0809), u"EN");

  // Primary languages 1..45 in order; "--" reads English.
  const std::u16string table =
      u"AB BG CA -- CZ DN GR EL -- SP FI -- HB HU IS IT JP KR DT NR PO -- -- RO RU HR SK SQ SW TI TK UR IN UK "
      u"BE SL ET LV LT -- FA VI HY AZ EU";
  for (uint16_t primary = 1; primary <= 45; ++primary) {
    if (primary == 4 || primary == 12 || primary == 22) continue;
    const std::u16string code = table.substr((primary - 1) * 3u, 2);
    for (uint16_t sub : {1, 2, 3, 0x3F}) {
      const uint16_t id = static_cast<uint16_t>(sub << 10 | primary);
      EXPECT_EQ(LanguageCodeFor(id), code == u"--" ? u"EN" : code) << "language 0x" << std::hex << id;
    }
  }
  for (uint16_t primary : {0, 46, 0x7F, 0x3FF})
    EXPECT_EQ(LanguageCodeFor(static_cast<uint16_t>(0x0400 | primary)), u"EN");

  EXPECT_EQ(ParseLanguageId(u"0409"), 0x0409);
  EXPECT_EQ(ParseLanguageId(u"0c0C"), 0x0C0C);
  EXPECT_EQ(ParseLanguageId(u"0816\n"), 0x0816);
  EXPECT_EQ(ParseLanguageId(u""), 0);
  EXPECT_EQ(LanguageCodeFor(ParseLanguageId(u"0804")), u"CP");
  EXPECT_EQ(LanguageCodeFor(ParseLanguageId(u"garbage")), u"EN");
}

TEST(ModuleNames, TextFileFallsBackToEnglishThenToTheModuleName) {
  const ModuleNames names = SplitModulePath(u"D:\\m\\XYZU.DLL");
  std::set<std::u16string> present;
  std::vector<std::u16string> asked;
  auto exists = [&](const std::u16string& path) {
    asked.push_back(path);
    return present.count(path) != 0;
  };

  present = {u"D:\\m\\XYZDT.DAT", u"D:\\m\\XYZEN.DAT"};
  EXPECT_EQ(ChooseTextFile(names, u"DT", exists), u"D:\\m\\XYZDT.DAT");
  present = {u"D:\\m\\XYZEN.DAT"};
  EXPECT_EQ(ChooseTextFile(names, u"DT", exists), u"D:\\m\\XYZEN.DAT");
  present.clear();
  asked.clear();
  EXPECT_EQ(ChooseTextFile(names, u"DT", exists), u"D:\\m\\XYZU.DAT");
  EXPECT_EQ(asked, (std::vector<std::u16string>{u"D:\\m\\XYZDT.DAT", u"D:\\m\\XYZEN.DAT"}));
}

TEST(PageCatalogue, PagesFollowTheModel) {
  ModelFeatures f;
  PageEntry e{};
  for (int32_t id : {8, 9, 22, -1, INT_MAX, INT_MIN}) EXPECT_FALSE(LookupPage(id, f, e)) << id;

  // Template and page name (the text-file section) of every page with the default model.
  const std::vector<std::pair<int, std::u16string>> defaults = {
      {3007, u"Layout"}, {3010, u"Paper"}, {3005, u"Graphics"}, {3004, u"Extras"}, {3011, u"Printer"},
      {3014, u"About"},  {3018, u"Watermark"}, {3021, u"Overlay"}, {0, u""}, {0, u""},
      {3015, u"About"},  {3016, u"About"}, {3023, u"Troubleshooting"}, {3024, u"About"}, {3020, u"About"},
      {3001, u"About"},  {3028, u"Basics"}, {3029, u"Output"}, {3040, u"Graphics"}, {3030, u"Deco"},
      {3036, u"Printer"}, {3041, u"Main"}};
  for (int32_t id = 0; id < kPageIdCount; ++id) {
    if (id == 8 || id == 9) continue;
    ASSERT_TRUE(LookupPage(id, f, e)) << id;
    EXPECT_EQ(e.templateId, defaults[id].first) << id;
    EXPECT_EQ(std::u16string(e.name), defaults[id].second) << id;
  }
  LookupPage(3, f, e);
  EXPECT_EQ(e.variant, 2);

  f.LayoutMore = 1;
  f.ExtrasSimple = 1;
  f.GraphicsColorSettings = 1;
  LookupPage(0, f, e);
  EXPECT_EQ(e.kind, PageKind::CompactLayout);
  EXPECT_EQ(e.templateId, 3017);
  LookupPage(1, f, e);
  EXPECT_EQ(e.kind, PageKind::CompactPaper);
  EXPECT_EQ(e.templateId, 3022);
  LookupPage(3, f, e);
  EXPECT_EQ(e.templateId, 3019);
  EXPECT_EQ(e.variant, 7);
  LookupPage(18, f, e);
  EXPECT_EQ(e.kind, PageKind::ColorMode);
  EXPECT_EQ(e.templateId, 3031);

  auto templates = [&](int32_t scaleY) {
    f.CPSUI_Scale_Y = scaleY;
    std::vector<int> ids;
    for (int32_t id : {5, 19, 20}) ids.push_back(LookupPage(id, f, e) ? e.templateId : 0);
    return ids;
  };
  EXPECT_EQ(templates(109), (std::vector<int>{3014, 3030, 3036}));
  EXPECT_EQ(templates(110), (std::vector<int>{3033, 3032, 3038}));
  EXPECT_EQ(templates(-200), (std::vector<int>{3014, 3030, 3036}));
}

}  // namespace
}  // namespace qxge
