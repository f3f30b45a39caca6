// Pairs of arbitrary records through the comparison, the merge, the device-option copy and
// the difference report: no sanitizer finding, and the report stays within its buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "record/record_compare.h"
#include "record/record_report.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

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
  ++data;
  --size;

  // Record a repeats the first half of the input; b is a with the second half's edits
  // (offset high, offset low, value), at most 64 of them.
  qxge::DriverDevMode a, b;
  auto* bytesA = reinterpret_cast<uint8_t*>(&a);
  const size_t half = (size + 1) / 2;
  for (size_t i = 0; i < sizeof a; ++i) bytesA[i] = data[i % half];
  b = a;
  auto* bytesB = reinterpret_cast<uint8_t*>(&b);
  for (size_t i = half; i + 2 < size && i < half + 3 * 64; i += 3)
    bytesB[(static_cast<size_t>(data[i]) << 8 | data[i + 1]) % sizeof b] = data[i + 2];

  bool layout = false;
  Check(qxge::RecordsDiffer(a, a, &layout, switches & 0x80, model) == 0 && !layout);
  qxge::RecordsDiffer(a, b, &layout, switches & 0x80, model);
  qxge::RecordsDiffer(b, a, nullptr, false, model);

  const std::u16string report = qxge::RecordDifferenceText(a, b);
  Check(report.size() < qxge::kReportUnits);
  Check(report.empty() || report.back() == u'\n');

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
