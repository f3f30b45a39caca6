#include "printer/paper_names.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "collections/custom_papers.h"
#include "printer/printer_lookup.h"

namespace qxge {
namespace {

std::u16string JoinNames(const IntList& wanted, const std::vector<PaperEntry>& known) {
  std::u16string joined;
  for (int32_t number : wanted) {
    const auto entry = std::find_if(known.begin(), known.end(), [number](const PaperEntry& e) { return e.id == number; });
    if (entry == known.end()) continue;
    const size_t needed = joined.size() + (joined.empty() ? 0 : 2) + entry->name.size();
    // A list that no longer fits ends with the last whole name.
    if (needed > PrinterPaperNames::kMaxChars) return joined;
    if (!joined.empty()) joined += u", ";
    joined += entry->name;
  }
  return joined;
}

}  // namespace

std::vector<PaperEntry> OfferedPapers(const DriverDevMode& record, const IntList& largePapers) {
  const std::vector<DriverPaperName> names = DeviceCapabilityArray<DriverPaperName>(record, DC_PAPERNAMES);
  std::vector<PaperEntry> papers = MergePapers(DeviceCapabilityArray<uint16_t>(record, DC_PAPERS), &names, nullptr, {});
  papers.erase(std::remove_if(papers.begin(), papers.end(),
                              [&](const PaperEntry& p) {
                                return p.id >= 256 || p.name.empty() || ModelFeatures::ListContains(p.id, largePapers);
                              }),
               papers.end());
  return papers;
}

std::u16string PrinterPaperNames::PaperNames(const IntList& papers) {
  if (papers.empty()) return {};
  const bool custom = std::any_of(papers.begin(), papers.end(), [](int32_t id) { return id >= kFirstCustomPaper; });
  return JoinNames(papers, PrinterPapers(record_, kPaperNames | (custom ? kCustomPapers : 0)));
}

std::u16string PrinterPaperNames::MediaNames(const IntList& medias) {
  if (medias.empty()) return {};
  const std::vector<DWORD> codes = DeviceCapabilityArray<DWORD>(record_, DC_MEDIATYPES);
  const std::vector<DriverPaperName> names = DeviceCapabilityArray<DriverPaperName>(record_, DC_MEDIATYPENAMES);
  std::vector<PaperEntry> known;
  for (size_t i = 0; i < codes.size() && i < names.size(); ++i)
    known.push_back({static_cast<int32_t>(codes[i]), DriverName(names[i])});
  return JoinNames(medias, known);
}

}  // namespace qxge
