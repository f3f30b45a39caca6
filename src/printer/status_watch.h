// The status monitor's per-printer switch of its printing-status window, kept in the machine's
// registry where the monitor reads it.
#pragma once

#include <optional>

#include "record/driver_dev_mode.h"

namespace qxge {

// The status window switch of the record's printer; none when its key cannot be opened.
std::optional<bool> ReadStatusWindowSwitch(const DriverDevMode& record);
// Creates the key when need be; silent when it cannot.
void WriteStatusWindowSwitch(const DriverDevMode& record, bool on);

}  // namespace qxge
