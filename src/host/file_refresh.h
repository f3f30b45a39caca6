// After an apply, the watermark and decoration status of the host's record follows its
// watermark text and frame, so that the driver knows which files to regenerate.
#pragma once

#include "app/host_blocks.h"

namespace qxge {

void ApplyFileRefresh(SheetContext& sheet);

}  // namespace qxge
