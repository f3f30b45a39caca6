#include "config/model_features.h"

#include <algorithm>

#include "config/key_reader.h"
#include "config/profile_file.h"
#include "config/profile_values.h"

namespace qxge {
namespace {

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

void ModelFeatures::Load(ProfileFile& model, ProfileFile& text, KeyWatcher* watcher) {
  model.SetSection(u"");
  KeyReader m(model, watcher);
  m.Number(ShowDevmodeChanges, u"ShowDevmodeChanges", NoDefault);
  m.Text(Caption, u"Caption");

  m.Switch(LayoutRotate, u"LayoutRotate", 0);
  m.Switch(LayoutTypeNone, u"LayoutTypeNone", 0);
  m.Switch(LayoutBooklet, u"LayoutBooklet", 0);
  m.Switch(LayoutDoubleSided, u"LayoutDoubleSided", 0);
  m.Switch(LayoutDoublePrinter, u"LayoutDoublePrinter", 0);
  m.Switch(LayoutVirtual, u"LayoutVirtual", 0);
  m.Switch(LayoutVirtualOrder, u"LayoutVirtualOrder", 0);
  m.Switch(LayoutMultiple, u"LayoutMultiple", 0);
  m.Switch(LayoutMultipleOrder, u"LayoutMultipleOrder", 0);
  m.Switch(LayoutPoster, u"LayoutPoster", 0);
  m.Switch(LayoutPoster6x6, u"LayoutPoster6x6", 0);
  m.Switch(LayoutPosterCustom, u"LayoutPosterCustom", 0);
  m.Switch(LayoutMore, u"LayoutMore", 0);
  m.Switch(LayoutDoubleManual, u"LayoutDoubleManual", 0);
  m.Switch(LayoutDoubleReverse, u"LayoutDoubleReverse", 0);
  m.Switch(LayoutFitToPage, u"LayoutFitToPage", 0);

  m.Switch(GraphicsDraftRes, u"GraphicsDraftRes", 0);
  m.Switch(GraphicsDarkness, u"GraphicsDarkness", 0);
  m.Switch(GraphicsDarkenText, u"GraphicsDarkenText", 0);
  m.Number(Graphics1200Res, u"Graphics1200Res", 0);
  m.Number(Graphics600Res, u"Graphics600Res", 1);
  m.Number(Graphics300Res, u"Graphics300Res", 0);
  m.Switch(GraphicsTrueType, u"GraphicsTrueType", 1);
  m.Switch(GraphicsTrueTypeOutline, u"GraphicsTrueTypeOutline", 1);
  m.Switch(GraphicsTonerMode, u"GraphicsTonerMode", 1);
  m.Switch(GraphicsTonerPrinter, u"GraphicsTonerPrinter", 1);
  m.Number(GraphicsImageModePrinter, u"GraphicsImageModePrinter", 0x1080c00);
  m.Number(GraphicsImageModeNormal, u"GraphicsImageModeNormal", 0x1080c00);
  m.Number(GraphicsImageModeText, u"GraphicsImageModeText", 0x1080800);
  m.Number(GraphicsImageModeImage, u"GraphicsImageModeImage", 0x1000800);
  m.Switch(GraphicsColorMode, u"GraphicsColorMode", 0);
  m.Switch(GraphicsColorSettings, u"GraphicsColorSettings", 0);
  m.Switch(GraphicsColorMatching, u"GraphicsColorMatching", 0);
  m.Switch(GraphicsColorAuto, u"GraphicsColorAuto", 1);
  m.Switch(GraphicsTrueTypeAdvanced, u"GraphicsTrueTypeAdvanced", 0);
  m.Switch(GraphicsTrueTypeDisabled, u"GraphicsTrueTypeDisabled", 0);
  m.Switch(GraphicsRaster, u"GraphicsRaster", GraphicsColorMode != 0 ? 1 : 0);
  GraphicsImageModes =
      GraphicsImageModePrinter | GraphicsImageModeNormal | GraphicsImageModeText | GraphicsImageModeImage;
  if (GraphicsDraftRes != 0) GraphicsTonerMode = 0;

  m.Switch(PaperCollate, u"PaperCollate", 0);
  m.Switch(PaperSeparator, u"PaperSeparator", 0);
  m.Switch(PaperFirstPage, u"PaperFirstPage", 0);
  m.Switch(PaperScaleNone, u"PaperScaleNone", 0);
  m.Switch(PaperBannerSheet, u"PaperBannerSheet", 0);
  m.Switch(PaperTrayRadio, u"PaperTrayRadio", 1);

  m.Switch(ExtrasPageOrder, u"ExtrasPageOrder", 1);
  m.Switch(ExtrasDestination, u"ExtrasDestination", 0);
  m.Switch(ExtrasReprintJam, u"ExtrasReprintJam", 0);
  m.Switch(ExtrasQuickPrint, u"ExtrasQuickPrint", 0);
  m.Switch(ExtrasPrintTime, u"ExtrasPrintTime", 0);
  m.Switch(ExtrasPrinterFont, u"ExtrasPrinterFont", 0);
  m.Switch(ExtrasPrinterFont2, u"ExtrasPrinterFont2", 0);
  m.Switch(ExtrasSaveAsForm, u"ExtrasSaveAsForm", 0);
  m.Switch(ExtrasSimple, u"ExtrasSimple", 0);
  m.Switch(ExtrasSecurePrint, u"ExtrasSecurePrint", 0);
  m.Number(ExtrasMinPassLen, u"ExtrasMinPassLen", 1);
  m.Number(ExtrasMaxPassLen, u"ExtrasMaxPassLen", 5);
  if (ExtrasPrinterFont2 != 0) ExtrasPrinterFont = 0;

  m.Switch(PrinterOptTray, u"PrinterOptTray", 0);
  m.Switch(PrinterTrayCheck, u"PrinterTrayCheck", 0);
  m.Switch(PrinterTray34, u"PrinterTray34", 0);
  m.Switch(PrinterFinisher, u"PrinterFinisher", 0);
  m.Switch(PrinterEnvelope, u"PrinterEnvelope", 0);
  m.Switch(PrinterDuplex, u"PrinterDuplex", 0);
  m.Switch(PrinterStapler, u"PrinterStapler", 0);
  m.Switch(PrinterHDD, u"PrinterHDD", 0);
  m.Switch(PrinterHighAlt, u"PrinterHighAlt", 0);
  m.Switch(PrinterPowerSave, u"PrinterPowerSave", 0);
  m.Switch(PrinterStatusWindow, u"PrinterStatusWindow", 0);
  if (PrinterTrayCheck != 0) PrinterOptTray = 0;

  m.Switch(TroubleSentry, u"TroubleSentry", 1);
  m.Switch(CheckWaterMarkFile, u"CheckWaterMarkFile", 0);
  m.Switch(CheckDecoFile, u"CheckDecoFile", 0);
  m.Switch(VerticalSeparator, u"VerticalSeparator", 0);
  m.Switch(UnitsOnPreview, u"UnitsOnPreview", 1);

  m.List(DoubleSidedMedias, u"DoubleSidedMedias");
  m.Papers(DoubleSidedPapers, u"DoubleSidedPapers");
  m.Papers(RotatePapers, u"RotatePapers");
  m.List(TestPages, u"TestPages");
  m.Papers(BorderPapers, u"BorderPapers");
  m.Papers(BorderlessPapers, u"BorderlessPapers");

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
  KeyReader t(text, watcher);
  t.Number(CPSUI_Scale_X, u"CPSUI_Scale_X", 100);
  t.Number(CPSUI_Scale_Y, u"CPSUI_Scale_Y", 100);
  t.Switch(MirrorLayout, u"MirrorLayout", 0);

  model.SetSection(u"Custom Paper Dialog");
  m.Number(MinPaperW, u"MinPaperW", 254);
  m.Number(MinPaperH, u"MinPaperH", 254);
  m.Number(MaxPaperW, u"MaxPaperW", 3120);
  m.Number(MaxPaperH, u"MaxPaperH", 4830);

  model.SetSection(u"LARGEPAPERNAME");
  m.Papers(PaperIndex, u"PaperIndex");

  model.SetSection(u"DEFAULTDEVMODE");
  m.Number(DefaultPaperSource, u"PaperSource", NoDefault);
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
