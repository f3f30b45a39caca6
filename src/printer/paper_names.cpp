#include "printer/paper_names.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <vector>

#include "collections/custom_papers.h"
#include "printer/printer_lookup.h"

namespace qxge {
namespace {

// The number a driver gives the first paper it has no number for.
constexpr int32_t kUnnamedPaper = 256;

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

// A driver's numbers paired with its names, as far as both lists go.
template <typename Number, size_t N>
std::vector<PaperEntry> NamedEntries(const std::vector<Number>& numbers, const std::vector<std::array<char16_t, N>>& names) {
  std::vector<PaperEntry> entries;
  for (size_t i = 0; i < numbers.size() && i < names.size(); ++i)
    entries.push_back({static_cast<int32_t>(numbers[i]), DriverName(names[i])});
  return entries;
}

}  // namespace

std::vector<PaperEntry> OfferedPapers(const DriverDevMode& record, const IntList& largePapers) {
  const std::vector<DriverPaperName> names = DeviceCapabilityArray<DriverPaperName>(record, DC_PAPERNAMES);
  return OfferedPapers(MergePapers(DeviceCapabilityArray<uint16_t>(record, DC_PAPERS), &names, nullptr, {}),
                       largePapers);
}

std::vector<PaperEntry> OfferedPapers(std::vector<PaperEntry> papers, const IntList& largePapers) {
  papers.erase(std::remove_if(papers.begin(), papers.end(),
                              [&](const PaperEntry& p) {
                                return p.id >= 256 || p.name.empty() || ModelFeatures::ListContains(p.id, largePapers);
                              }),
               papers.end());
  return papers;
}

std::vector<PaperEntry> SizeListPapers(DriverDevMode& record) {
  std::vector<PaperEntry> papers = PrinterPapers(record, kPaperNames | kCustomPapers);
  papers.erase(std::remove_if(papers.begin(), papers.end(),
                              [](const PaperEntry& p) { return p.name.empty() || p.id == kUnnamedPaper; }),
               papers.end());
  return papers;
}

std::vector<PaperEntry> PrinterMediaTypes(const DriverDevMode& record) {
  const std::vector<DWORD> codes = DeviceCapabilityArray<DWORD>(record, DC_MEDIATYPES);
  if (codes.empty()) return {};
  return NamedEntries(codes, DeviceCapabilityArray<DriverPaperName>(record, DC_MEDIATYPENAMES));
}

std::vector<PaperEntry> PrinterBins(const DriverDevMode& record) {
  const std::vector<WORD> bins = DeviceCapabilityArray<WORD>(record, DC_BINS);
  if (bins.empty()) return {};
  return NamedEntries(bins, DeviceCapabilityArray<std::array<char16_t, 24>>(record, DC_BINNAMES));
}

std::u16string PrinterPaperNames::PaperNames(const IntList& papers) {
  if (papers.empty()) return {};
  const bool custom = std::any_of(papers.begin(), papers.end(), [](int32_t id) { return id >= kFirstCustomPaper; });
  return JoinNames(papers, PrinterPapers(record_, kPaperNames | (custom ? kCustomPapers : 0)));
}

std::u16string PrinterPaperNames::MediaNames(const IntList& medias) {
  if (medias.empty()) return {};
  return JoinNames(medias, PrinterMediaTypes(record_));
}

}  // namespace qxge
