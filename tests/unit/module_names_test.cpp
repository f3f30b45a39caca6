#include "app/module_names.h"

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
  const struct {
    const char16_t *path, *dir, *name, *base;
  } cases[] = {
      {u"C:\\spool\\DRIVERS\\x64\\3\\ABCU.DLL", u"C:\\spool\\DRIVERS\\x64\\3\\", u"ABCU", u"ABC"},
      {u"D:\\qx.v2\\menuu.dll", u"D:\\qx.v2\\", u"menuu", u"menu"},
      {u"QX5000U.old.dll", u"", u"QX5000U.old", u"QX5000U.old"},
      {u"D:\\drivers\\", u"D:\\drivers\\", u"", u""},
  };
  for (const auto& c : cases) {
    const ModuleNames n = SplitModulePath(c.path);
    EXPECT_EQ(n.dir, c.dir);
    EXPECT_EQ(n.name, c.name);
    EXPECT_EQ(n.base, c.base);
  }
}

TEST(ModuleNames, LanguageCodesByRegionElseByPrimaryLanguage) {
  EXPECT_EQ(LanguageCodeFor(0x0804), u"CP");
  EXPECT_EQ(LanguageCodeFor(0x0404), u"CT");
  EXPECT_EQ(LanguageCodeFor(0x0C0C), u"FC");
  EXPECT_EQ(LanguageCodeFor(0x040C), u"FN");
  EXPECT_EQ(LanguageCodeFor(0x0816), u"PT");
  EXPECT_EQ(LanguageCodeFor(0x0416), u"BP");
  EXPECT_EQ(LanguageCodeFor(0x0809), u"EN");

  // The other languages by their primary language alone, whatever the region.
  EXPECT_EQ(LanguageCodeFor(0x0401), u"AB");
  EXPECT_EQ(LanguageCodeFor(0x0813), u"DT");
  for (uint16_t unknown : {0x0417, 0x042E, 0x047F, 0x07FF}) EXPECT_EQ(LanguageCodeFor(unknown), u"EN") << unknown;

  EXPECT_EQ(ParseLanguageId(u"0c0C"), 0x0C0C);
  EXPECT_EQ(ParseLanguageId(u"0816\n"), 0x0816);
  EXPECT_EQ(ParseLanguageId(u""), 0);
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
  for (int32_t id : {22, -1, INT_MAX, INT_MIN}) EXPECT_FALSE(LookupPage(id, f, e)) << id;

  for (int32_t id = 0; id < kPageIdCount; ++id) EXPECT_EQ(LookupPage(id, f, e), id != 8 && id != 9) << id;
  LookupPage(3, f, e);
  EXPECT_EQ(e.variant, 2);
  LookupPage(21, f, e);
  EXPECT_EQ(std::u16string(e.name), u"Main");  // the text file's section

  f.ExtrasSimple = 1;
  LookupPage(3, f, e);
  EXPECT_EQ(e.variant, 7);

  // Tall containers take the taller templates.
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
