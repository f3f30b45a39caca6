// The resolutions a record can name: 24 in three rows of eight (1200, 600 and 300 dpi) and
// Draft Mode, by index (the model says which it offers: ModelFeatures::ResolutionAvailable), and
// how a choice moves on when the chosen one cannot be had.
#pragma once

#include <cstdint>

#include "config/model_features.h"
#include "record/driver_dev_mode.h"

namespace qxge {

struct ResolutionChoice {
  int16_t quality;      // dmPrintQuality
  uint16_t resolution;  // iResolution
  const char16_t* caption;  // the preview's name for it, a key of the text file
};

constexpr int kResolutionCount = 25, kDraftMode = 24, kResolutionRow = 8;
extern const ResolutionChoice kResolutionChoices[kResolutionCount];

// Draft Mode is 600 dpi with the toner saved, on models that offer it.
bool IsDraftMode(const DriverDevMode& record, const ModelFeatures& model);

// The index the record names: Draft Mode, else the matching pair (no iResolution meaning the
// print quality itself), else 0.
int ResolutionIndex(const DriverDevMode& record, const ModelFeatures& model);

// The next index after index, round the end, that is in offered and, while a poster is chosen,
// outside the 1200 row; index itself when there is none.
int NextResolution(int index, uint32_t offered, bool poster);

// Image modes 0..3 (printer setting, normal, text, image) available at a resolution index.
bool ImageModeAvailable(int mode, int index, const ModelFeatures& model);

}  // namespace qxge
