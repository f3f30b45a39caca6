// The papers the printing system reports for a printer description (PPD), numbered as Wine's
// PostScript driver numbers them: the standard names by their Windows paper numbers, every
// other name from 256 up in the order of its first *PageSize line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qxge {

struct PpdPaper {
  std::string name;
  int32_t id = 0;
  size_t line = 0;  // its *PageSize line, or the first line naming it when it has none
};

struct PpdPapers {
  std::vector<PpdPaper> offered;
  // Named by the file but dropped by the driver: no *PageSize or no *PaperDimension.
  std::vector<PpdPaper> dropped;
  // Entry lines the driver skips unread: longer than its 256-character line buffer, or
  // without a line end.
  std::vector<size_t> skippedLines;
};

PpdPapers ReadPpdPapers(std::string_view text);

// The Windows paper number of a standard PPD page-size name, or 0.
int32_t StandardPaperId(std::string_view name);

}  // namespace qxge
