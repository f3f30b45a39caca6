// Pairs of arbitrary records through the comparison, the merge and the device-option copy:
// no sanitizer finding, and each moves exactly the bytes it owns.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_input.h"
#include "record/record_compare.h"

using qxge::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  qxge::ModelFeatures model;
  const uint8_t switches = data[0];
  model.PaperCollate = switches & 1;
  model.LayoutDoubleManual = switches >> 1 & 1;
  model.PrinterDuplex = switches >> 2 & 1;
  model.LayoutDoubleSided = switches >> 3 & 1;
  model.LayoutFitToPage = switches >> 4 & 1;
  if (switches & 0x20) model.DoubleSidedPapers = {9, 11, -1};
  if (switches & 0x40) model.DoubleSidedMedias = {0, 2};

  qxge::DriverDevMode a, b;
  qxge::fuzz::RecordPair(data + 1, size - 1, false, a, b);
  const auto* bytesB = reinterpret_cast<const uint8_t*>(&b);

  bool layout = false;
  Check(qxge::RecordsDiffer(a, a, &layout, switches & 0x80, model) == 0 && !layout);
  qxge::RecordsDiffer(a, b, &layout, switches & 0x80, model);
  qxge::RecordsDiffer(b, a, nullptr, false, model);

  qxge::DriverDevMode merged = b;
  qxge::MergeRecord(merged, a);
  Check(std::memcmp(&merged.dmPrivate, &a.dmPrivate, sizeof a.dmPrivate) == 0);
  Check(std::memcmp(&merged, &a, 76) == 0);

  qxge::DriverDevMode current = a;
  qxge::CopyDeviceOptions(current, b, &b, model);
  for (const qxge::FieldInfo& option : qxge::kDeviceOptionFields)
    Check(std::memcmp(reinterpret_cast<uint8_t*>(&current) + option.offset, bytesB + option.offset, option.size) == 0);
  return 0;
}
