// The papers a list offers: the printer driver's answers, taken as they come (three lists that
// may differ in length, names that may fill their field without a terminator), and the user's
// custom sizes, which Windows drivers do not report.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qxge {

struct PaperEntry {
  int32_t id;
  std::u16string name;
  int32_t width = 0, height = 0;  // tenths of a millimetre
};

// The element layouts of the driver's DC_PAPERNAMES and DC_PAPERSIZE answers.
using DriverPaperName = std::array<char16_t, 64>;
struct DriverPaperSize {
  int32_t x, y;
};

// A name of the driver's list (papers, media types, bins), up to its terminator or the field's end.
template <size_t N>
std::u16string DriverName(const std::array<char16_t, N>& name) {
  return std::u16string(name.begin(), std::find(name.begin(), name.end(), u'\0'));
}

// The driver's papers in its order, each only when the lists asked for (not null) hold it too;
// then the custom sizes whose ids the driver does not report. None when it reports no papers.
std::vector<PaperEntry> MergePapers(const std::vector<uint16_t>& ids, const std::vector<DriverPaperName>* names,
                                    const std::vector<DriverPaperSize>* sizes, const std::vector<PaperEntry>& custom);

}  // namespace qxge
