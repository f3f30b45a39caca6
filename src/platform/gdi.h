// Owning handles for GDI objects: who frees what is visible in the type.
#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// Free is how the handle goes back to the system.
template <class Handle, class Free>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) Free()(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteDeviceContext {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

using Bitmap = GdiObject<HBITMAP, DeleteGdiObject>;
using Font = GdiObject<HFONT, DeleteGdiObject>;
using Brush = GdiObject<HBRUSH, DeleteGdiObject>;
// A device context made for a device (CreateDC).
using DeviceContext = GdiObject<HDC, DeleteDeviceContext>;

// A memory device context compatible with another one, deleted with the object; the objects
// selected into it are put back first, so they can be freed after.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() {
    if (dc_ == nullptr) return;
    if (saved_ != 0) RestoreDC(dc_, saved_);
    DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC Get() const { return dc_; }
  void Select(HGDIOBJ object) {
    if (saved_ == 0) saved_ = SaveDC(dc_);
    SelectObject(dc_, object);
  }

 private:
  HDC dc_;
  int saved_ = 0;
};

}  // namespace platform
