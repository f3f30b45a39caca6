// The preview of the printed sheet on the settings pages: n-up, poster, booklet, fit to page,
// reduce/enlarge and output paper, with the paper's name and size under the sheet and the
// copies and resolution in the caption lines.
#pragma once

#include <string>

#include "preview/preview_wnd.h"

namespace qxge {

class LayoutPreview : public PreviewWnd {
 public:
  LayoutPreview() : PreviewWnd(3) {}
  void Update(DriverDevMode& record) override;

 protected:
  void Draw(PreviewPainter& painter) override;
  RECT GetPreviewArea() const override;

 private:
  void DrawTextBand(PreviewPainter& painter, PreviewMode mode);
  void DrawFitToPage(PreviewPainter& painter);
  void DrawBooklet(PreviewPainter& painter);
  void DrawReduceEnlarge(PreviewPainter& painter);
  void DrawPoster(PreviewPainter& painter);
  void DrawOutputPaper(PreviewPainter& painter);
  void DrawNup(PreviewPainter& painter);
  // The sheet with a page image on it; arrows: 1 outwards (enlarge), -1 inwards, 0 none.
  void DrawScaledPage(PreviewPainter& painter, const Box& sheet, const Box& page, int arrows);
  COLORREF PageFill(const PreviewPainter& painter) const;
  // Arrow heads and the poster's page outline.
  COLORREF AccentInk(const PreviewPainter& painter) const;

  std::u16string copiesLabel_, resolutionLabel_;
  std::u16string signature_;
  std::u16string customName_;
  const char16_t* resolutionKey_ = nullptr;
  std::u16string resolutionText_;
};

}  // namespace qxge
