// The Watermark page's picture of the watermark being edited: the record's sheet, plain, with
// the description the page hands over drawn across it, and no caption lines.
#pragma once

#include "preview/preview_wnd.h"

namespace qxge {

class WatermarkPreview : public PreviewWnd {
 public:
  WatermarkPreview() : PreviewWnd(0) {}

 protected:
  void Draw(PreviewPainter& painter) override;
};

}  // namespace qxge
