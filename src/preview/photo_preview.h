// The preview of photo models: copies of one photo on a sheet or photo pages per sheet, each
// the colour sample framed and captioned as the record's decoration says, with the paper's
// size and print area under the sheet.
#pragma once

#include <string>

#include "preview/color_sample_preview.h"
#include "preview/decoration.h"

namespace qxge {

class PhotoPreview : public ColorSamplePreview {
 public:
  // Two caption lines add the resolution under the copies.
  explicit PhotoPreview(int captionCount) : ColorSamplePreview(captionCount) {}
  void Update(DriverDevMode& record) override;

 protected:
  void Draw(PreviewPainter& painter) override;
  RECT GetPreviewArea() const override;

 private:
  void DrawTextBlock(PreviewPainter& painter);
  void DrawPage(PreviewPainter& painter, const RECT& page);

  std::u16string signature_;
  FramePicture frame_;
  int frameIndex_ = -1;
};

}  // namespace qxge
