#include "config/model_features.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/profile_file.h"
#include "memory_profile_storage.h"

namespace qxge {
namespace {

const std::u16string kModelPath = u"D:\\QX5000U.INI";
const std::u16string kTextPath = u"D:\\QX5000EN.DAT";

// Start-up as the application object does it: both files follow the model's write-back switch.
struct Model {
  explicit Model(const std::u16string* modelText, const std::u16string* textText = nullptr) {
    if (modelText != nullptr) storage.Put(kModelPath, *modelText);
    if (textText != nullptr) storage.Put(kTextPath, *textText);
    model.SetFile(kModelPath, false);
    text.SetFile(kTextPath, true);
    model.SetWriteBack(&features.ShowDevmodeChanges);
    text.SetWriteBack(&features.ShowDevmodeChanges);
    features.Load(model, text);
  }
  explicit Model(std::u16string modelText) : Model(&modelText) {}

  MemoryProfileStorage storage;
  ProfileFile model{storage}, text{storage};
  ModelFeatures features;
};

class FakeNames : public PaperNameSource {
 public:
  std::u16string PaperNames(const IntList& papers) override {
    ++calls;
    if (papers.empty()) return {};
    return paperText + u"#" + std::u16string(1, static_cast<char16_t>(u'0' + papers.size()));
  }
  std::u16string MediaNames(const IntList& medias) override {
    ++calls;
    return medias.empty() ? std::u16string() : mediaText;
  }
  std::u16string paperText = u"A4, Letter", mediaText = u"Plain";
  int calls = 0;
};

TEST(ModelFeatures, DefaultsWithoutAModelFileAndNothingWritten) {
  const std::u16string untouched = u"; shipped model\r\n[Common]\r\nLayoutRotate=1\r\n";
  for (const std::u16string* text : {static_cast<const std::u16string*>(nullptr), &untouched}) {
    Model m(text);
    const ModelFeatures& f = m.features;
    FakeNames names;
    // Every switch and the three resolution masks, as the help pages see them.
    EXPECT_EQ(m.features.HelpAnchor(names), text ? u"1,32,25797,256,0,3,0,1,0????" : u"0,32,25797,256,0,3,0,1,0????");
    EXPECT_EQ(f.ShowDevmodeChanges, 0);
    EXPECT_EQ((IntList{f.ExtrasMinPassLen, f.ExtrasMaxPassLen, f.CPSUI_Scale_X, f.CPSUI_Scale_Y, f.MinPaperW,
                       f.MinPaperH, f.MaxPaperW, f.MaxPaperH}),
              (IntList{1, 5, 100, 100, 254, 254, 3120, 4830}));
    EXPECT_TRUE(f.DoubleSidedPapers.empty() && f.PaperIndex.empty() && f.TestPages.empty());
    EXPECT_EQ(m.storage.saves + m.storage.refusedSaves, 0);
    EXPECT_EQ(m.storage.Text(kModelPath), text ? *text : u"");
    EXPECT_FALSE(m.storage.Exists(kTextPath));
  }
}

TEST(ModelFeatures, ValuesAreAdjustedWhereKeysDependOnEachOther) {
  auto load = [](const char16_t* lines) { return Model(u"[Common]\r\n" + std::u16string(lines)).features; };

  EXPECT_EQ(load(u"GraphicsColorMode=1").GraphicsRaster, 1);
  EXPECT_EQ(load(u"GraphicsColorMode=1\r\nGraphicsRaster=0").GraphicsRaster, 0);

  EXPECT_EQ(load(u"GraphicsDraftRes=1\r\nGraphicsTonerMode=1").GraphicsTonerMode, 0);
  EXPECT_EQ(load(u"GraphicsDraftRes=0\r\nGraphicsTonerMode=1").GraphicsTonerMode, 1);

  const ModelFeatures fonts = load(u"ExtrasPrinterFont=1\r\nExtrasPrinterFont2=1");
  EXPECT_EQ(fonts.ExtrasPrinterFont, 0);
  EXPECT_EQ(fonts.ExtrasPrinterFont2, 1);
  EXPECT_EQ(load(u"ExtrasPrinterFont=1").ExtrasPrinterFont, 1);

  const ModelFeatures trays = load(u"PrinterOptTray=1\r\nPrinterTrayCheck=1");
  EXPECT_EQ(trays.PrinterOptTray, 0);
  EXPECT_EQ(trays.PrinterTrayCheck, 1);
  EXPECT_EQ(load(u"PrinterOptTray=1").PrinterOptTray, 1);

  const ModelFeatures modes = load(
      u"GraphicsImageModePrinter=0x1\r\nGraphicsImageModeNormal=0X20\r\nGraphicsImageModeText=02000\r\n"
      u"GraphicsImageModeImage=65536");
  EXPECT_EQ(modes.GraphicsImageModeText, 1024);
  EXPECT_EQ(modes.GraphicsImageModes, 0x10421);

  // Switches hold exactly 0 or 1; counts and masks keep their value.
  const ModelFeatures values = load(u"LayoutBooklet=5\r\nPrinterHDD=-1\r\nExtrasMaxPassLen=12\r\nGraphics300Res=0x30f");
  EXPECT_EQ(values.LayoutBooklet, 1);
  EXPECT_EQ(values.PrinterHDD, 1);
  EXPECT_EQ(values.ExtrasMaxPassLen, 12);
  EXPECT_EQ(values.Graphics300Res, 0x30f);
}

TEST(ModelFeatures, ListsSectionsAndTheTextFile) {
  const std::u16string modelText =
      u"[Common]\r\nDoubleSidedPapers=1;9, 257\r\nRotatePapers=7\r\nTestPages= 1 ,2,;3\r\n"
      u"BorderPapers=1,2,3\r\nBorderlessPapers=101;102\r\nDoubleSidedMedias=0\r\n"
      u"[Custom Paper Dialog]\r\nMinPaperW=100\r\nMaxPaperH=0x1000\r\n"
      u"[LARGEPAPERNAME]\r\nPaperIndex=8;9\r\n";
  const std::u16string textText = u"[Common]\r\nCPSUI_Scale_Y=110\r\nMirrorLayout=2\r\n";
  Model m(&modelText, &textText);
  const ModelFeatures& f = m.features;

  EXPECT_EQ(f.DoubleSidedPapers, (IntList{1, 9}));
  EXPECT_EQ(f.CustomDuplexSizes, 1);
  EXPECT_EQ(f.TestPages, (IntList{1, 2, 3}));
  EXPECT_EQ(f.PaperIndex, (IntList{8, 9}));
  EXPECT_EQ(f.MinPaperW, 100);
  EXPECT_EQ(f.MaxPaperH, 4096);
  EXPECT_EQ(f.MaxPaperW, 3120);
  EXPECT_EQ(f.CPSUI_Scale_X, 100);
  EXPECT_EQ(f.CPSUI_Scale_Y, 110);
  EXPECT_EQ(f.MirrorLayout, 1);
  // Small and large container scales are a translator's choice, kept as written.
  const std::u16string unusualScales = u"[Common]\r\nCPSUI_Scale_X=20\r\nCPSUI_Scale_Y=450\r\n";
  const ModelFeatures scaled = Model(&modelText, &unusualScales).features;
  EXPECT_EQ(scaled.CPSUI_Scale_X, 20);
  EXPECT_EQ(scaled.CPSUI_Scale_Y, 450);
  EXPECT_EQ(Model(u"[Common]\r\nDoubleSidedPapers=1;9").features.CustomDuplexSizes, 0);
  EXPECT_EQ(Model(u"[Common]\r\nDoubleSidedPapers=300").features.DoubleSidedPapers, IntList{});

  EXPECT_TRUE(ModelFeatures::ListContains(9, f.DoubleSidedPapers));
  EXPECT_FALSE(ModelFeatures::ListContains(2, f.DoubleSidedPapers));
  EXPECT_TRUE(ModelFeatures::ListContains(0, f.DoubleSidedMedias));
  EXPECT_TRUE(ModelFeatures::ListContains(-1, f.RotatePapers));
  EXPECT_FALSE(ModelFeatures::ListContains(-1, IntList{}));
  EXPECT_FALSE(ModelFeatures::ListContains(-5, IntList{}));

  EXPECT_EQ(f.BorderlessFor(1), 101);
  EXPECT_EQ(f.BorderlessFor(2), 102);
  EXPECT_EQ(f.BorderlessFor(3), -1);  // no counterpart: the borderless list is shorter
  EXPECT_EQ(f.BorderlessFor(101), -1);
  EXPECT_EQ(f.BorderFor(102), 2);
  EXPECT_EQ(f.BorderFor(1), -1);
  EXPECT_EQ(Model(u"[Common]\r\nBorderPapers=1\r\nBorderlessPapers=101;102").features.BorderFor(102), -1);
}

TEST(ModelFeatures, ResolutionChoicesComeFromFourMasks) {
  auto available = [](const std::u16string& lines) {
    const Model m(u"[Common]\r\n" + lines);
    std::vector<int> set;
    for (int i = -1; i <= 32; ++i)
      if (m.features.ResolutionAvailable(i)) set.push_back(i);
    return set;
  };
  EXPECT_EQ(available(u""), (std::vector<int>{11}));
  EXPECT_EQ(available(u"Graphics1200Res=0x0108"), (std::vector<int>{0, 7, 11}));
  EXPECT_EQ(available(u"Graphics300Res=0x0201\r\nGraphics600Res=0"), (std::vector<int>{19, 22}));
  EXPECT_EQ(available(u"GraphicsDraftRes=7"), (std::vector<int>{11, 24}));
  EXPECT_EQ(available(u"Graphics600Res=0xF0F0"), (std::vector<int>{}));  // only bits 0-3 and 8-11 count
}

TEST(ModelFeatures, CustomSizesJoinTheDoubleSidedListWhenTheyFitTheListedPapers) {
  Model m(u"[Common]\r\nDoubleSidedPapers=1;9;300\r\n");
  ModelFeatures& f = m.features;
  auto dimensions = [](int32_t paper, int32_t& w, int32_t& h) {
    if (paper == 1) w = 2159, h = 2794;
    else if (paper == 9) w = 2100, h = 2970;
    else return false;
    return true;
  };
  auto unknown = [](int32_t, int32_t&, int32_t&) { return false; };

  f.RefreshDoubleSidedPapers(dimensions, {{2100, 2800}, {3000, 3000}, {2159, 2970}, {2099, 2900}});
  EXPECT_EQ(f.DoubleSidedPapers, (IntList{1, 9, 259, 257}));
  f.RefreshDoubleSidedPapers(dimensions, {{2150, 2900}});
  EXPECT_EQ(f.DoubleSidedPapers, (IntList{1, 9, 257}));
  f.RefreshDoubleSidedPapers(dimensions, {});
  EXPECT_EQ(f.DoubleSidedPapers, (IntList{1, 9}));
  f.RefreshDoubleSidedPapers(dimensions, {{2150, 2900}});
  f.RefreshDoubleSidedPapers(unknown, {{2150, 2900}});
  EXPECT_EQ(f.DoubleSidedPapers, (IntList{1, 9}));

  Model plain(u"[Common]\r\nDoubleSidedPapers=1;9\r\n");
  plain.features.RefreshDoubleSidedPapers(dimensions, {{2150, 2900}});
  EXPECT_EQ(plain.features.DoubleSidedPapers, (IntList{1, 9}));
}

TEST(ModelFeatures, HelpAnchorTellsTheHelpPagesWhatTheModelHas) {
  FakeNames names;
  // A switch sets its bit in its page's word; a resolution mask also goes in whole, unsigned.
  EXPECT_EQ(Model(u"[Common]\r\nLayoutBooklet=1\r\nPaperCollate=1\r\nGraphics300Res=-1").features.HelpAnchor(names),
            u"4,33,25829,256,0,3,4294967295,1,0????");

  const std::u16string listed =
      u"[Common]\r\nDoubleSidedPapers=1;9\r\nDoubleSidedMedias=2\r\n[LARGEPAPERNAME]\r\nPaperIndex=8\r\n";
  Model m(listed);
  names.calls = 0;
  const std::u16string anchor = m.features.HelpAnchor(names);
  EXPECT_EQ(anchor, u"0,32,25797,256,0,3,0,1,0?A4, Letter#2??Plain?A4, Letter#1");
  EXPECT_EQ(names.calls, 4);

  // The first build stays, whatever the printer answers later.
  FakeNames other;
  other.paperText = u"B5";
  EXPECT_EQ(m.features.HelpAnchor(other), anchor);
  EXPECT_EQ(other.calls, 0);

  FakeNames longNames;
  longNames.paperText = std::u16string(1000, u'x');
  longNames.mediaText = std::u16string(800, u'm');
  const std::u16string x767(767, u'x');
  EXPECT_EQ(Model(listed).features.HelpAnchor(longNames),
            u"0,32,25797,256,0,3,0,1,0?" + x767 + u"??" + std::u16string(767, u'm') + u"?" + x767);
}

TEST(ModelFeatures, DamagedModelFilesLoadWithinBounds) {
  const std::u16string huge(100000, u'7');
  std::u16string numbers;
  for (int i = 0; i < 10000; ++i) numbers += u"12;";
  Model m(u"[Common]\r\nLayoutBooklet=" + huge + u"\r\nGraphicsImageModePrinter=" + huge +
          u"\r\nDoubleSidedPapers=" + numbers + u"\r\nRotatePapers=" + huge + u"\r\nPaperCollate=1\r\n");
  const ModelFeatures& f = m.features;
  EXPECT_EQ(f.LayoutBooklet, 1);
  EXPECT_EQ(f.GraphicsImageModePrinter, 2147483647);
  EXPECT_EQ(f.PaperCollate, 1);
  EXPECT_FALSE(f.DoubleSidedPapers.empty());
  EXPECT_LE(f.DoubleSidedPapers.size(), ModelFeatures::kMaxListEntries);
  // The value is cut mid-number where the buffer ends; every whole number is kept.
  EXPECT_GE(std::count(f.DoubleSidedPapers.begin(), f.DoubleSidedPapers.end(), 12),
            static_cast<std::ptrdiff_t>(f.DoubleSidedPapers.size()) - 1);
  EXPECT_EQ(f.RotatePapers, (IntList{2147483647}));
}

TEST(ModelFeatures, WriteBackCompletesBothFilesSoThatTheyLoadTheSameModel) {
  const std::u16string modelText = u"[Common]\r\nShowDevmodeChanges=1\r\n";
  Model m(&modelText);
  EXPECT_EQ(m.storage.Text(kTextPath), u"[Common]\r\nCPSUI_Scale_X=100\r\nCPSUI_Scale_Y=100\r\nMirrorLayout=0\r\n");

  // Every key was written: reading the completed file finds them all and writes nothing.
  const std::u16string completed = m.storage.Text(kModelPath), completedText = m.storage.Text(kTextPath);
  Model again(&completed, &completedText);
  EXPECT_EQ(again.storage.saves, 0);
  EXPECT_EQ(again.storage.Text(kModelPath), completed);
  FakeNames names;
  EXPECT_EQ(again.features.HelpAnchor(names), m.features.HelpAnchor(names));
}

}  // namespace
}  // namespace qxge
