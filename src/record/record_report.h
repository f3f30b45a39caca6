// A field-by-field account of what an apply is about to change in the host's record, for
// the people who look after a model's settings.
#pragma once

#include <cstddef>
#include <string>

#include "record/driver_dev_mode.h"

namespace qxge {

// The report never grows beyond this many units, its terminator included.
constexpr size_t kReportUnits = 8192;

// One line per changed field, in record order; a line that would not fit ends the report.
std::u16string RecordDifferenceText(const DriverDevMode& before, const DriverDevMode& after);

// Win32: puts the text on the clipboard and shows it in an information box.
void RecordDifferenceReport(const DriverDevMode& before, const DriverDevMode& after);

}  // namespace qxge
