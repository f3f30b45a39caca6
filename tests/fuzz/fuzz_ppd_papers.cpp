// A printer description as any vendor may have written it (endless or unterminated lines,
// quoted values running over many lines or never closing, names repeated), read for the papers
// the printing system offers: every name once, standard names by their Windows number, the
// others numbered from 256 in a row, and every line it names inside the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "printer/ppd_papers.h"

using qxge::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const qxge::PpdPapers papers = qxge::ReadPpdPapers(text);
  const size_t lines = 1 + static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) +
                       static_cast<size_t>(std::count(text.begin(), text.end(), '\r'));

  std::set<std::string> names;
  std::set<int32_t> userIds;
  for (const auto* list : {&papers.offered, &papers.dropped}) {
    for (const qxge::PpdPaper& p : *list) {
      Check(names.insert(p.name).second);
      Check(p.line >= 1 && p.line <= lines);
      Check(text.find(p.name) != std::string_view::npos);
      const int32_t standard = qxge::StandardPaperId(p.name);
      if (standard != 0)
        Check(p.id == standard || (list == &papers.dropped && p.id == 0));
      else if (p.id != 0)
        Check(p.id >= 256 && userIds.insert(p.id).second);
    }
  }
  // Numbers past 255 are handed out one after another, so none is skipped.
  if (!userIds.empty()) Check(*userIds.rbegin() == 255 + static_cast<int32_t>(userIds.size()));
  for (size_t line : papers.skippedLines) Check(line >= 1 && line <= lines);
  Check(std::is_sorted(papers.skippedLines.begin(), papers.skippedLines.end()));
  return 0;
}
