// What is drawn over and around a page, alike on the screen's previews and into the printer's
// files: a photo page's decoration (the photo itself in the previews, the frame of the
// record's style drawn as nine pieces of its picture, and the message under the photo), and
// the watermark across a page.
#pragma once

#include <windows.h>

#include "platform/gdi.h"
#include "preview/preview_layout.h"
#include "preview/preview_painter.h"
#include "record/driver_dev_mode.h"

namespace qxge {

// Frame styles 2..9 have pictures; 0 is none and 1 the message alone.
constexpr uint32_t kFirstFramePicture = 2, kLastFrameStyle = 9;

// The number of the frame picture for a style, colour or grey, upright or turned: 0 when the
// style has none.
int FramePictureIndex(uint32_t style, bool colour, bool landscape);

// A frame picture with the size of its corners in its own pixels.
struct FramePicture {
  platform::Bitmap bitmap;
  int corner = 0;
};
// The screen gets small bitmaps; the printer larger pictures, kept as BMP files.
enum class FrameDevice { Screen, Printer };
// Frame picture number index of the resource library; empty for 0 or when it is missing.
FramePicture LoadFramePicture(int index, FrameDevice device);

// Draws into r: the photo (may be null) filling it, the frame (its bitmap may be empty) and
// the message, at pixelsPerInch.
void DrawDecoration(const DriverDevMode& record, double pixelsPerInch, PreviewPainter& painter, RECT r, HBITMAP photo,
                    const FramePicture& frame);

// Draws look centred in r at pixelsPerInch, turned with the record's page and in the colour
// the record prints it in; washed out, it is mixed with the window colour.
void DrawWatermarkLook(PreviewPainter& painter, const WatermarkLook& look, const DriverDevMode& record, const RECT& r,
                       double pixelsPerInch, bool washedOut);

}  // namespace qxge
