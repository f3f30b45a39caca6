// What counts as a change of the job settings, how the working copy goes back into the
// host's record, and the installed-device options that travel between records.
#pragma once

#include <cstdint>

#include "config/model_features.h"
#include "record/driver_dev_mode.h"

namespace qxge {

constexpr ByteRange Span(const FieldInfo& first, const FieldInfo& last) {
  return {first.offset, static_cast<uint16_t>(last.End() - first.offset)};
}

// Installed printer hardware rather than a job choice.
inline constexpr FieldInfo kDeviceOptionFields[] = {field::iOptTray,    field::iOptFinisher, field::iEvlSupply,
                                                    field::iDuplexUnit, field::iInHard,      field::iStaple,
                                                    field::iHighAlt,    field::iPowerSave,   field::iExcludeHeader};
// FrameStyle sits inside the watermark attributes but belongs to the decoration switch.
inline constexpr ByteRange kWatermarkFields[] = {Span(field::iWaterCombo, field::WaterStrFaceName),
                                                 Span(field::WaterxPosition, field::lfItalic)};
inline constexpr ByteRange kDecorationFields = Span(field::StrDecoNote, field::iDecoFirstpage);

// 0 when nothing significant differs, else -1 or 1. With layoutChanged, a change that needs
// the pages rebuilt sets it and answers at once.
int RecordsDiffer(const DriverDevMode& a, const DriverDevMode& b, bool* layoutChanged, bool ignoreDeviceOptions,
                  const ModelFeatures& model);

// The host's record takes the working copy: public fields under the source's dmFields bits,
// the private part whole.
void MergeRecord(DriverDevMode& destination, const DriverDevMode& source);

// Takes the device options from device (when given) and, while current cannot print on both
// sides, the duplex choice from other; true when the duplex choice of current changed.
bool CopyDeviceOptions(DriverDevMode& current, const DriverDevMode& other, const DriverDevMode* device,
                       const ModelFeatures& model);

bool IsDuplexBlocked(const DriverDevMode& record, const ModelFeatures& model);

}  // namespace qxge
