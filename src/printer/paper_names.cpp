#include "printer/paper_names.h"

#include <windows.h>

#include <array>
#include <vector>

#include "platform/win_text.h"
#include "printer/printer_lookup.h"

namespace qxge {
namespace {

using Name64 = std::array<wchar_t, 64>;

template <typename Code>
std::u16string JoinNames(const IntList& wanted, const std::vector<Code>& codes, const std::vector<Name64>& names) {
  std::u16string joined;
  for (int32_t number : wanted) {
    for (size_t i = 0; i < codes.size() && i < names.size(); ++i) {
      if (static_cast<int64_t>(codes[i]) != number) continue;
      const Name64& name = names[i];
      const std::u16string text(platform::U(name.data()), wcsnlen(name.data(), name.size()));
      const size_t needed = joined.size() + (joined.empty() ? 0 : 2) + text.size();
      // A list that no longer fits ends with the last whole name.
      if (needed > PrinterPaperNames::kMaxChars) return joined;
      if (!joined.empty()) joined += u", ";
      joined += text;
      break;
    }
  }
  return joined;
}

}  // namespace

std::vector<OfferedPaper> OfferedPapers(const DriverDevMode& record, const IntList& largePapers) {
  const std::vector<WORD> codes = DeviceCapabilityArray<WORD>(record, DC_PAPERS);
  const std::vector<Name64> names = DeviceCapabilityArray<Name64>(record, DC_PAPERNAMES);
  std::vector<OfferedPaper> papers;
  for (size_t i = 0; i < codes.size() && i < names.size(); ++i) {
    const size_t length = wcsnlen(names[i].data(), names[i].size());
    if (codes[i] >= 256 || length == 0 || ModelFeatures::ListContains(codes[i], largePapers)) continue;
    papers.push_back({codes[i], std::u16string(platform::U(names[i].data()), length)});
  }
  return papers;
}

std::u16string PrinterPaperNames::PaperNames(const IntList& papers) {
  if (papers.empty()) return {};
  return JoinNames(papers, DeviceCapabilityArray<WORD>(record_, DC_PAPERS),
                   DeviceCapabilityArray<Name64>(record_, DC_PAPERNAMES));
}

std::u16string PrinterPaperNames::MediaNames(const IntList& medias) {
  if (medias.empty()) return {};
  return JoinNames(medias, DeviceCapabilityArray<DWORD>(record_, DC_MEDIATYPES),
                   DeviceCapabilityArray<Name64>(record_, DC_MEDIATYPENAMES));
}

}  // namespace qxge
