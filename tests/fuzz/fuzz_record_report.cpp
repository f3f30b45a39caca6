// The difference report shows whatever two records hold: any texts, any values. Each line
// must say what the records say (integers as printf would print them), in record order, and
// the report ends only where the next line would not fit its buffer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "record/record_report.h"

namespace {

using qxge::FieldInfo;
using qxge::FieldKind;
using qxge::fuzz::Check;

std::u16string Widened(const char* ascii) { return std::u16string(ascii, ascii + std::strlen(ascii)); }

// "%d (0x%x)" of the field as its type reads: 16-bit signed values sign-extended for %d only.
std::u16string Printed(const FieldInfo& f, const uint8_t* bytes) {
  uint32_t raw = 0;
  std::memcpy(&raw, bytes, f.size);
  int64_t shown = raw;
  if (f.kind == FieldKind::I16) shown = static_cast<int16_t>(raw);
  if (f.kind == FieldKind::I32 || f.kind == FieldKind::U32) shown = static_cast<int32_t>(raw);
  char text[48];
  std::snprintf(text, sizeof text, "%lld (0x%x)", static_cast<long long>(shown), raw);
  return Widened(text);
}

// The lines a changed field gives, as a person reading the report expects them.
std::vector<std::u16string> Lines(const FieldInfo& f, const uint8_t* before, const uint8_t* after) {
  const std::u16string name = (f.part == qxge::FieldPart::Public ? u"dmPublic." : u"dmPrivate.") + Widened(f.name);
  const std::u16string binary = name + u": binary differs\n";
  if (f.kind == FieldKind::Bytes) return {binary};
  if (f.kind != FieldKind::Text) return {name + u": " + Printed(f, before) + u" -> " + Printed(f, after) + u"\n"};
  const std::u16string line =
      name + u": " + qxge::ReadText(before, f.size / 2) + u" -> " + qxge::ReadText(after, f.size / 2) + u"\n";
  if (f.offset == qxge::field::dmDeviceName.offset) return {line, binary};
  return {line};
}

bool Reported(const FieldInfo& f) {
  return std::strcmp(f.name, "DecoStrFaceName") != 0 && std::strcmp(f.name, "Reserved3986") != 0 &&
         std::strcmp(f.name, "Tail3989") != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  qxge::DriverDevMode before, after;
  qxge::fuzz::RecordPair(data + 1, size - 1, data[0] & 1, before, after);
  if (data[0] & 2) std::swap(before, after);

  const std::u16string report = qxge::RecordDifferenceText(before, after);
  Check(report.size() < qxge::kReportUnits);
  const auto* b = reinterpret_cast<const uint8_t*>(&before);
  const auto* a = reinterpret_cast<const uint8_t*>(&after);
  size_t pos = 0;
  bool full = false;
  for (const FieldInfo& f : qxge::kRecordFields) {
    if (!Reported(f) || std::memcmp(b + f.offset, a + f.offset, f.size) == 0) continue;
    for (const std::u16string& line : Lines(f, b + f.offset, a + f.offset)) {
      full = pos + line.size() > qxge::kReportUnits - 1;
      if (full) break;
      Check(report.compare(pos, line.size(), line) == 0);
      pos += line.size();
    }
    if (full) break;
  }
  Check(pos == report.size());
  Check(qxge::RecordDifferenceText(after, after).empty());
  return 0;
}
