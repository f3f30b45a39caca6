#include "printer/paper_list.h"

#include <algorithm>

namespace qxge {

std::vector<PaperEntry> MergePapers(const std::vector<uint16_t>& ids, const std::vector<DriverPaperName>* names,
                                    const std::vector<DriverPaperSize>* sizes, const std::vector<PaperEntry>& custom) {
  std::vector<PaperEntry> papers;
  if (ids.empty()) return papers;
  for (size_t i = 0; i < ids.size(); ++i) {
    if ((names != nullptr && i >= names->size()) || (sizes != nullptr && i >= sizes->size())) break;
    PaperEntry paper{ids[i], {}};
    if (names != nullptr) paper.name = DriverName((*names)[i]);
    if (sizes != nullptr) paper.width = (*sizes)[i].x, paper.height = (*sizes)[i].y;
    papers.push_back(std::move(paper));
  }
  for (const PaperEntry& paper : custom)
    if (std::find(ids.begin(), ids.end(), paper.id) == ids.end()) papers.push_back(paper);
  return papers;
}

}  // namespace qxge
