#include "config/version_macros.h"

#include "config/profile_file.h"
#include "config/text_format.h"

namespace qxge {

const TextMacro kTextMacros[21] = {
    {u"$Model", u"Model"},
    {u"$DRIVERNAME", u"DriverName"},
    {u"$MAINVERSION", u"MainVersion"},
    {u"$OEMNAME", u"OemName"},
    {u"$PREVIEWLETTER", u"PreviewLetter"},
    {u"$MODELCAPTION", u"ModelCaption"},
    {u"$DRIVERDESCRIPTION", u"DriverDescription"},
    {u"$COPYRIGHTYEAR", u"CopyrightYear"},
    {u"$DRIVERCOPYRIGHT", u"DriverCopyright"},
    {u"$URL_E1", u"Ref_URL_E1"},
    {u"$URL_E2", u"Ref_URL_E2"},
    {u"$URL_E3", u"Ref_URL_E3"},
    {u"$URL_E4", u"Ref_URL_E4"},
    {u"$URL_E5", u"Ref_URL_E5"},
    {u"$URL_E6", u"Ref_URL_E6"},
    {u"$URL_K1", u"Ref_URL_K1"},
    {u"$URL_K2", u"Ref_URL_K2"},
    {u"$URL_K3", u"Ref_URL_K3"},
    {u"$URL_K4", u"Ref_URL_K4"},
    {u"$URL_K5", u"Ref_URL_K5"},
    {u"$URL_K6", u"Ref_URL_K6"},
};

// Text macros go first, so "$COPYRIGHTYEAR" is gone before "$COPYRIGHT", its prefix, is looked for.
const TextMacro kVersionBlockMacros[5] = {
    {u"$DESCRIPTION", u"FileDescription"}, {u"$VERSION", u"FileVersion"},    {u"$COMPANY", u"CompanyName"},
    {u"$COPYRIGHT", u"LegalCopyright"},    {u"$COMMENT", u"Comments"},
};

namespace {

constexpr size_t kValueChars = 256;

}  // namespace

bool ExpandMacros(std::u16string& text, ProfileFile& versionFile) {
  // Most texts have no macro; they must not cost a look at the version file.
  if (text.find(u'$') == std::u16string::npos) return false;
  versionFile.SetSection(u"Version");
  bool replaced = false;
  for (const TextMacro& m : kTextMacros) {
    if (text.find(m.macro) == std::u16string::npos) continue;
    char16_t value[kValueChars];
    // No default: an unset key must not be written into the driver's version file.
    const size_t n = versionFile.ReadString(m.key, value, kValueChars, nullptr);
    replaced |= ReplaceAll(text, m.macro, std::u16string_view(value, n), kMaxExpandedChars);
  }
  return replaced;
}

std::u16string ModelInfoText(ProfileFile& textFile,
                             const std::function<std::u16string(std::u16string_view)>& versionString) {
  std::u16string info;
  for (int32_t i = 1; i <= 10; ++i) {
    std::u16string line = textFile.ReadText(FormatText(u"M_Info%d", {i}, 16), u"", true);
    for (const TextMacro& m : kVersionBlockMacros)
      if (line.find(m.macro) != std::u16string::npos) ReplaceAll(line, m.macro, versionString(m.key), kMaxExpandedChars);
    info += line;
    info += u'\n';
  }
  return info;
}

}  // namespace qxge
