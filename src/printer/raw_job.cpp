#include "printer/raw_job.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>

#include "platform/win_file.h"
#include "platform/win_text.h"
#include "printer/printer_lookup.h"

namespace qxge {

void SendRawJob(const DriverDevMode& record, std::u16string_view documentName, const void* bytes, ptrdiff_t length) {
  const size_t size = length < 0 ? strlen(static_cast<const char*>(bytes)) : static_cast<size_t>(length);
  if (size > kMaxRawFileBytes) return;
  const platform::PrinterHandle printer = OpenPrinterFor(record);
  if (!printer.IsOpen()) return;
  std::u16string name(documentName);
  DOC_INFO_1W document = {platform::W(&name[0]), nullptr, const_cast<LPWSTR>(L"RAW")};
  if (StartDocPrinterW(printer.Get(), 1, reinterpret_cast<BYTE*>(&document)) == 0) return;
  DWORD written = 0;
  WritePrinter(printer.Get(), const_cast<void*>(bytes), static_cast<DWORD>(size), &written);
  EndDocPrinter(printer.Get());
}

bool SendFileAsJob(const DriverDevMode& record, std::u16string_view path, std::u16string_view documentName) {
  std::string bytes;
  if (!platform::ReadFileAlone(platform::W(std::u16string(path)), bytes, kMaxRawFileBytes)) return false;
  SendRawJob(record, documentName, bytes.data(), static_cast<ptrdiff_t>(bytes.size()));
  return true;
}

}  // namespace qxge
