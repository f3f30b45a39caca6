#include "platform/picture.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>

namespace platform {
namespace {

template <class Interface>
struct Released {
  Interface* p = nullptr;
  ~Released() {
    if (p != nullptr) p->Release();
  }
};

}  // namespace

Bitmap LoadPicture(const void* bytes, size_t size) {
  if (bytes == nullptr || size == 0 || size > MAXDWORD) return Bitmap();
  // The stream owns its copy of the bytes and frees it with itself.
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return Bitmap();
  void* target = GlobalLock(block);
  if (target == nullptr) {
    GlobalFree(block);
    return Bitmap();
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(block);
  Released<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream.p))) {
    GlobalFree(block);
    return Bitmap();
  }
  Released<IPicture> picture;
  if (FAILED(OleLoadPicture(stream.p, static_cast<LONG>(size), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&picture.p))))
    return Bitmap();
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (FAILED(picture.p->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture.p->get_Handle(&handle)))
    return Bitmap();
  // The picture frees its own bitmap, a screen-compatible one; a DIB section of our own can be
  // selected into a memory context made for any device, a printer's included.
  const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
  return Bitmap(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

Bitmap LoadPictureResource(HMODULE module, int id) {
  if (module == nullptr) return Bitmap();
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
  const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  return bytes != nullptr ? LoadPicture(bytes, SizeofResource(module, found)) : Bitmap();
}

}  // namespace platform
