#include "host/page_catalogue.h"

#include "config/model_features.h"
#include "pages/about_layout.h"
#include "resources/resource.h"

namespace qxge {
namespace {

// The About pages: one layout each, so a model shows the one its host asks for by number.
//   5  the tall banner with the maker's logo: the plain About page of most hosts;
//   10 the model's name alone over the texts, for hosts that want no pictures;
//   11 the printer's picture with its support link flush right;
//   13 the tall banner in the middle of the page;
//   14 the wide banner above the texts;
//   15 the banner carrying the name, the description and the two main links.
// The colour is that of the texts the page draws: white over the dark banner, the maker's blue
// for the name on the bare page.
PageEntry About(int templateId, AboutLayout layout, uint32_t colour = 0) {
  return {PageKind::About, templateId, u"About", static_cast<int>(layout), colour};
}
// As Windows writes a colour: red in the low byte.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }
constexpr uint32_t kWhite = Rgb(255, 255, 255), kMakerBlue = Rgb(0x2F, 0x6F, 0xC0);

}  // namespace

bool LookupPage(int32_t pageId, const ModelFeatures& f, PageEntry& entry) {
  const bool tall = f.CPSUI_Scale_Y >= 110;
  switch (pageId) {
    case 0: entry = f.LayoutMore ? PageEntry{PageKind::CompactLayout, IDD_COMPACT_LAYOUT, u"Layout", 0}
                                 : PageEntry{PageKind::Layout, IDD_LAYOUT, u"Layout", 0}; return true;
    case 1: entry = f.LayoutMore ? PageEntry{PageKind::CompactPaper, IDD_COMPACT_PAPER, u"Paper", 0}
                                 : PageEntry{PageKind::Paper, IDD_PAPER, u"Paper", 0}; return true;
    case 2: entry = {PageKind::Graphics, IDD_GRAPHICS, u"Graphics", 0}; return true;
    case 3: entry = f.ExtrasSimple ? PageEntry{PageKind::SimpleExtras, IDD_SIMPLE_EXTRAS, u"Extras", 7}
                                   : PageEntry{PageKind::Extras, IDD_EXTRAS, u"Extras", 2}; return true;
    case 4: entry = {PageKind::Printer, IDD_PRINTER, u"Printer", 0}; return true;
    case 5: entry = About(tall ? IDD_ABOUT_TALL : IDD_ABOUT, AboutLayout::BannerWithLogo); return true;
    case 6: entry = {PageKind::Watermark, IDD_WATERMARK, u"Watermark", 0}; return true;
    case 7: entry = {PageKind::Overlay, IDD_OVERLAY, u"Overlay", 0}; return true;
    case 10: entry = About(IDD_ABOUT_TEXT, AboutLayout::CaptionOnly, kMakerBlue); return true;
    case 11: entry = About(IDD_ABOUT_TEXT_LINK, AboutLayout::ModelPicture); return true;
    case 12: entry = {PageKind::Troubleshooting, IDD_TROUBLESHOOTING, u"Troubleshooting", 0}; return true;
    case 13: entry = About(IDD_ABOUT_CENTRED, AboutLayout::CentredBanner); return true;
    case 14: entry = About(IDD_ABOUT_THREE_LINKS, AboutLayout::BottomBanner); return true;
    case 15: entry = About(IDD_ABOUT_LINKS, AboutLayout::CaptionedBanner, kWhite); return true;
    case 16: entry = {PageKind::Basics, IDD_BASICS, u"Basics", 0}; return true;
    case 17: entry = {PageKind::Output, IDD_OUTPUT, u"Output", 0}; return true;
    case 18: entry = f.GraphicsColorSettings ? PageEntry{PageKind::ColorMode, IDD_COLOR_MODE, u"Graphics", 0}
                                             : PageEntry{PageKind::ColorAdjust, IDD_COLOR_ADJUST, u"Graphics", 0};
      return true;
    case 19: entry = {PageKind::Deco, tall ? IDD_DECO_TALL : IDD_DECO, u"Deco", 0}; return true;
    case 20: entry = {PageKind::Maintenance, tall ? IDD_MAINTENANCE_TALL : IDD_MAINTENANCE, u"Printer", 0}; return true;
    case 21: entry = {PageKind::Main, IDD_MAIN, u"Main", 0}; return true;
    default: return false;
  }
}

}  // namespace qxge
