#include "config/model_features.h"

#include <algorithm>

#include "config/profile_file.h"
#include "config/profile_values.h"

namespace qxge {
namespace {

class KeyReader {
 public:
  explicit KeyReader(ProfileFile& file) : file_(file) {}
  int32_t Int(const char16_t* key, int32_t defaultValue) { return file_.ReadInt(key, defaultValue); }
  int32_t Bool(const char16_t* key, int32_t defaultValue) { return file_.ReadInt(key, defaultValue) != 0 ? 1 : 0; }
  IntList List(const char16_t* key) {
    char16_t buffer[512];
    const size_t n = file_.ReadString(key, buffer, 512, u"");
    return ParseIntList(std::u16string_view(buffer, n), ModelFeatures::kMaxListEntries);
  }

 private:
  ProfileFile& file_;
};

void AppendUnsigned(std::u16string& out, int32_t value) { out += FormatDecimal(static_cast<uint32_t>(value)); }

uint32_t Mask(std::initializer_list<int32_t> bits) {
  uint32_t mask = 0, bit = 1;
  for (int32_t value : bits) {
    if (value != 0) mask |= bit;
    bit <<= 1;
  }
  return mask;
}

}  // namespace

void ModelFeatures::Load(ProfileFile& model, ProfileFile& text) {
  model.SetSection(u"");
  KeyReader m(model);
  ShowDevmodeChanges = m.Int(u"ShowDevmodeChanges", NoDefault);

  LayoutRotate = m.Bool(u"LayoutRotate", 0);
  LayoutTypeNone = m.Bool(u"LayoutTypeNone", 0);
  LayoutBooklet = m.Bool(u"LayoutBooklet", 0);
  LayoutDoubleSided = m.Bool(u"LayoutDoubleSided", 0);
  LayoutDoublePrinter = m.Bool(u"LayoutDoublePrinter", 0);
  LayoutVirtual = m.Bool(u"LayoutVirtual", 0);
  LayoutVirtualOrder = m.Bool(u"LayoutVirtualOrder", 0);
  LayoutMultiple = m.Bool(u"LayoutMultiple", 0);
  LayoutMultipleOrder = m.Bool(u"LayoutMultipleOrder", 0);
  LayoutPoster = m.Bool(u"LayoutPoster", 0);
  LayoutPoster6x6 = m.Bool(u"LayoutPoster6x6", 0);
  LayoutPosterCustom = m.Bool(u"LayoutPosterCustom", 0);
  LayoutMore = m.Bool(u"LayoutMore", 0);
  LayoutDoubleManual = m.Bool(u"LayoutDoubleManual", 0);
  LayoutDoubleReverse = m.Bool(u"LayoutDoubleReverse", 0);
  LayoutFitToPage = m.Bool(u"LayoutFitToPage", 0);

  GraphicsDraftRes = m.Bool(u"GraphicsDraftRes", 0);
  GraphicsDarkness = m.Bool(u"GraphicsDarkness", 0);
  GraphicsDarkenText = m.Bool(u"GraphicsDarkenText", 0);
  Graphics1200Res = m.Int(u"Graphics1200Res", 0);
  Graphics600Res = m.Int(u"Graphics600Res", 1);
  Graphics300Res = m.Int(u"Graphics300Res", 0);
  GraphicsTrueType = m.Bool(u"GraphicsTrueType", 1);
  GraphicsTrueTypeOutline = m.Bool(u"GraphicsTrueTypeOutline", 1);
  GraphicsTonerMode = m.Bool(u"GraphicsTonerMode", 1);
  GraphicsTonerPrinter = m.Bool(u"GraphicsTonerPrinter", 1);
  GraphicsImageModePrinter = m.Int(u"GraphicsImageModePrinter", 0x1080c00);
  GraphicsImageModeNormal = m.Int(u"GraphicsImageModeNormal", 0x1080c00);
  GraphicsImageModeText = m.Int(u"GraphicsImageModeText", 0x1080800);
  GraphicsImageModeImage = m.Int(u"GraphicsImageModeImage", 0x1000800);
  GraphicsColorMode = m.Bool(u"GraphicsColorMode", 0);
  GraphicsColorSettings = m.Bool(u"GraphicsColorSettings", 0);
  GraphicsColorMatching = m.Bool(u"GraphicsColorMatching", 0);
  GraphicsColorAuto = m.Bool(u"GraphicsColorAuto", 1);
  GraphicsTrueTypeAdvanced = m.Bool(u"GraphicsTrueTypeAdvanced", 0);
  GraphicsTrueTypeDisabled = m.Bool(u"GraphicsTrueTypeDisabled", 0);
  GraphicsRaster = m.Bool(u"GraphicsRaster", GraphicsColorMode != 0 ? 1 : 0);
  GraphicsImageModes =
      GraphicsImageModePrinter | GraphicsImageModeNormal | GraphicsImageModeText | GraphicsImageModeImage;
  if (GraphicsDraftRes != 0) GraphicsTonerMode = 0;

  PaperCollate = m.Bool(u"PaperCollate", 0);
  PaperSeparator = m.Bool(u"PaperSeparator", 0);
  PaperFirstPage = m.Bool(u"PaperFirstPage", 0);
  PaperScaleNone = m.Bool(u"PaperScaleNone", 0);
  PaperBannerSheet = m.Bool(u"PaperBannerSheet", 0);
  PaperTrayRadio = m.Bool(u"PaperTrayRadio", 1);

  ExtrasPageOrder = m.Bool(u"ExtrasPageOrder", 1);
  ExtrasDestination = m.Bool(u"ExtrasDestination", 0);
  ExtrasReprintJam = m.Bool(u"ExtrasReprintJam", 0);
  ExtrasQuickPrint = m.Bool(u"ExtrasQuickPrint", 0);
  ExtrasPrintTime = m.Bool(u"ExtrasPrintTime", 0);
  ExtrasPrinterFont = m.Bool(u"ExtrasPrinterFont", 0);
  ExtrasPrinterFont2 = m.Bool(u"ExtrasPrinterFont2", 0);
  ExtrasSaveAsForm = m.Bool(u"ExtrasSaveAsForm", 0);
  ExtrasSimple = m.Bool(u"ExtrasSimple", 0);
  ExtrasSecurePrint = m.Bool(u"ExtrasSecurePrint", 0);
  ExtrasMinPassLen = m.Int(u"ExtrasMinPassLen", 1);
  ExtrasMaxPassLen = m.Int(u"ExtrasMaxPassLen", 5);
  if (ExtrasPrinterFont2 != 0) ExtrasPrinterFont = 0;

  PrinterOptTray = m.Bool(u"PrinterOptTray", 0);
  PrinterTrayCheck = m.Bool(u"PrinterTrayCheck", 0);
  PrinterTray34 = m.Bool(u"PrinterTray34", 0);
  PrinterFinisher = m.Bool(u"PrinterFinisher", 0);
  PrinterEnvelope = m.Bool(u"PrinterEnvelope", 0);
  PrinterDuplex = m.Bool(u"PrinterDuplex", 0);
  PrinterStapler = m.Bool(u"PrinterStapler", 0);
  PrinterHDD = m.Bool(u"PrinterHDD", 0);
  PrinterHighAlt = m.Bool(u"PrinterHighAlt", 0);
  PrinterPowerSave = m.Bool(u"PrinterPowerSave", 0);
  PrinterStatusWindow = m.Bool(u"PrinterStatusWindow", 0);
  if (PrinterTrayCheck != 0) PrinterOptTray = 0;

  TroubleSentry = m.Bool(u"TroubleSentry", 1);
  CheckWaterMarkFile = m.Bool(u"CheckWaterMarkFile", 0);
  CheckDecoFile = m.Bool(u"CheckDecoFile", 0);
  VerticalSeparator = m.Bool(u"VerticalSeparator", 0);
  UnitsOnPreview = m.Bool(u"UnitsOnPreview", 1);

  DoubleSidedMedias = m.List(u"DoubleSidedMedias");
  DoubleSidedPapers = m.List(u"DoubleSidedPapers");
  RotatePapers = m.List(u"RotatePapers");
  TestPages = m.List(u"TestPages");
  BorderPapers = m.List(u"BorderPapers");
  BorderlessPapers = m.List(u"BorderlessPapers");

  // Custom sizes may not be listed by number (their numbers depend on the user's own list);
  // any such entry only says that custom sizes may be printed on both sides.
  CustomDuplexSizes = 0;
  for (size_t i = DoubleSidedPapers.size(); i-- > 0;) {
    if (DoubleSidedPapers[i] >= 256) {
      DoubleSidedPapers.erase(DoubleSidedPapers.begin() + static_cast<std::ptrdiff_t>(i));
      CustomDuplexSizes = 1;
    }
  }

  text.SetSection(u"");
  KeyReader t(text);
  CPSUI_Scale_X = t.Int(u"CPSUI_Scale_X", 100);
  CPSUI_Scale_Y = t.Int(u"CPSUI_Scale_Y", 100);
  MirrorLayout = t.Bool(u"MirrorLayout", 0);

  model.SetSection(u"Custom Paper Dialog");
  MinPaperW = m.Int(u"MinPaperW", 254);
  MinPaperH = m.Int(u"MinPaperH", 254);
  MaxPaperW = m.Int(u"MaxPaperW", 3120);
  MaxPaperH = m.Int(u"MaxPaperH", 4830);

  model.SetSection(u"LARGEPAPERNAME");
  PaperIndex = m.List(u"PaperIndex");
}

bool ModelFeatures::ListContains(int32_t value, const IntList& list) {
  if (value < 0) return !list.empty();
  return std::find(list.begin(), list.end(), value) != list.end();
}

namespace {

int32_t Counterpart(int32_t paper, const IntList& from, const IntList& to) {
  const auto it = std::find(from.begin(), from.end(), paper);
  if (it == from.end()) return -1;
  const size_t i = static_cast<size_t>(it - from.begin());
  return i < to.size() ? to[i] : -1;
}

}  // namespace

int32_t ModelFeatures::BorderFor(int32_t borderlessPaper) const {
  return Counterpart(borderlessPaper, BorderlessPapers, BorderPapers);
}

int32_t ModelFeatures::BorderlessFor(int32_t borderPaper) const {
  return Counterpart(borderPaper, BorderPapers, BorderlessPapers);
}

bool ModelFeatures::ResolutionAvailable(int32_t index) const {
  if (index < 0 || index >= 32) return false;
  // Each word carries four choices in bits 3..0 and four more in bits 11..8.
  const uint32_t words[4] = {static_cast<uint32_t>(Graphics1200Res), static_cast<uint32_t>(Graphics600Res),
                             static_cast<uint32_t>(Graphics300Res), static_cast<uint32_t>(GraphicsDraftRes) * 8u};
  const int r = index % 8;
  const int bit = r <= 3 ? 3 - r : 15 - r;
  return ((words[index / 8] >> bit) & 1u) != 0;
}

void ModelFeatures::RefreshDoubleSidedPapers(
    const std::function<bool(int32_t paper, int32_t& w, int32_t& h)>& dimensions,
    const std::vector<std::pair<int32_t, int32_t>>& customSizes) {
  if (CustomDuplexSizes == 0) return;
  int32_t minW = MaxPaperW, maxW = MinPaperW, minH = MaxPaperH, maxH = MinPaperH;
  for (size_t i = DoubleSidedPapers.size(); i-- > 0;) {
    const int32_t paper = DoubleSidedPapers[i];
    if (paper >= 256) {
      DoubleSidedPapers.erase(DoubleSidedPapers.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    int32_t w = 0, h = 0;
    if (!dimensions(paper, w, h)) continue;
    minW = std::min(minW, w);
    maxW = std::max(maxW, w);
    minH = std::min(minH, h);
    maxH = std::max(maxH, h);
  }
  if (minW > maxW || minH > maxH) return;
  for (size_t n = customSizes.size(); n-- > 0;) {
    const auto [w, h] = customSizes[n];
    if (w >= minW && w <= maxW && h >= minH && h <= maxH && DoubleSidedPapers.size() < kMaxListEntries * 2)
      DoubleSidedPapers.push_back(static_cast<int32_t>(257 + n));
  }
}

const std::u16string& ModelFeatures::HelpAnchor(PaperNameSource& names) {
  if (!helpAnchor.empty()) return helpAnchor;
  const uint32_t masks[6] = {
      Mask({LayoutRotate, LayoutTypeNone, LayoutBooklet, LayoutDoubleSided, LayoutDoublePrinter, LayoutVirtual,
            LayoutVirtualOrder, LayoutMultiple, LayoutMultipleOrder, LayoutPoster, LayoutPoster6x6,
            LayoutPosterCustom, LayoutMore, LayoutDoubleManual, LayoutDoubleReverse, LayoutFitToPage}),
      Mask({PaperCollate, PaperSeparator, PaperFirstPage, PaperScaleNone, PaperBannerSheet, PaperTrayRadio}),
      Mask({Graphics600Res, GraphicsDraftRes, GraphicsImageModes, GraphicsDarkness, Graphics1200Res, Graphics300Res,
            GraphicsTrueType, GraphicsTonerPrinter, GraphicsColorMode, GraphicsColorSettings,
            GraphicsTrueTypeOutline, GraphicsDarkenText, GraphicsColorMatching, GraphicsTonerMode,
            GraphicsColorAuto, GraphicsTrueTypeAdvanced, GraphicsTrueTypeDisabled, GraphicsRaster}),
      Mask({ExtrasDestination, ExtrasReprintJam, ExtrasQuickPrint, ExtrasPrintTime, ExtrasPrinterFont,
            ExtrasSaveAsForm, ExtrasSecurePrint, ExtrasSimple, ExtrasPageOrder, ExtrasPrinterFont2}),
      Mask({PrinterOptTray, PrinterTray34, PrinterFinisher, PrinterEnvelope, PrinterDuplex, PrinterStapler,
            PrinterHDD, PrinterHighAlt, PrinterPowerSave, PrinterTrayCheck, PrinterStatusWindow}),
      Mask({TroubleSentry, UnitsOnPreview}),
  };
  std::u16string anchor;
  for (uint32_t mask : masks) {
    anchor += FormatDecimal(mask);
    anchor += u',';
  }
  AppendUnsigned(anchor, Graphics300Res);
  anchor += u',';
  AppendUnsigned(anchor, Graphics600Res);
  anchor += u',';
  AppendUnsigned(anchor, Graphics1200Res);
  // Each list had a 768-character buffer.
  for (std::u16string list : {names.PaperNames(DoubleSidedPapers), names.PaperNames(RotatePapers),
                              names.MediaNames(DoubleSidedMedias), names.PaperNames(PaperIndex)}) {
    anchor += u'?';
    anchor += list.substr(0, 767);
  }
  helpAnchor = anchor;
  return helpAnchor;
}

}  // namespace qxge
