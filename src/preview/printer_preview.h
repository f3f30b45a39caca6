// The printer as the Printer and Maintenance pages picture it: the model's own bitmap beside
// the module, with the optional lower tray while that is installed, and the printer's name in
// the caption line.
#pragma once

#include "platform/gdi.h"
#include "preview/preview_wnd.h"

namespace qxge {

class PrinterPreview : public PreviewWnd {
 public:
  PrinterPreview() : PreviewWnd(1) {}
  void Update(DriverDevMode& record) override;

 protected:
  void Draw(PreviewPainter& painter) override;

 private:
  platform::Bitmap picture_;
  int trayShown_ = -1;  // the tray state the picture shows; none before the first update
};

}  // namespace qxge
