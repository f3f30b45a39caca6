// Which page, template and name belong to each page number of the host, chosen by the model.
#pragma once

#include <cstdint>

namespace qxge {

struct ModelFeatures;

enum class PageKind {
  Layout, CompactLayout, Paper, CompactPaper, Graphics, Extras, SimpleExtras, Printer, About,
  Watermark, Overlay, Troubleshooting, Basics, Output, ColorAdjust, ColorMode, Deco, Maintenance, Main,
};

struct PageEntry {
  PageKind kind;
  int templateId;
  const char16_t* name;  // forms the text-file section and is the fallback caption
  int variant;           // Extras: which boxes the page has; About: its AboutLayout; 0 elsewhere
  uint32_t colour = 0;   // About: the colour of the texts it draws itself (a COLORREF)
};

constexpr int32_t kPageIdCount = 22;

// Nothing for page numbers outside 0..21 and for the unassigned 8 and 9.
bool LookupPage(int32_t pageId, const ModelFeatures& features, PageEntry& entry);

}  // namespace qxge
