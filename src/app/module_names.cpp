#include "app/module_names.h"

namespace qxge {

ModuleNames SplitModulePath(std::u16string_view fullPath) {
  ModuleNames names;
  const size_t slash = fullPath.rfind(u'\\');
  std::u16string_view file = fullPath;
  if (slash != std::u16string_view::npos) {
    names.dir = fullPath.substr(0, slash + 1);
    file = fullPath.substr(slash + 1);
  }
  names.name = file.substr(0, file.rfind(u'.'));
  names.base = names.name;
  if (!names.base.empty() && (names.base.back() == u'U' || names.base.back() == u'u')) names.base.pop_back();
  return names;
}

std::u16string LanguageCodeFor(uint16_t languageId) {
  // Indexed by primary language; languages with no text file of their own read English.
  static const char16_t* const kCodes[46] = {
      nullptr, u"AB", u"BG", u"CA", nullptr, u"CZ", u"DN", u"GR", u"EL", nullptr, u"SP", u"FI", nullptr,
      u"HB",   u"HU", u"IS", u"IT", u"JP",   u"KR", u"DT", u"NR", u"PO", nullptr, nullptr, u"RO", u"RU",
      u"HR",   u"SK", u"SQ", u"SW", u"TI",   u"TK", u"UR", u"IN", u"UK", u"BE",  u"SL",  u"ET", u"LV",
      u"LT",   nullptr, u"FA", u"VI", u"HY", u"AZ", u"EU"};
  const unsigned primary = languageId & 0x3FF;
  const unsigned sub = languageId >> 10;
  switch (primary) {
    case 4: return sub == 2 ? u"CP" : u"CT";
    case 12: return sub == 3 ? u"FC" : u"FN";
    case 22: return sub == 2 ? u"PT" : u"BP";
    default: break;
  }
  if (primary < 46 && kCodes[primary] != nullptr) return kCodes[primary];
  return u"EN";
}

uint16_t ParseLanguageId(std::u16string_view hexText) {
  uint32_t value = 0;
  for (char16_t c : hexText) {
    int d;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
    else break;
    value = (value << 4 | static_cast<uint32_t>(d)) & 0xFFFFF;
  }
  return static_cast<uint16_t>(value);
}

std::u16string ChooseTextFile(const ModuleNames& names, std::u16string_view code,
                              const std::function<bool(const std::u16string&)>& exists) {
  std::u16string path = names.dir + names.base + std::u16string(code) + u".DAT";
  if (exists(path)) return path;
  path = names.dir + names.base + u"EN.DAT";
  if (exists(path)) return path;
  return names.dir + names.name + u".DAT";
}

}  // namespace qxge
