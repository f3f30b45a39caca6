#include "preview/watermark_preview.h"

namespace qxge {

void WatermarkPreview::Draw(PreviewPainter& painter) {
  // Nothing to show before the page has handed over its record.
  if (record_ != nullptr) DrawPlainSheet(painter, paper_, true);
}

}  // namespace qxge
