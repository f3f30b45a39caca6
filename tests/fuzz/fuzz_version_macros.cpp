// Version files come with each driver and texts with each translation; neither may blow up a
// text or get written to. Where the expanded text stays within its bound all along, it must be
// exactly the text with each macro, in table order, replaced by its value.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/profile_file.h"
#include "config/version_macros.h"
#include "fuzz_input.h"
#include "memory_profile_storage.h"

namespace {

using qxge::fuzz::Check;

struct Expected {
  std::u16string text;
  bool replaced = false;
  bool bounded = true;  // never longer than the bound at any step
};

// Without the bound, given up once past it; values are read as the module reads them.
Expected ExpandUnbounded(std::u16string text, qxge::ProfileFile& version) {
  Expected e{text, false, text.size() <= qxge::kMaxExpandedChars};
  if (!e.bounded || text.find(u'$') == std::u16string::npos) return e;
  version.SetSection(u"Version");
  for (const qxge::TextMacro& m : qxge::kTextMacros) {
    const std::u16string what(m.macro);
    if (e.text.find(what) == std::u16string::npos) continue;
    char16_t buffer[256];
    const std::u16string value(buffer, version.ReadString(m.key, buffer, 256, nullptr));
    for (size_t at = e.text.find(what); at != std::u16string::npos; at = e.text.find(what, at + value.size())) {
      e.text.replace(at, what.size(), value);
      e.replaced = true;
      e.bounded = e.text.size() <= qxge::kMaxExpandedChars;
      if (!e.bounded) return e;
    }
  }
  return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qxge::fuzz::Utf16Input in(data, size);
  const std::u16string original = in.Take(in.Unit());
  const std::u16string versionText = in.Rest();

  qxge::MemoryProfileStorage storage;
  const std::u16string path = u"C:\\Drivers\\QX_Office.VER";
  storage.Put(path, versionText);
  qxge::ProfileFile version(storage);
  version.SetFile(path, false);
  // Write-back is on while a model is being set up; still nothing may be written here.
  const int32_t writeBack = 1;
  version.SetWriteBack(&writeBack);

  std::u16string text = original;
  const bool replaced = qxge::ExpandMacros(text, version);
  Check(storage.saves == 0);
  Check(text.size() <= std::max(original.size(), qxge::kMaxExpandedChars));

  const Expected expected = ExpandUnbounded(original, version);
  if (expected.bounded) Check(text == expected.text && replaced == expected.replaced);

  // The same text as a model information line: ten lines whatever it holds, each bounded
  // however often it names the version block.
  const std::u16string textPath = u"C:\\Drivers\\QX5000EN.DAT";
  storage.Put(textPath, u"[About]\r\nM_Info3=" + original + u"\r\n");
  qxge::ProfileFile textFile(storage);
  textFile.SetFile(textPath, false);
  textFile.SetMacroSource(&version);
  textFile.SetSection(u"About");
  const std::u16string info =
      qxge::ModelInfoText(textFile, [](std::u16string_view name) { return std::u16string(300, name[0]); });
  Check(info.size() <= 10 + qxge::kMaxExpandedChars);
  if (original.find_first_of(u"\r\n") == std::u16string::npos && original.find(u'\0') == std::u16string::npos)
    Check(std::count(info.begin(), info.end(), u'\n') == 10);
  return 0;
}
