// The job-settings record: the host's DEVMODEW followed by the driver's private part. It is
// also the storage format of the user default and of every favorite, so no field may move.
// Every field is declared once, in the two lists below; the structures, the layout checks and
// the field table are generated from them. Every member has byte alignment, so the record
// may sit anywhere in the host's memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qxge {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the record stores integers little-endian");

enum class FieldKind : uint8_t { U8, U16, I16, U32, I32, Text, Bytes };
enum class FieldPart : uint8_t { Public, Private };

constexpr size_t FieldBytes(FieldKind kind, size_t count) {
  switch (kind) {
    case FieldKind::U8: return 1;
    case FieldKind::U16:
    case FieldKind::I16: return 2;
    case FieldKind::U32:
    case FieldKind::I32: return 4;
    case FieldKind::Text: return 2 * count;
    case FieldKind::Bytes: return count;
  }
  return 0;
}

// X(name, record offset, kind, characters for text / bytes for blocks / 1 for integers)
#define QXGE_PUBLIC_DEVMODE_FIELDS(X) \
  X(dmDeviceName, 0, Text, 32) \
  X(dmSpecVersion, 64, U16, 1) \
  X(dmDriverVersion, 66, U16, 1) \
  X(dmSize, 68, U16, 1) \
  X(dmDriverExtra, 70, U16, 1) \
  X(dmFields, 72, U32, 1) \
  X(dmOrientation, 76, I16, 1) \
  X(dmPaperSize, 78, I16, 1) \
  X(dmPaperLength, 80, I16, 1) \
  X(dmPaperWidth, 82, I16, 1) \
  X(dmScale, 84, I16, 1) \
  X(dmCopies, 86, I16, 1) \
  X(dmDefaultSource, 88, I16, 1) \
  X(dmPrintQuality, 90, I16, 1) \
  X(dmColor, 92, I16, 1) \
  X(dmDuplex, 94, I16, 1) \
  X(dmYResolution, 96, I16, 1) \
  X(dmTTOption, 98, I16, 1) \
  X(dmCollate, 100, I16, 1) \
  X(dmFormName, 102, Text, 32) \
  X(dmLogPixels, 166, U16, 1) \
  X(dmBitsPerPel, 168, U32, 1) \
  X(dmPelsWidth, 172, U32, 1) \
  X(dmPelsHeight, 176, U32, 1) \
  X(dmNup, 180, U32, 1) \
  X(dmDisplayFrequency, 184, U32, 1) \
  X(dmICMMethod, 188, U32, 1) \
  X(dmICMIntent, 192, U32, 1) \
  X(dmMediaType, 196, U32, 1) \
  X(dmDitherType, 200, U32, 1) \
  X(dmReserved1, 204, U32, 1) \
  X(dmReserved2, 208, U32, 1) \
  X(dmPanningWidth, 212, U32, 1) \
  X(dmPanningHeight, 216, U32, 1)

#define QXGE_PRIVATE_DEVMODE_FIELDS(X) \
  X(dwPrivDATA, 220, U32, 1) \
  X(dwFlags, 224, U32, 1) \
  X(wstrEPSFile, 228, Text, 40) \
  X(iForceTray, 308, I16, 1) \
  X(iPaperType, 310, I16, 1) \
  X(iOhp, 312, I16, 1) \
  X(iTonerSave, 314, I16, 1) \
  X(iNup, 316, I16, 1) \
  X(iSrt, 318, I16, 1) \
  X(iHalftorning, 320, I16, 1) \
  X(iBannerSheet, 322, I16, 1) \
  X(iStaple, 324, I16, 1) \
  X(iAllTextBlack, 326, I16, 1) \
  X(iCheckFont, 328, I16, 1) \
  X(iReprinter, 330, I16, 1) \
  X(iCheckTime, 332, I16, 1) \
  X(iErrorPage, 334, I16, 1) \
  X(iOutPut, 336, I16, 1) \
  X(PrnOpenFileName, 338, Text, 260) \
  X(iDiffPaper, 858, I16, 1) \
  X(iGraphicMode, 860, I16, 1) \
  X(iTTMode, 862, I16, 1) \
  X(iFitPage, 864, I16, 1) \
  X(iFitPagePaper, 866, I16, 1) \
  X(iBooklet, 868, I16, 1) \
  X(iPoster, 870, I16, 1) \
  X(iPoster_Scale, 872, I16, 1) \
  X(iExcludeHeader, 874, I16, 1) \
  X(ovrFileName, 876, Text, 260) \
  X(ovrLoadCreate, 1396, I16, 1) \
  X(iManualDuplex, 1398, I16, 1) \
  X(iInstructionPage, 1400, I16, 1) \
  X(iFaceUpDown, 1402, I16, 1) \
  X(iNupBorder, 1404, I16, 1) \
  X(iPosterOverlap, 1406, I16, 1) \
  X(wPrintOrder, 1408, U16, 1) \
  X(bDrvCollate, 1410, I16, 1) \
  X(iPaperWidth, 1412, U16, 1) \
  X(iPaperLength, 1414, U16, 1) \
  X(IsMMInch, 1416, U16, 1) \
  X(wChecksum, 1418, U16, 1) \
  X(wOptionCount, 1420, U16, 1) \
  X(options, 1422, Bytes, 64) \
  X(iEvlSupply, 1486, I16, 1) \
  X(iInHard, 1488, I16, 1) \
  X(iLocateOhp, 1490, I16, 1) \
  X(bQueryOvly, 1492, I16, 1) \
  X(iHardwareDuplex, 1494, I16, 1) \
  X(wCoverSource, 1496, U16, 1) \
  X(iWaterCombo, 1498, I16, 1) \
  X(cWaterText, 1500, Text, 80) \
  X(iWaterSize, 1660, I16, 1) \
  X(iWaterAngle, 1662, I16, 1) \
  X(bForTempWatermarkFile, 1664, I16, 1) \
  X(WaterStrFaceName, 1666, Text, 32) \
  X(FrameStyle, 1730, U32, 1) \
  X(WaterxPosition, 1734, I16, 1) \
  X(WateryPosition, 1736, I16, 1) \
  X(WaterTransparent, 1738, U16, 1) \
  X(WaterOutline, 1740, U16, 1) \
  X(WaterFirstPage, 1742, U16, 1) \
  X(WaterColor, 1744, U32, 1) \
  X(WatermarkMMinch, 1748, U16, 1) \
  X(lfWeight, 1750, I32, 1) \
  X(lfItalic, 1754, U8, 1) \
  X(iWaterMarkStatus, 1755, U16, 1) \
  X(cQuickSet, 1757, Text, 256) \
  X(iOhpTray, 2269, I16, 1) \
  X(iOhpSpTray, 2271, I16, 1) \
  X(iJobRetention, 2273, I16, 1) \
  X(cUserId, 2275, Text, 20) \
  X(cJobName, 2315, Text, 64) \
  X(cPassword, 2443, Text, 8) \
  X(cPrintingTime, 2459, Text, 20) \
  X(iOutBin, 2499, I16, 1) \
  X(iOptTray, 2501, I16, 1) \
  X(iOptFinisher, 2503, I16, 1) \
  X(iER, 2505, I16, 1) \
  X(iVirtualPrint, 2507, I16, 1) \
  X(iVirtualPaper, 2509, I16, 1) \
  X(iNupLayout, 2511, I16, 1) \
  X(iERRatio, 2513, I16, 1) \
  X(iVirtualLayout, 2515, I16, 1) \
  X(iHighAlt, 2517, U16, 1) \
  X(iMirror, 2519, I16, 1) \
  X(iNegative, 2521, I16, 1) \
  X(iQuickPrint, 2523, I16, 1) \
  X(iRotate, 2525, I16, 1) \
  X(iScaleLayout, 2527, I16, 1) \
  X(iBookReverse, 2529, I16, 1) \
  X(iDuplexUnit, 2531, I16, 1) \
  X(iPageProtect, 2533, I16, 1) \
  X(iPrinterInfoPage, 2535, I16, 1) \
  X(sOptPunch, 2537, I16, 1) \
  X(sHole, 2539, I16, 1) \
  X(sDestTray, 2541, I16, 1) \
  X(sSmoothing, 2543, I16, 1) \
  X(sDepartmentCode, 2545, I16, 1) \
  X(cDepartmentCode, 2547, Text, 20) \
  X(sBindingPosition, 2587, I16, 1) \
  X(sBindingWidth, 2589, I16, 1) \
  X(sBindingMMinch, 2591, I16, 1) \
  X(iPowerSave, 2593, U16, 1) \
  X(iPrintDensity, 2595, U16, 1) \
  X(iResolution, 2597, U16, 1) \
  X(ReverseDuplex, 2599, U16, 1) \
  X(iBrightness, 2601, U16, 1) \
  X(iContrast, 2603, U16, 1) \
  X(iSaturation, 2605, U16, 1) \
  X(iRed, 2607, U16, 1) \
  X(iGreen, 2609, U16, 1) \
  X(iBlue, 2611, U16, 1) \
  X(iCyan, 2613, U16, 1) \
  X(iMagenta, 2615, U16, 1) \
  X(iYellow, 2617, U16, 1) \
  X(iGrayMode, 2619, U16, 1) \
  X(iCCnvEnableCache, 2621, U16, 1) \
  X(iCCnvGamma, 2623, I16, 1) \
  X(iCCnvSCurveSpline, 2625, U16, 1) \
  X(iCCnvSCurveX1, 2627, I16, 1) \
  X(iCCnvSCurveY1, 2629, I16, 1) \
  X(iCCnvSCurveX2, 2631, I16, 1) \
  X(iCCnvSCurveY2, 2633, I16, 1) \
  X(iCCnvPreviewIdx, 2635, I16, 1) \
  X(iGrayText, 2637, U16, 1) \
  X(iGrayGraphic, 2639, U16, 1) \
  X(iGrayPhoto, 2641, U16, 1) \
  X(iColorText, 2643, U16, 1) \
  X(iColorGraphic, 2645, U16, 1) \
  X(iColorPhoto, 2647, U16, 1) \
  X(iEqualizer, 2649, U32, 1) \
  X(iColorOptions, 2653, I16, 1) \
  X(iHarftoneText, 2655, I16, 1) \
  X(iHarftoneGraphics, 2657, I16, 1) \
  X(iHarftonePhotographs, 2659, I16, 1) \
  X(iEdgeControl, 2661, I16, 1) \
  X(iRGBColor, 2663, I16, 1) \
  X(iRasterCompression, 2665, I16, 1) \
  X(iBorderless, 2667, I16, 1) \
  X(iDryTime, 2669, I16, 1) \
  X(iWebSmoothing, 2671, I16, 1) \
  X(IColorMatchingStyle, 2673, I16, 1) \
  X(iPreview, 2675, I16, 1) \
  X(iMachineInfo, 2677, I16, 1) \
  X(iMaintenance, 2679, I16, 1) \
  X(iAlignDistanceX, 2681, I16, 1) \
  X(iAlignDistanceY, 2683, I16, 1) \
  X(iAlignAngle1, 2685, I16, 1) \
  X(iAlignAngle2, 2687, I16, 1) \
  X(StrDecoNote, 2689, Text, 256) \
  X(StrDate, 3201, Text, 64) \
  X(DecoStrFaceName, 3329, Text, 32) \
  X(lfDecoWeight, 3393, I32, 1) \
  X(lfDecoItalic, 3397, U8, 1) \
  X(DecoFontColor, 3398, U32, 1) \
  X(iDecoNoteBorder, 3402, I16, 1) \
  X(iDecoxPosition, 3404, I16, 1) \
  X(iDecoyPosition, 3406, I16, 1) \
  X(iDecoFontSize, 3408, I16, 1) \
  X(iDecoFontAngle, 3410, I16, 1) \
  X(iDecoTransparent, 3412, U16, 1) \
  X(iDecoOutline, 3414, U16, 1) \
  X(iDecoFirstpage, 3416, U16, 1) \
  X(iDecoStatus, 3418, U16, 1) \
  X(iClone, 3420, I16, 1) \
  X(ColorProfileDirectory, 3422, Text, 260) \
  X(iDarkenText, 3942, I16, 1) \
  X(iICMColorMatching, 3944, I16, 1) \
  X(cSecurePassword, 3946, Text, 20) \
  X(Reserved3986, 3986, Bytes, 3) \
  X(Tail3989, 3989, Bytes, 86)

constexpr size_t kPublicDevModeBytes = 220;
constexpr size_t kPrivateDevModeBytes = 3855;
constexpr size_t kDriverDevModeRecordBytes = kPublicDevModeBytes + kPrivateDevModeBytes;

// Text fields hold little-endian UTF-16 units, full ones with no terminator.
inline char16_t TextUnit(const uint8_t* bytes, size_t i) {
  return static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
}
inline size_t TextLength(const uint8_t* bytes, size_t chars) {
  size_t n = 0;
  while (n < chars && TextUnit(bytes, n) != 0) ++n;
  return n;
}
inline std::u16string ReadText(const uint8_t* bytes, size_t chars) {
  std::u16string text(TextLength(bytes, chars), u'\0');
  for (size_t i = 0; i < text.size(); ++i) text[i] = TextUnit(bytes, i);
  return text;
}

// An integer field. Many start at odd offsets, so a field is kept as bytes: it reads and
// assigns like its integer type, and a reference to it (as in std::min or a test assertion)
// is never a misaligned integer reference.
template <typename T>
struct RecordInt {
  operator T() const {
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }
  RecordInt& operator=(T value) {
    std::memcpy(bytes, &value, sizeof value);
    return *this;
  }
  RecordInt& operator|=(T bits) { return *this = static_cast<T>(*this | bits); }
  RecordInt& operator&=(T bits) { return *this = static_cast<T>(*this & bits); }
  RecordInt& operator+=(T step) { return *this = static_cast<T>(*this + step); }
  RecordInt& operator-=(T step) { return *this = static_cast<T>(*this - step); }

  uint8_t bytes[sizeof(T)];
};

#pragma pack(push, 1)

// A fixed text field. It may start at an odd offset, so it is kept as bytes and only read or
// written within its length.
template <size_t N>
struct RecordText {
  static constexpr size_t kChars = N;

  char16_t Unit(size_t i) const { return TextUnit(bytes, i); }
  bool IsEmpty() const { return Unit(0) == 0; }
  size_t Length() const { return TextLength(bytes, N); }
  std::u16string Read() const { return ReadText(bytes, N); }
  // Copies at most capacity - 1 units and terminates (capacity > 0); gives the units copied.
  size_t CopyTo(char16_t* buffer, size_t capacity) const {
    size_t n = 0;
    for (; n + 1 < capacity && n < N && Unit(n) != 0; ++n) buffer[n] = Unit(n);
    buffer[n] = 0;
    return n;
  }
  // Like wcsncpy: truncated to the field, the rest zero-filled, so no terminator when full.
  void Write(std::u16string_view text) {
    for (size_t i = 0; i < N; ++i) {
      const char16_t unit = i < text.size() ? text[i] : u'\0';
      bytes[2 * i] = static_cast<uint8_t>(unit & 0xFF);
      bytes[2 * i + 1] = static_cast<uint8_t>(unit >> 8);
    }
  }

  uint8_t bytes[2 * N];
};

template <FieldKind K, size_t N> struct FieldStorage;
template <size_t N> struct FieldStorage<FieldKind::U8, N> { using type = uint8_t; };
template <size_t N> struct FieldStorage<FieldKind::U16, N> { using type = RecordInt<uint16_t>; };
template <size_t N> struct FieldStorage<FieldKind::I16, N> { using type = RecordInt<int16_t>; };
template <size_t N> struct FieldStorage<FieldKind::U32, N> { using type = RecordInt<uint32_t>; };
template <size_t N> struct FieldStorage<FieldKind::I32, N> { using type = RecordInt<int32_t>; };
template <size_t N> struct FieldStorage<FieldKind::Text, N> { using type = RecordText<N>; };
template <size_t N> struct FieldStorage<FieldKind::Bytes, N> { using type = uint8_t[N]; };

#define QXGE_RECORD_MEMBER(name, offset, kind, count) FieldStorage<FieldKind::kind, count>::type name;

struct PublicDevMode {
  QXGE_PUBLIC_DEVMODE_FIELDS(QXGE_RECORD_MEMBER)
};

struct PrivateDevMode {
  QXGE_PRIVATE_DEVMODE_FIELDS(QXGE_RECORD_MEMBER)
};

struct DriverDevMode {
  PublicDevMode dmPublic;
  PrivateDevMode dmPrivate;
};

#pragma pack(pop)

#undef QXGE_RECORD_MEMBER

static_assert(sizeof(PublicDevMode) == kPublicDevModeBytes, "public part");
static_assert(sizeof(PrivateDevMode) == kPrivateDevModeBytes, "private part");
static_assert(sizeof(DriverDevMode) == kDriverDevModeRecordBytes && alignof(DriverDevMode) == 1, "record");

#define QXGE_CHECK_PUBLIC(name, offset, kind, count)                                    \
  static_assert(offsetof(PublicDevMode, name) == (offset) &&                            \
                    sizeof(PublicDevMode::name) == FieldBytes(FieldKind::kind, count), \
                #name);
#define QXGE_CHECK_PRIVATE(name, offset, kind, count)                                           \
  static_assert(kPublicDevModeBytes + offsetof(PrivateDevMode, name) == (offset) &&             \
                    sizeof(PrivateDevMode::name) == FieldBytes(FieldKind::kind, count), #name);
QXGE_PUBLIC_DEVMODE_FIELDS(QXGE_CHECK_PUBLIC)
QXGE_PRIVATE_DEVMODE_FIELDS(QXGE_CHECK_PRIVATE)
#undef QXGE_CHECK_PUBLIC
#undef QXGE_CHECK_PRIVATE

// A run of record bytes, counted from the first byte of the record.
struct ByteRange {
  uint16_t offset;
  uint16_t size;
  constexpr uint16_t End() const { return static_cast<uint16_t>(offset + size); }
};

struct FieldInfo : ByteRange {
  FieldPart part;
  FieldKind kind;
  const char* name;
};

// field::iNup and so on: where each field lies and how it reads.
namespace field {
#define QXGE_FIELD_INFO(part, name, offset, kind, count) \
  inline constexpr FieldInfo name{{offset, FieldBytes(FieldKind::kind, count)}, FieldPart::part, FieldKind::kind, #name};
#define QXGE_PUBLIC_INFO(name, offset, kind, count) QXGE_FIELD_INFO(Public, name, offset, kind, count)
#define QXGE_PRIVATE_INFO(name, offset, kind, count) QXGE_FIELD_INFO(Private, name, offset, kind, count)
QXGE_PUBLIC_DEVMODE_FIELDS(QXGE_PUBLIC_INFO)
QXGE_PRIVATE_DEVMODE_FIELDS(QXGE_PRIVATE_INFO)
#undef QXGE_FIELD_INFO
#undef QXGE_PUBLIC_INFO
#undef QXGE_PRIVATE_INFO
}  // namespace field

// Every field in record order.
#define QXGE_FIELD_ENTRY(name, offset, kind, count) field::name,
inline constexpr FieldInfo kRecordFields[] = {QXGE_PUBLIC_DEVMODE_FIELDS(QXGE_FIELD_ENTRY)
                                           QXGE_PRIVATE_DEVMODE_FIELDS(QXGE_FIELD_ENTRY)};
#undef QXGE_FIELD_ENTRY

constexpr bool FieldsTileTheRecord() {
  size_t end = 0;
  for (const FieldInfo& f : kRecordFields) {
    if (f.offset != end) return false;
    end = f.End();
  }
  return end == kDriverDevModeRecordBytes;
}
static_assert(FieldsTileTheRecord(), "the field lists leave no gap and no overlap");

// The standard dmFields bits the module acts on.
namespace dm {
constexpr uint32_t kOrientation = 0x1, kPaperSize = 0x2, kPaperLength = 0x4, kPaperWidth = 0x8, kScale = 0x10,
                   kPosition = 0x20, kNup = 0x40, kCopies = 0x100, kDefaultSource = 0x200,
                   kPrintQuality = 0x400, kColor = 0x800, kDuplex = 0x1000, kYResolution = 0x2000,
                   kTTOption = 0x4000, kCollate = 0x8000, kFormName = 0x10000, kLogPixels = 0x20000,
                   kBitsPerPel = 0x40000, kPelsWidth = 0x80000, kPelsHeight = 0x100000,
                   kDisplayFlags = 0x200000, kDisplayFrequency = 0x400000, kICMMethod = 0x800000,
                   kICMIntent = 0x1000000, kMediaType = 0x2000000, kDitherType = 0x4000000,
                   kPanningWidth = 0x8000000, kPanningHeight = 0x10000000;
}  // namespace dm

}  // namespace qxge
