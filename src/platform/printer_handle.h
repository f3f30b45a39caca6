// An owned spooler printer handle: closed when the owner goes; movable, not copyable.
#pragma once

#include <windows.h>
#include <winspool.h>

namespace platform {

class PrinterHandle {
 public:
  PrinterHandle() = default;
  ~PrinterHandle() { Close(); }
  PrinterHandle(PrinterHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  PrinterHandle& operator=(PrinterHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.handle_;
      other.handle_ = nullptr;
    }
    return *this;
  }
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;

  bool Open(const wchar_t* name, PRINTER_DEFAULTSW* defaults) {
    Close();
    if (OpenPrinterW(const_cast<wchar_t*>(name), &handle_, defaults)) return true;
    handle_ = nullptr;
    return false;
  }
  void Close() {
    if (handle_ != nullptr) ClosePrinter(handle_);
    handle_ = nullptr;
  }
  bool IsOpen() const { return handle_ != nullptr; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace platform
