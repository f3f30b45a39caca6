// A model file and a text file as anyone may have edited them, read as the module starts:
// lists stay within their caps, nothing is written unless the model asks for write-back, and
// the files a write-back completed read the same next time without another write.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "config/model_features.h"
#include "config/profile_file.h"
#include "config/profile_values.h"
#include "fuzz_input.h"
#include "memory_profile_storage.h"

namespace {

using qxge::IntList;
using qxge::ModelFeatures;
using qxge::fuzz::Check;

const std::u16string kModelPath = u"D:\\QX5000U.INI";
const std::u16string kTextPath = u"D:\\QX5000EN.DAT";

// Names as long as a printer could make them, so the help address has to cut them.
class NumberNames : public qxge::PaperNameSource {
 public:
  std::u16string PaperNames(const IntList& papers) override { return Joined(papers); }
  std::u16string MediaNames(const IntList& medias) override { return Joined(medias); }

 private:
  static std::u16string Joined(const IntList& list) {
    std::u16string names;
    for (int32_t n : list) names += (names.empty() ? u"Paper " : u", Paper ") + qxge::FormatDecimal(n);
    return names;
  }
};

// Start-up as the application object does it: both files follow the model's write-back switch.
struct Start {
  explicit Start(qxge::MemoryProfileStorage& storage) : model(storage), text(storage) {
    model.SetFile(kModelPath, false);
    text.SetFile(kTextPath, true);
    model.SetWriteBack(&features.ShowDevmodeChanges);
    text.SetWriteBack(&features.ShowDevmodeChanges);
    features.Load(model, text);
  }
  qxge::ProfileFile model, text;
  ModelFeatures features;
};

// What the pages act on besides the switches that the help address carries.
std::vector<int32_t> Values(const ModelFeatures& f) {
  return {f.CPSUI_Scale_X, f.CPSUI_Scale_Y, f.MinPaperW, f.MaxPaperW, f.MinPaperH, f.MaxPaperH,
          f.GraphicsImageModePrinter, f.GraphicsImageModeNormal, f.GraphicsImageModeText,
          f.GraphicsImageModeImage, f.ExtrasMinPassLen, f.ExtrasMaxPassLen, f.CustomDuplexSizes, f.MirrorLayout};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qxge::fuzz::Utf16Input in(data, size);
  const std::u16string modelText = in.Take(in.Unit());
  const std::u16string textText = in.Take(in.Unit());
  // The user's custom sizes, in tenths of a millimetre.
  std::vector<std::pair<int32_t, int32_t>> customSizes(in.Unit() % 64);
  for (auto& [w, h] : customSizes) {
    w = in.Unit();
    h = in.Unit();
  }

  qxge::MemoryProfileStorage storage;
  storage.Put(kModelPath, modelText);
  storage.Put(kTextPath, textText);
  Start first(storage);
  ModelFeatures& f = first.features;
  Check(first.features.ShowDevmodeChanges != 0 || storage.saves == 0);
  for (const IntList* list : {&f.TestPages, &f.PaperIndex, &f.RotatePapers, &f.BorderPapers, &f.BorderlessPapers,
                              &f.DoubleSidedPapers, &f.DoubleSidedMedias})
    Check(list->size() <= ModelFeatures::kMaxListEntries);
  Check(std::all_of(f.DoubleSidedPapers.begin(), f.DoubleSidedPapers.end(), [](int32_t p) { return p < 256; }));

  NumberNames names;
  const std::u16string anchor = f.HelpAnchor(names);
  Check(anchor.size() <= 9 * 11 + 4 * 768);

  if (f.ShowDevmodeChanges != 0) {
    const int saves = storage.saves;
    Start again(storage);
    Check(storage.saves == saves);
    Check(again.features.HelpAnchor(names) == anchor && Values(again.features) == Values(f));
  }

  // Custom sizes join within the box the listed papers span, and joining again changes nothing.
  const auto dimensions = [](int32_t paper, int32_t& w, int32_t& h) {
    const auto n = static_cast<uint32_t>(paper);
    w = static_cast<int32_t>(500 + n * 37 % 2600);
    h = static_cast<int32_t>(700 + n * 53 % 4000);
    return n % 7 != 0;
  };
  f.RefreshDoubleSidedPapers(dimensions, customSizes);
  const IntList joined = f.DoubleSidedPapers;
  Check(joined.size() <= 2 * ModelFeatures::kMaxListEntries);
  f.RefreshDoubleSidedPapers(dimensions, customSizes);
  Check(f.DoubleSidedPapers == joined);
  return 0;
}
