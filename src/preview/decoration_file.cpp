#include "preview/decoration_file.h"

#include <windows.h>

#include "app/driver_ui_app.h"
#include "platform/gdi.h"
#include "platform/win_text.h"
#include "preview/decoration.h"
#include "preview/preview_wnd.h"
#include "printer/printer_lookup.h"

namespace qxge {
namespace {

void DrawPage(HDC dc, const DriverDevMode& job, bool decoration) {
  const ModelFeatures& model = App().Features();
  const bool landscape = job.dmPublic.dmOrientation == DMORIENT_LANDSCAPE;
  const double perInch = GetDeviceCaps(dc, LOGPIXELSY);
  const Box printable = {0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
  const RECT r = ToRect(PrintedPhotoBox(printable, job.dmPrivate.iClone, landscape));
  PreviewPainter painter(dc, ColourShown(job, model));
  if (decoration) {
    const int index = FramePictureIndex(job.dmPrivate.FrameStyle, painter.Colour(), landscape);
    DrawDecoration(job, perInch, painter, r, nullptr, LoadFramePicture(index, FrameDevice::Printer));
  } else {
    DrawWatermarkLook(painter, WatermarkLook::FromRecord(job), job, r, perInch, false);
  }
}

}  // namespace

void RenderDecorationFile(const DriverDevMode& record, int16_t orientation, int16_t paperSize) {
  // The driver gets a copy set up for this page, so the caller's record stays as it was.
  DriverDevMode job = record;
  // Its header states the copy's true extent, whatever a damaged record says, so that the
  // driver reads no byte beyond it.
  job.dmPublic.dmSize = static_cast<uint16_t>(kPublicDevModeBytes);
  job.dmPublic.dmDriverExtra = static_cast<uint16_t>(kPrivateDevModeBytes);
  job.dmPublic.dmOrientation = orientation;
  job.dmPublic.dmFields |= dm::kOrientation;
  if (paperSize != 0) {
    job.dmPublic.dmPaperSize = paperSize;
    job.dmPublic.dmFields |= dm::kPaperSize;
  }
  // The page is drawn upright; the driver turns the file with the job's own pages.
  job.dmPrivate.iRotate = 0;

  const std::u16string printer = PrinterNameOf(record);
  if (printer.empty()) return;
  const platform::DeviceContext dc(CreateDCW(L"pscript", platform::W(printer), nullptr, reinterpret_cast<const DEVMODEW*>(&job)));
  if (dc.Get() == nullptr) return;
  wchar_t folder[MAX_PATH + 1] = {}, path[MAX_PATH] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"TMP", 0, path) == 0) return;

  DOCINFOW document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = paperSize != 0 ? L"Deco File" : L"WaterMark File";
  document.lpszOutput = path;
  document.lpszDatatype = L"RAW";
  const bool started = StartDocW(dc.Get(), &document) > 0;
  if (!started || StartPage(dc.Get()) <= 0) {
    if (started) AbortDoc(dc.Get());
    DeleteFileW(path);  // no empty file for the driver to take for a rendered one
    return;
  }
  DrawPage(dc.Get(), job, paperSize != 0);
  EndPage(dc.Get());
  EndDoc(dc.Get());
}

}  // namespace qxge
