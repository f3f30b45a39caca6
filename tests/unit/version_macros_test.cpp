#include "config/version_macros.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/profile_file.h"
#include "memory_profile_storage.h"

namespace qxge {
namespace {

const std::u16string kTextPath = u"C:\\Drivers\\QX5000EN.DAT";
const std::u16string kVersionPath = u"C:\\Drivers\\QX_Office.VER";

// The text file of a model and its driver's version file, wired as the module wires them.
struct Files {
  explicit Files(std::u16string versionText) {
    storage.Put(kTextPath, u"[About Dialog]\r\n");
    storage.Put(kVersionPath, std::move(versionText));
    text.SetFile(kTextPath, false);
    version.SetFile(kVersionPath, false);
    text.SetWriteBack(&writeBack);
    version.SetWriteBack(&writeBack);
    text.SetMacroSource(&version);
    text.SetSection(u"About Dialog");
  }
  std::u16string Expanded(const std::u16string& value) {
    storage.Put(kTextPath, u"[About Dialog]\r\nLine=" + value + u"\r\n");
    text.SetSection(u"About Dialog");
    return text.ReadText(u"Line", nullptr, true);
  }

  MemoryProfileStorage storage;
  ProfileFile text{storage};
  ProfileFile version{storage};
  int32_t writeBack = 1;
};

const char16_t kOfficeVersion[] =
    u"[Version]\r\nModel=QX Office 5000\r\nDriverName=QX Office 5000 PS\r\nMainVersion=1.0\r\n"
    u"ModelCaption=QX Office\r\nRef_URL_E1=http://%s/\r\nRef_URL_K6=https://qx.example/k6\r\n";

TEST(VersionMacros, ExpandedReadsTakeTheVersionFileValues) {
  Files f(kOfficeVersion);
  EXPECT_EQ(f.Expanded(u"$DRIVERNAME $MAINVERSION"), u"QX Office 5000 PS 1.0");
  EXPECT_EQ(f.Expanded(u"Home $URL_E1, help $URL_E1, $URL_K6"), u"Home http://%s/, help http://%s/, https://qx.example/k6");
  // "$Model" and "$MODELCAPTION" are different macros.
  EXPECT_EQ(f.Expanded(u"$Model/$MODELCAPTION"), u"QX Office 5000/QX Office");
  // A key the version file lacks removes its macro; an unknown macro is plain text.
  EXPECT_EQ(f.Expanded(u"[$OEMNAME][$URL_E4][$UNKNOWN]"), u"[][][$UNKNOWN]");
  // Without the flag, or when a missing key gives its own name, nothing is expanded.
  EXPECT_EQ(f.text.ReadText(u"Line"), u"[$OEMNAME][$URL_E4][$UNKNOWN]");
  EXPECT_EQ(f.text.ReadText(u"$DRIVERNAME", nullptr, true), u"QX Office 5000 PS");
  EXPECT_EQ(f.text.ReadText(u"Title", u"About $Model", true), u"About QX Office 5000");
}

TEST(VersionMacros, VersionFileIsNeverWrittenAndTextsWithoutMacrosCostNothing) {
  Files f(kOfficeVersion);
  f.Expanded(u"$OEMNAME $COPYRIGHTYEAR $URL_K1");
  EXPECT_EQ(f.storage.Text(kVersionPath), kOfficeVersion);

  std::u16string plain = u"Layout";
  f.version.SetSection(u"Elsewhere");
  EXPECT_FALSE(ExpandMacros(plain, f.version));
  EXPECT_EQ(f.version.Section(), u"Elsewhere");

  std::u16string none = u"$OEMNAME";
  EXPECT_TRUE(ExpandMacros(none, f.version));
  EXPECT_EQ(none, u"");
}

TEST(VersionMacros, HostileVersionFileCannotBlowUpATextOrMissingFileBreakIt) {
  // Each value holds the next macro as often as it fits: without a bound the text would
  // grow by a factor of about forty per macro.
  std::u16string file = u"[Version]\r\n";
  const char16_t* keys[] = {u"Model", u"DriverName", u"MainVersion", u"OemName", u"PreviewLetter"};
  const char16_t* next[] = {u"$DRIVERNAME", u"$MAINVERSION", u"$OEMNAME", u"$PREVIEWLETTER", u"$URL_E1"};
  for (int i = 0; i < 5; ++i) {
    std::u16string value;
    while (value.size() + 15 < 255) value += next[i];
    file += std::u16string(keys[i]) + u"=" + value + u"\r\n";
  }
  file += u"Ref_URL_E1=" + std::u16string(255, u'u') + u"\r\n";
  Files f(file);
  const std::u16string text = f.Expanded(u"$Model$Model$Model$Model$Model$Model$Model");
  EXPECT_EQ(text.size(), kMaxExpandedChars);
  EXPECT_EQ(text.find_first_not_of(u'u'), std::u16string::npos);

  Files missing(u"");
  missing.version.SetFile(u"C:\\Drivers\\Nowhere.VER", false);
  EXPECT_EQ(missing.Expanded(u"Driver $DRIVERNAME"), u"Driver ");
}

TEST(VersionMacros, ModelInfoHasTenLinesWithTextMacrosBeforeTheVersionBlock) {
  Files f(u"[Version]\r\nModel=QX Office 5000\r\nCopyrightYear=2026\r\n");
  f.storage.Put(kTextPath, u"[About Dialog]\r\nM_Info1=$Model $VERSION\r\nM_Info2=$COPYRIGHT $COPYRIGHTYEAR\r\n"
                           u"M_Info4=$COMMENT/$COMPANY/$DESCRIPTION/$UNKNOWN\r\nM_Info10=last\r\nM_Info11=never\r\n");
  f.text.SetSection(u"About Dialog");
  std::vector<std::u16string> asked;
  const std::u16string info = ModelInfoText(f.text, [&](std::u16string_view name) {
    asked.emplace_back(name);
    return name == u"LegalCopyright" ? u"(C) QX" : u"<" + std::u16string(name) + u">";
  });
  EXPECT_EQ(info, u"QX Office 5000 <FileVersion>\n(C) QX 2026\n\n<Comments>/<CompanyName>/<FileDescription>/$UNKNOWN\n"
                  u"\n\n\n\n\nlast\n");
  // Lines without a version-block macro never open the module's version block.
  EXPECT_EQ(asked.size(), 5u);

  // A model without information still gets its ten empty lines.
  f.storage.Put(kTextPath, u"[Other]\r\n");
  f.text.SetSection(u"About Dialog");
  EXPECT_EQ(ModelInfoText(f.text, [](std::u16string_view) { return std::u16string(); }), u"\n\n\n\n\n\n\n\n\n\n");
}

}  // namespace
}  // namespace qxge
