#include "record/record_report.h"

#include <cstring>
#include <utility>

#include "config/profile_values.h"

namespace qxge {
namespace {

// Host bookkeeping, and a face name that only ever follows the date text it extends.
bool Reported(const FieldInfo& f) {
  return f.offset != field::DecoStrFaceName.offset && f.offset != field::Reserved3986.offset &&
         f.offset != field::Tail3989.offset;
}

uint32_t RawValue(const uint8_t* bytes, size_t size) {
  uint32_t value = 0;
  for (size_t i = size; i > 0; --i) value = value << 8 | bytes[i - 1];
  return value;
}

// %d of the value as the field's type gives it.
int64_t ShownValue(FieldKind kind, uint32_t raw) {
  switch (kind) {
    case FieldKind::I16:
      return static_cast<int16_t>(raw);
    case FieldKind::U32:
    case FieldKind::I32:
      return static_cast<int32_t>(raw);
    default:
      return raw;
  }
}

std::u16string LowerHex(uint32_t value) {
  std::u16string hex = FormatHexUpper(value);
  for (char16_t& c : hex)
    if (c >= u'A') c = static_cast<char16_t>(c - u'A' + u'a');
  return hex;
}

void AppendValue(std::u16string& line, FieldKind kind, const uint8_t* bytes, size_t size) {
  const uint32_t raw = RawValue(bytes, size);
  line += FormatDecimal(ShownValue(kind, raw));
  line += u" (0x";
  line += LowerHex(raw);
  line += u')';
}

class Report {
 public:
  // False once a line did not fit: the report ends there.
  bool Add(const std::u16string& line) {
    if (!open_ || text_.size() + line.size() > kReportUnits - 1) return open_ = false;
    text_ += line;
    return true;
  }
  std::u16string Take() { return std::move(text_); }

 private:
  std::u16string text_;
  bool open_ = true;
};

std::u16string FieldName(const FieldInfo& f) {
  return (f.part == FieldPart::Public ? u"dmPublic." : u"dmPrivate.") + Utf16FromAscii(f.name);
}

bool ReportField(Report& report, const FieldInfo& f, const uint8_t* before, const uint8_t* after) {
  const std::u16string name = FieldName(f);
  if (f.kind == FieldKind::Bytes) return report.Add(name + u": binary differs\n");
  std::u16string line = name + u": ";
  if (f.kind == FieldKind::Text) {
    line += ReadText(before, f.size / 2) + u" -> " + ReadText(after, f.size / 2);
  } else {
    AppendValue(line, f.kind, before, f.size);
    line += u" -> ";
    AppendValue(line, f.kind, after, f.size);
  }
  if (!report.Add(line + u'\n')) return false;
  // The printer name keys the record cache: a change there is shown down to the bytes.
  if (f.offset == field::dmDeviceName.offset) return report.Add(name + u": binary differs\n");
  return true;
}

}  // namespace

std::u16string RecordDifferenceText(const DriverDevMode& before, const DriverDevMode& after) {
  const auto* b = reinterpret_cast<const uint8_t*>(&before);
  const auto* a = reinterpret_cast<const uint8_t*>(&after);
  Report report;
  for (const FieldInfo& f : kRecordFields) {
    if (!Reported(f) || std::memcmp(b + f.offset, a + f.offset, f.size) == 0) continue;
    if (!ReportField(report, f, b + f.offset, a + f.offset)) break;
  }
  return report.Take();
}

}  // namespace qxge
