// What a printer model can do: switches, limits and lists read once from its model file
// (and three values of its text file). Pages consult it to decide which controls exist.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "config/key_reader.h"

namespace qxge {

class KeyWatcher;
class ProfileFile;

// The names behind the paper and media numbers of a printer, joined by ", ". Supplied by
// whoever can ask the printer; the help address quotes them.
class PaperNameSource {
 public:
  virtual ~PaperNameSource() = default;
  virtual std::u16string PaperNames(const IntList& papers) = 0;
  virtual std::u16string MediaNames(const IntList& medias) = 0;
};

struct ModelFeatures {
  static constexpr size_t kMaxListEntries = KeyReader::kMaxListEntries;

  int32_t CustomDuplexSizes = 0;
  std::u16string helpAnchor;
  std::u16string Caption;          // the sheet's caption; empty when the model file has none
  int32_t DefaultPaperSource = 0;  // the tray the compact Paper page shows while the printer picks

  IntList TestPages, PaperIndex, RotatePapers, BorderPapers, BorderlessPapers, DoubleSidedPapers,
      DoubleSidedMedias;

  int32_t CPSUI_Scale_X = 100, CPSUI_Scale_Y = 100;
  int32_t MinPaperW = 254, MaxPaperW = 3120, MinPaperH = 254, MaxPaperH = 4830;

  int32_t LayoutRotate = 0, LayoutTypeNone = 0, LayoutBooklet = 0, LayoutDoubleSided = 0,
          LayoutDoublePrinter = 0, LayoutDoubleManual = 0, LayoutDoubleReverse = 0, LayoutVirtual = 0,
          LayoutVirtualOrder = 0, LayoutMultiple = 0, LayoutMultipleOrder = 0, LayoutPoster = 0,
          LayoutPoster6x6 = 0, LayoutPosterCustom = 0, LayoutMore = 0, LayoutFitToPage = 0;
  int32_t GraphicsImageModes = 0;  // the union of the four image-mode masks
  int32_t GraphicsImageModePrinter = 0, GraphicsImageModeNormal = 0, GraphicsImageModeText = 0,
          GraphicsImageModeImage = 0;
  int32_t GraphicsDarkness = 0, GraphicsDarkenText = 0, GraphicsDraftRes = 0, Graphics1200Res = 0,
          Graphics600Res = 0, Graphics300Res = 0, GraphicsTrueType = 0, GraphicsTrueTypeOutline = 0,
          GraphicsTrueTypeAdvanced = 0, GraphicsTrueTypeDisabled = 0, GraphicsTonerMode = 0,
          GraphicsTonerPrinter = 0, GraphicsColorMode = 0, GraphicsColorSettings = 0,
          GraphicsColorMatching = 0, GraphicsColorAuto = 0, GraphicsRaster = 0;
  int32_t PaperCollate = 0, PaperSeparator = 0, PaperFirstPage = 0, PaperScaleNone = 0,
          PaperBannerSheet = 0, PaperTrayRadio = 0;
  int32_t ExtrasPageOrder = 0, ExtrasDestination = 0, ExtrasReprintJam = 0, ExtrasQuickPrint = 0,
          ExtrasPrintTime = 0, ExtrasPrinterFont = 0, ExtrasSaveAsForm = 0, ExtrasSimple = 0,
          ExtrasPrinterFont2 = 0, ExtrasSecurePrint = 0, ExtrasMinPassLen = 0, ExtrasMaxPassLen = 0;
  int32_t PrinterOptTray = 0, PrinterTray34 = 0, PrinterFinisher = 0, PrinterEnvelope = 0,
          PrinterStapler = 0, PrinterHDD = 0, PrinterHighAlt = 0, PrinterPowerSave = 0, PrinterDuplex = 0,
          PrinterTrayCheck = 0, PrinterStatusWindow = 0;
  int32_t TroubleSentry = 0, ShowDevmodeChanges = 0, CheckWaterMarkFile = 0, CheckDecoFile = 0,
          VerticalSeparator = 0, MirrorLayout = 0, UnitsOnPreview = 0;

  // Reads every key in a fixed order: ShowDevmodeChanges first, because it switches on the
  // write-back of every later missing key (the caller points both files' switch at it).
  // Every value of the model file is read here and nowhere else, so that the package checker,
  // watching this code run, knows every key the module reads.
  void Load(ProfileFile& model, ProfileFile& text, KeyWatcher* watcher = nullptr);

  // A negative value asks whether the list has any entry at all.
  static bool ListContains(int32_t value, const IntList& list);
  int32_t BorderFor(int32_t borderlessPaper) const;
  int32_t BorderlessFor(int32_t borderPaper) const;
  bool ResolutionAvailable(int32_t index) const;

  // Custom sizes (paper 257 + n) join the double-sided list when they fit inside the box
  // spanned by the listed papers. dimensions answers width and length of a paper number.
  void RefreshDoubleSidedPapers(const std::function<bool(int32_t paper, int32_t& w, int32_t& h)>& dimensions,
                                const std::vector<std::pair<int32_t, int32_t>>& customSizes);

  // Built on first use and kept for the life of the process.
  const std::u16string& HelpAnchor(PaperNameSource& names);
};

}  // namespace qxge
