// A photo page's decoration: the photo itself (in the previews), the frame of the record's
// style drawn as nine pieces of its picture, and the message (date and note) under the photo.
#pragma once

#include <windows.h>

#include "preview/preview_painter.h"
#include "record/driver_dev_mode.h"

namespace qxge {

// Frame styles 2..9 have pictures; 0 is none and 1 the message alone.
constexpr uint32_t kFirstFramePicture = 2, kLastFrameStyle = 9;

// The number of the frame picture for a style, colour or grey, upright or turned: 0 when the
// style has none.
int FramePictureIndex(uint32_t style, bool colour, bool landscape);

// Draws into r: the photo (may be null) filling it, the frame picture (may be null; its corners
// are corner pixels of the picture) and the message, at pixelsPerInch.
void DrawDecoration(const DriverDevMode& record, double pixelsPerInch, PreviewPainter& painter, RECT r, HBITMAP photo,
                    HBITMAP frame, int corner);

}  // namespace qxge
