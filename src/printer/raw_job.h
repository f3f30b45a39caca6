// Jobs that go to the printer as they are, past the driver: PJL requests, maintenance commands
// and files made for the printer. Nothing is reported: a printer or file that cannot be had
// sends nothing.
#pragma once

#include <cstddef>
#include <string_view>

#include "record/driver_dev_mode.h"

namespace qxge {

// A file bigger than this is not one made for the printer's maintenance.
constexpr size_t kMaxRawFileBytes = 64u << 20;

// Sends length bytes as one document to the record's printer; length -1 takes the bytes up to
// their terminating zero.
void SendRawJob(const DriverDevMode& record, std::u16string_view documentName, const void* bytes, ptrdiff_t length);
// Sends the whole file; false, with nothing sent, when it is empty, open elsewhere, too large
// or not read whole.
bool SendFileAsJob(const DriverDevMode& record, std::u16string_view path, std::u16string_view documentName);

}  // namespace qxge
