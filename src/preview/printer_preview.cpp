#include "preview/printer_preview.h"

#include "preview/owner_drawn.h"

namespace qxge {

void PrinterPreview::Update(DriverDevMode& record) {
  record_ = &record;
  const int tray = record.dmPrivate.iOptTray != 0 ? 1 : 0;
  // Reading a bitmap file on every change of an unrelated setting would be wasted work.
  if (tray == trayShown_) return;
  trayShown_ = tray;
  LoadPicturePair(picture_, tray != 0 ? L"1.Bmp" : L".Bmp", nullptr);
  InvalidateArea();
}

void PrinterPreview::Draw(PreviewPainter& painter) {
  PreviewWnd::Draw(painter);
  const SIZE size = BitmapSize(picture_.Get());
  if (size.cx <= 0) return;
  const RECT area = GetPreviewArea();
  DrawPicture(painter.Dc(), picture_.Get(), (area.left + area.right - size.cx) / 2,
              (area.top + area.bottom - size.cy) / 2, false);
}

}  // namespace qxge
