#include "record/record_compare.h"

#include <cstring>

namespace qxge {
namespace {

constexpr uint32_t kAlways = 0xFFFFFFFFu;  // the field counts whatever dmFields says
constexpr uint32_t kNever = 0;

// A public field and the dmFields bit under which the merge copies it and the comparison
// looks at it.
struct PublicRule {
  ByteRange bytes;
  uint32_t mergeBit;
  uint32_t compareBit;
};

// The position block overlays the first four paper fields; copying it whole and then the
// same fields again under their own bits changes nothing, so one list serves both.
constexpr PublicRule kPublicRules[] = {
    {Span(field::dmOrientation, field::dmPaperWidth), dm::kPosition, dm::kPosition},
    {field::dmOrientation, dm::kOrientation, dm::kOrientation},
    {field::dmPaperSize, dm::kPaperSize, dm::kPaperSize},
    {field::dmPaperLength, dm::kPaperLength, dm::kPaperLength},
    {field::dmPaperWidth, dm::kPaperWidth, dm::kPaperWidth},
    {field::dmScale, dm::kScale, dm::kScale},
    {field::dmCopies, dm::kCopies, dm::kCopies},
    {field::dmDefaultSource, dm::kDefaultSource, dm::kDefaultSource},
    {field::dmPrintQuality, dm::kPrintQuality, dm::kPrintQuality},
    {field::dmColor, dm::kColor, dm::kColor},
    {field::dmDuplex, dm::kDuplex, dm::kDuplex},
    {field::dmYResolution, dm::kYResolution, dm::kYResolution},
    {field::dmTTOption, dm::kTTOption, dm::kTTOption},
    {field::dmCollate, dm::kCollate, dm::kCollate},
    {field::dmFormName, dm::kFormName, dm::kFormName},
    {field::dmLogPixels, dm::kLogPixels, dm::kLogPixels},
    {field::dmBitsPerPel, dm::kBitsPerPel, dm::kBitsPerPel},
    {field::dmPelsWidth, dm::kPelsWidth, dm::kPelsWidth},
    {field::dmPelsHeight, dm::kPelsHeight, dm::kPelsHeight},
    // dmNup shares its place with dmDisplayFlags: the host marks it one way, the driver the other.
    {field::dmNup, dm::kDisplayFlags, dm::kNup},
    {field::dmDisplayFrequency, dm::kDisplayFrequency, dm::kDisplayFrequency},
    {field::dmICMMethod, dm::kICMMethod, kNever},
    {field::dmICMIntent, dm::kICMIntent, kNever},
    {field::dmMediaType, dm::kMediaType, dm::kMediaType},
    {field::dmDitherType, dm::kDitherType, dm::kDitherType},
    {field::dmReserved1, kAlways, kAlways},
    {field::dmReserved2, kAlways, kAlways},
    {field::dmPanningWidth, dm::kPanningWidth, dm::kPanningWidth},
    {field::dmPanningHeight, dm::kPanningHeight, dm::kPanningHeight},
};

bool Selected(uint32_t bit, uint32_t fields) { return bit == kAlways || (fields & bit) != 0; }

const uint8_t* Bytes(const DriverDevMode& record) { return reinterpret_cast<const uint8_t*>(&record); }
uint8_t* Bytes(DriverDevMode& record) { return reinterpret_cast<uint8_t*>(&record); }

int Sign(int compared) { return (compared > 0) - (compared < 0); }

int CompareRange(const DriverDevMode& a, const DriverDevMode& b, ByteRange range) {
  return Sign(std::memcmp(Bytes(a) + range.offset, Bytes(b) + range.offset, range.size));
}

void CopyRange(DriverDevMode& to, const DriverDevMode& from, ByteRange range) {
  std::memcpy(Bytes(to) + range.offset, Bytes(from) + range.offset, range.size);
}

// Papers 134 and 135 print with their own layout; moving into or out of them rebuilds it.
bool InLayoutPaperGroup(int16_t paper) { return paper == 134 || paper == 135; }

bool LayoutDiffers(const DriverDevMode& a, const DriverDevMode& b) {
  const PrivateDevMode &pa = a.dmPrivate, &pb = b.dmPrivate;
  if (pa.IsMMInch != pb.IsMMInch) return true;
  if ((pa.iNup == 1 || pb.iNup == 1) && (pa.iNup != pb.iNup || a.dmPublic.dmOrientation != b.dmPublic.dmOrientation))
    return true;
  return InLayoutPaperGroup(a.dmPublic.dmPaperSize) != InLayoutPaperGroup(b.dmPublic.dmPaperSize);
}

// Whether the user's duplex choice for this record and model is the manual one rather than
// the printer's.
bool ManualDuplexChosen(const DriverDevMode& record, const ModelFeatures& model) {
  return model.LayoutDoubleManual != 0 && (model.PrinterDuplex == 0 || record.dmPrivate.iDuplexUnit < 1);
}

int ComparePublic(const DriverDevMode& a, const DriverDevMode& b, const ModelFeatures& model) {
  if (int c = CompareRange(a, b, Span(field::dmSpecVersion, field::dmDriverExtra))) return c;
  uint32_t both = a.dmPublic.dmFields & b.dmPublic.dmFields;
  if (model.PaperCollate == 0) both &= ~dm::kCollate;
  for (const PublicRule& rule : kPublicRules) {
    if (!Selected(rule.compareBit, both)) continue;
    if (int c = CompareRange(a, b, rule.bytes)) return c;
  }
  return 0;
}

int ComparePrivate(const DriverDevMode& a, const DriverDevMode& b, bool ignoreDeviceOptions,
                   const ModelFeatures& model) {
  // b's private part with a's bytes wherever a difference would not count.
  uint8_t scratch[kPrivateDevModeBytes];
  std::memcpy(scratch, &b.dmPrivate, sizeof scratch);
  const uint8_t* from = Bytes(a);
  auto keep = [&](ByteRange range) {
    std::memcpy(scratch + (range.offset - kPublicDevModeBytes), from + range.offset, range.size);
  };
  const PrivateDevMode &pa = a.dmPrivate, &pb = b.dmPrivate;
  const uint32_t both = a.dmPublic.dmFields & b.dmPublic.dmFields;

  if ((both & dm::kPaperLength) == 0) keep(field::iPaperLength);
  if ((both & dm::kPaperWidth) == 0) keep(field::iPaperWidth);
  if (pa.iNup == 0 && pb.iNup == 0) {
    keep(field::iNupLayout);
    if (pb.iClone == 0) keep(field::iNupBorder);
  }
  if (pa.iPoster == 0 && pb.iPoster == 0) {
    keep(field::iPoster_Scale);
    keep(field::iPosterOverlap);
  }
  if (pa.iER == 0 && pb.iER == 0) keep(field::iERRatio);
  if (pa.iFitPage == 0 && pb.iFitPage == 0) keep(field::iFitPagePaper);
  if (pa.iVirtualPrint == 0 && pb.iVirtualPrint == 0) {
    keep(field::iVirtualPaper);
    keep(field::iVirtualLayout);
  }
  if (pa.cWaterText.IsEmpty() && pb.cWaterText.IsEmpty())
    for (const ByteRange& range : kWatermarkFields) keep(range);
  if (pa.FrameStyle == 0 && pb.FrameStyle == 0) keep(kDecorationFields);
  if (model.PaperCollate == 0) keep(field::bDrvCollate);
  // Status words and the favorite's name follow the settings; they are not settings.
  keep(field::iWaterMarkStatus);
  keep(field::iDecoStatus);
  keep(field::cQuickSet);
  keep(field::Tail3989);
  keep(ManualDuplexChosen(a, model) ? field::iHardwareDuplex : field::iManualDuplex);
  if (ignoreDeviceOptions)
    for (const FieldInfo& option : kDeviceOptionFields) keep(option);
  if (pa.ovrLoadCreate == 0 && pb.ovrLoadCreate == 0) keep(field::ovrFileName);

  return Sign(std::memcmp(&a.dmPrivate, scratch, sizeof scratch));
}

}  // namespace

int RecordsDiffer(const DriverDevMode& a, const DriverDevMode& b, bool* layoutChanged, bool ignoreDeviceOptions,
                  const ModelFeatures& model) {
  if (layoutChanged != nullptr && LayoutDiffers(a, b)) {
    *layoutChanged = true;
    return 1;
  }
  if (int c = ComparePublic(a, b, model)) return c;
  return ComparePrivate(a, b, ignoreDeviceOptions, model);
}

void MergeRecord(DriverDevMode& destination, const DriverDevMode& source) {
  CopyRange(destination, source, Span(field::dmDeviceName, field::dmFields));
  for (const PublicRule& rule : kPublicRules)
    if (Selected(rule.mergeBit, source.dmPublic.dmFields)) CopyRange(destination, source, rule.bytes);
  destination.dmPrivate = source.dmPrivate;
}

bool CopyDeviceOptions(DriverDevMode& current, const DriverDevMode& other, const DriverDevMode* device,
                       const ModelFeatures& model) {
  if (device != nullptr)
    for (const FieldInfo& option : kDeviceOptionFields) CopyRange(current, *device, option);
  if (model.LayoutDoubleSided == 0) return false;
  // The duplex choice of a record that can print on both sides is the user's own and stays.
  // Only a record that cannot (its paper, media or missing unit forbid it, and it is no
  // poster) takes the user default's, so that a choice the page cannot show is never kept.
  if (!IsDuplexBlocked(current, model) || current.dmPrivate.iPoster >= 1) return false;
  const ByteRange duplex = ManualDuplexChosen(current, model) ? field::iManualDuplex : field::iHardwareDuplex;
  if (CompareRange(current, other, duplex) == 0) return false;
  CopyRange(current, other, duplex);
  return true;
}

bool IsDuplexBlocked(const DriverDevMode& record, const ModelFeatures& model) {
  const PrivateDevMode& p = record.dmPrivate;
  if (model.PrinterDuplex != 0 && p.iDuplexUnit == 0 && model.LayoutDoubleManual == 0) return true;
  if (!model.DoubleSidedMedias.empty() && !ModelFeatures::ListContains(p.iPaperType, model.DoubleSidedMedias))
    return true;
  const int32_t paper = model.LayoutFitToPage != 0 && p.iFitPage != 0 ? p.iFitPagePaper : record.dmPublic.dmPaperSize;
  return !ModelFeatures::ListContains(paper, model.DoubleSidedPapers);
}

}  // namespace qxge
