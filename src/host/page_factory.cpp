#include "host/page_factory.h"

#include "app/driver_ui_app.h"
#include "host/page_catalogue.h"
#include "pages/about_page.h"
#include "pages/basics_page.h"
#include "pages/deco_page.h"
#include "pages/extras_page.h"
#include "pages/graphics_page.h"
#include "pages/layout_page.h"
#include "pages/overlay_page.h"
#include "pages/paper_page.h"
#include "pages/printer_page.h"
#include "pages/troubleshooting_page.h"
#include "pages/watermark_page.h"

namespace qxge {

std::unique_ptr<SettingsPage> CreatePage(int32_t pageId) {
  PageEntry e;
  if (!LookupPage(pageId, App().Features(), e)) return nullptr;
  const int t = e.templateId;
  switch (e.kind) {
    case PageKind::Layout: return std::make_unique<LayoutPage>(t, pageId);
    case PageKind::CompactLayout: return std::make_unique<CompactLayoutPage>(t, pageId);
    case PageKind::Paper: return std::make_unique<PaperPage>(t, pageId);
    case PageKind::CompactPaper: return std::make_unique<CompactPaperPage>(t, pageId);
    case PageKind::Graphics: return std::make_unique<GraphicsPage>(t, pageId);
    case PageKind::ColorAdjust: return std::make_unique<ColorAdjustPage>(t, pageId);
    case PageKind::ColorMode: return std::make_unique<ColorModePage>(t, pageId);
    case PageKind::Extras: return std::make_unique<ExtrasPage>(t, pageId, e.variant);
    case PageKind::SimpleExtras: return std::make_unique<SimpleExtrasPage>(t, pageId, e.variant);
    case PageKind::Output: return std::make_unique<OutputPage>(t, pageId);
    case PageKind::Printer: return std::make_unique<PrinterPage>(t, pageId);
    case PageKind::Maintenance: return std::make_unique<MaintenancePage>(t, pageId);
    case PageKind::Basics: return std::make_unique<BasicsPage>(t, pageId);
    case PageKind::Main: return std::make_unique<MainPage>(t, pageId);
    case PageKind::Watermark: return std::make_unique<WatermarkEditor>(t, pageId);
    case PageKind::Overlay: return std::make_unique<OverlayEditor>(t, pageId);
    case PageKind::Deco: return std::make_unique<DecoPage>(t, pageId);
    case PageKind::Troubleshooting: return std::make_unique<TroubleshootingPage>(t, pageId);
    case PageKind::About:
      return std::make_unique<AboutPage>(t, pageId, static_cast<AboutLayout>(e.variant), static_cast<COLORREF>(e.colour));
  }
  return nullptr;
}

}  // namespace qxge
