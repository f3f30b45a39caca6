// Pictures from bytes in memory, read by the system's picture loader: a BMP file kept as raw
// data decodes the same on a printer as on the screen.
#pragma once

#include <cstddef>

#include "platform/gdi.h"

namespace platform {

// A DIB section holding the picture; empty when the bytes are not a bitmap picture.
Bitmap LoadPicture(const void* bytes, size_t size);

// The raw-data resource number id of module as a picture; empty when it is missing.
Bitmap LoadPictureResource(HMODULE module, int id);

}  // namespace platform
