// The files the printer driver puts on each page of a job: the watermark, or a photo page's
// frame and message, rendered once through the printer's PostScript driver into a temporary
// file whenever the settings that draw them change.
#pragma once

#include <cstdint>

#include "record/driver_dev_mode.h"

namespace qxge {

// One page for the record's printer in orientation (1 portrait, 2 landscape): the decoration
// on paper paperSize ("Deco File"), or the watermark when paperSize is 0 ("WaterMark File").
// The file goes to the user's temporary folder; nothing is written when the printer cannot be
// had.
void RenderDecorationFile(const DriverDevMode& record, int16_t orientation, int16_t paperSize);

}  // namespace qxge
