// The sample of the colour dialogs: the model's picture of a scene, grey or in colour as the
// record prints, upright or turned with the sheet, adjusted as the record's levels say. A
// missing or unreadable picture leaves the sample out.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi.h"
#include "preview/preview_wnd.h"

namespace qxge {

class ColorSamplePreview : public PreviewWnd {
 public:
  explicit ColorSamplePreview(int captionCount = 0) : PreviewWnd(captionCount) {}
  void Update(DriverDevMode& record) override;

 protected:
  void Draw(PreviewPainter& painter) override;
  // The adjusted picture; null when there is none.
  HBITMAP Sample() const { return shown_.Get(); }

 private:
  bool Load(const wchar_t* suffix);

  platform::Bitmap original_, shown_;
  const wchar_t* suffix_ = nullptr;  // the picture asked for, once asked
  std::vector<int32_t> applied_;     // the levels the shown picture was made with
};

}  // namespace qxge
