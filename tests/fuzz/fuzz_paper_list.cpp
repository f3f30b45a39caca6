// A printer driver's paper lists as any driver may answer them (lists of different lengths,
// names filling their field, custom numbers it reports itself) merged with the user's sizes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_input.h"
#include "printer/paper_list.h"

namespace {

using qxge::fuzz::Check;

template <typename T>
std::vector<T> Take(const uint8_t*& data, size_t& size, size_t count) {
  std::vector<T> items(std::min(count, size / sizeof(T)));
  if (!items.empty()) std::memcpy(items.data(), data, items.size() * sizeof(T));
  data += items.size() * sizeof(T);
  size -= items.size() * sizeof(T);
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const size_t idCount = data[0] % 32, nameCount = data[1] % 32, sizeCount = data[2] % 32;
  const uint8_t asked = data[3];
  data += 4;
  size -= 4;
  const std::vector<uint16_t> ids = Take<uint16_t>(data, size, idCount);
  const std::vector<qxge::DriverPaperName> names = Take<qxge::DriverPaperName>(data, size, nameCount);
  const std::vector<qxge::DriverPaperSize> sizes = Take<qxge::DriverPaperSize>(data, size, sizeCount);
  std::vector<qxge::PaperEntry> custom;
  for (const uint8_t* p = data; p < data + size; ++p) custom.push_back({257 + *p, u"size", 1000, 1000});

  const std::vector<qxge::PaperEntry> papers =
      qxge::MergePapers(ids, (asked & 1) ? &names : nullptr, (asked & 2) ? &sizes : nullptr, custom);
  if (ids.empty()) Check(papers.empty());
  // The driver's entries come first, in its order, as far as every list asked for reaches;
  // after them only custom sizes, none with a number the driver reports.
  size_t driverEntries = ids.size();
  if (asked & 1) driverEntries = std::min(driverEntries, names.size());
  if (asked & 2) driverEntries = std::min(driverEntries, sizes.size());
  Check(papers.size() >= driverEntries && papers.size() <= driverEntries + custom.size());
  for (size_t i = 0; i < papers.size(); ++i) {
    Check(papers[i].name.size() <= std::tuple_size<qxge::DriverPaperName>::value);
    if (i < driverEntries)
      Check(papers[i].id == ids[i]);
    else
      Check(papers[i].name == u"size" && std::find(ids.begin(), ids.end(), papers[i].id) == ids.end());
  }
  return 0;
}
