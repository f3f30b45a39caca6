// The printer's names for the paper and media numbers of a model's lists, as the option
// usage tips and the help address quote them.
#pragma once

#include "config/model_features.h"
#include "record/driver_dev_mode.h"

namespace qxge {

class PrinterPaperNames : public PaperNameSource {
 public:
  explicit PrinterPaperNames(const DriverDevMode& record) : record_(record) {}
  // Names the printer knows, in the list's order, joined by ", "; at most kMaxChars.
  std::u16string PaperNames(const IntList& papers) override;
  std::u16string MediaNames(const IntList& medias) override;

  static constexpr size_t kMaxChars = 767;

 private:
  const DriverDevMode& record_;
};

}  // namespace qxge
