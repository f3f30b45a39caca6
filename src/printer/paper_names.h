// The printer's names for the paper and media numbers of a model's lists, as the option
// usage tips and the help address quote them.
#pragma once

#include <vector>

#include "config/model_features.h"
#include "printer/paper_list.h"
#include "record/driver_dev_mode.h"

namespace qxge {

// The papers the printer reports that a list may offer: a standard id (below 256), a name, and
// not one of the model's large papers; the second form picks them from papers already asked for.
std::vector<PaperEntry> OfferedPapers(const DriverDevMode& record, const IntList& largePapers);
std::vector<PaperEntry> OfferedPapers(std::vector<PaperEntry> papers, const IntList& largePapers);

// The papers a Size list offers: every paper the printer reports with a name, the user's custom
// sizes among them, but never 256: a driver numbers the first paper it cannot name so, and a
// custom size is known by its own number from 257 up.
std::vector<PaperEntry> SizeListPapers(DriverDevMode& record);

// The printer's media types and paper bins as number and name, in its order; empty when it
// reports none or cannot be asked.
std::vector<PaperEntry> PrinterMediaTypes(const DriverDevMode& record);
std::vector<PaperEntry> PrinterBins(const DriverDevMode& record);

class PrinterPaperNames : public PaperNameSource {
 public:
  explicit PrinterPaperNames(DriverDevMode& record) : record_(record) {}
  // Names the printer knows (custom sizes included), in the list's order, joined by ", "; at most kMaxChars.
  std::u16string PaperNames(const IntList& papers) override;
  std::u16string MediaNames(const IntList& medias) override;

  static constexpr size_t kMaxChars = 767;

 private:
  DriverDevMode& record_;
};

}  // namespace qxge
