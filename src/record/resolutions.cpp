#include "record/resolutions.h"

namespace qxge {

const ResolutionChoice kResolutionChoices[kResolutionCount] = {
    {1200, 9600, u"9600x1200 dpi"}, {1200, 4800, u"4800x1200 dpi"}, {1200, 2400, u"2400x1200 dpi"},
    {1200, 1200, u"1200 dpi"},      {1200, 8, u"1200 dpi (8)"},     {1200, 4, u"1200 dpi (4)"},
    {1200, 2, u"1200 dpi (2)"},     {1200, 1, u"1200 dpi (1)"},     {600, 4800, u"4800x600 dpi"},
    {600, 2400, u"2400x600 dpi"},   {600, 1200, u"1200x600 dpi"},   {600, 600, u"600 dpi"},
    {600, 8, u"600 dpi (8)"},       {600, 4, u"600 dpi (4)"},       {600, 2, u"600 dpi (2)"},
    {600, 1, u"600 dpi (1)"},       {300, 2400, u"2400x300 dpi"},   {300, 1200, u"1200x300 dpi"},
    {300, 600, u"600x300 dpi"},     {300, 300, u"300 dpi"},         {300, 8, u"300 dpi (8)"},
    {300, 4, u"300 dpi (4)"},       {300, 2, u"300 dpi (2)"},       {300, 1, u"300 dpi (1)"},
    {600, 600, u"Draft"},
};

bool IsDraftMode(const DriverDevMode& record, const ModelFeatures& model) {
  return model.GraphicsDraftRes != 0 && record.dmPublic.dmPrintQuality == 600 && record.dmPrivate.iTonerSave == 2;
}

int ResolutionIndex(const DriverDevMode& record, const ModelFeatures& model) {
  if (IsDraftMode(record, model)) return kDraftMode;
  const int16_t quality = record.dmPublic.dmPrintQuality;
  const uint16_t stored = record.dmPrivate.iResolution;
  const int32_t resolution = stored != 0 ? stored : quality;
  for (int i = 0; i < kDraftMode; ++i)
    if (kResolutionChoices[i].quality == quality && kResolutionChoices[i].resolution == resolution) return i;
  return 0;
}

int NextResolution(int index, uint32_t offered, bool poster) {
  for (int step = 1; step <= kResolutionCount; ++step) {
    const int next = (index + step) % kResolutionCount;
    if (((offered >> next) & 1) != 0 && (next >= kResolutionRow || !poster)) return next;
  }
  return index;
}

bool ImageModeAvailable(int mode, int index, const ModelFeatures& model) {
  const int32_t masks[4] = {model.GraphicsImageModePrinter, model.GraphicsImageModeNormal, model.GraphicsImageModeText,
                            model.GraphicsImageModeImage};
  return mode >= 0 && mode < 4 && index >= 0 && index < kResolutionCount && ((masks[mode] >> index) & 1) != 0;
}

}  // namespace qxge
