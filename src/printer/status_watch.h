// The status monitor's per-printer switches, kept in the machine's registry where the monitor
// and the status-watch program read them: the monitor's printing-status window, and the watch's
// enabling, polling interval and last help topic in the printer's driver data.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "record/driver_dev_mode.h"

namespace qxge {

// The status window switch of the record's printer; none when its key cannot be opened.
std::optional<bool> ReadStatusWindowSwitch(const DriverDevMode& record);
// Creates the key when need be; silent when it cannot.
void WriteStatusWindowSwitch(const DriverDevMode& record, bool on);

struct SentrySettings {
  bool enabled = true;
  int32_t interval = 5;  // seconds
};
constexpr int32_t kMinSentryInterval = 1, kMaxSentryInterval = 60;

// Missing or damaged values give the defaults; an interval outside its range is clamped.
SentrySettings ReadSentrySettings(const DriverDevMode& record);
// Writes only into the key of a printer the spooler has: creating one would list a printer
// that is not there.
void WriteSentrySettings(const DriverDevMode& record, const SentrySettings& settings);
// The watch's last help topic, relative to the driver's folder; empty when it left none.
std::u16string ReadLastSentryTopic(const DriverDevMode& record);

}  // namespace qxge
