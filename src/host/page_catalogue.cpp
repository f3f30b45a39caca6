#include "host/page_catalogue.h"

#include "config/model_features.h"
#include "resources/resource.h"

namespace qxge {

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
    case 5: entry = {PageKind::About, tall ? IDD_ABOUT_TALL : IDD_ABOUT, u"About", 0}; return true;
    case 6: entry = {PageKind::Watermark, IDD_WATERMARK, u"Watermark", 0}; return true;
    case 7: entry = {PageKind::Overlay, IDD_OVERLAY, u"Overlay", 0}; return true;
    case 10: entry = {PageKind::About, IDD_ABOUT_TEXT, u"About", 0}; return true;
    case 11: entry = {PageKind::About, IDD_ABOUT_TEXT_LINK, u"About", 0}; return true;
    case 12: entry = {PageKind::Troubleshooting, IDD_TROUBLESHOOTING, u"Troubleshooting", 0}; return true;
    case 13: entry = {PageKind::About, IDD_ABOUT_CENTRED, u"About", 0}; return true;
    case 14: entry = {PageKind::About, IDD_ABOUT_THREE_LINKS, u"About", 0}; return true;
    case 15: entry = {PageKind::About, IDD_ABOUT_LINKS, u"About", 0}; return true;
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
