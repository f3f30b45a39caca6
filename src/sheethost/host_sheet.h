// The driver's side of a sheet: container pages sized by the module, the shared blocks, the
// routing of every container message to the module, and the state words read at the end.
// The reference host shows the sheet itself; the printing system's configuration module hands
// the same pages to the common property sheet instead.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/host_blocks.h"
#include "module_package.h"

namespace qxhost {

using qxge::PageSlotTable;
using qxge::SheetContext;

// The pages of the printing-preferences sheet and of the printer-properties sheet.
extern const std::vector<int32_t> kPreferencePages;
extern const std::vector<int32_t> kPrinterPages;

struct SheetOptions {
  std::wstring printer;
  std::vector<int32_t> pages = kPreferencePages;
  uint32_t sheetFlags = 0;
  // The sheet's title; none: the module's caption, else the printer's preferences.
  std::wstring caption = {};
};

// A record as the driver hands it over: the printer's own public settings from the spooler
// and an empty private part. Falls back to a bare header when the printer cannot be opened.
std::vector<uint8_t> DefaultRecord(const std::wstring& printer);
// The same from a driver's device mode already at hand (none: a bare header).
std::vector<uint8_t> RecordWithPublicPart(const DEVMODEW* publicPart, const std::wstring& printer);

class HostSheet {
 public:
  HostSheet(ModulePackage& module, SheetOptions options, uint8_t* liveRecord);
  ~HostSheet();
  HostSheet(const HostSheet&) = delete;
  HostSheet& operator=(const HostSheet&) = delete;

  // Sizes the containers and describes one sheet page per module page; the descriptions
  // live as long as this object.
  const std::vector<PROPSHEETPAGEW>& Prepare();
  // Runs the sheet until the user closes it.
  void RunModal(HWND owner);
  // Creates the sheet and returns at once; Pump drives it until it closes.
  HWND Create(HWND owner);
  HWND Window() const { return sheet_; }
  // Processes messages until the queue is empty; false once the sheet has closed.
  bool Pump();
  // Closes a modeless sheet as its Cancel button would, and waits for it to go.
  void Close();

  const SheetContext& Context() const { return *context_; }
  const PageSlotTable& Table() const { return *table_; }
  const std::wstring& Caption() const { return caption_; }
  const std::vector<qxge::PageInfoBlock>& PageInfos() const { return infos_; }

 private:
  struct PageLink {
    HostSheet* sheet;
    int32_t pageId;
  };

  void BuildHeader(PROPSHEETHEADERW& header, HWND owner, bool modeless);
  static INT_PTR CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static UINT CALLBACK FirstPageCallback(HWND hwnd, UINT message, PROPSHEETPAGEW* page);

  ModulePackage& module_;
  SheetOptions options_;
  // Zero-filled and owned here, as the driver owns them.
  std::unique_ptr<SheetContext> context_;
  std::unique_ptr<PageSlotTable> table_;
  std::wstring caption_;
  std::vector<qxge::PageInfoBlock> infos_;
  std::vector<std::vector<WORD>> templates_;
  std::vector<PageLink> links_;
  std::vector<PROPSHEETPAGEW> pages_;
  HWND sheet_ = nullptr;
};

}  // namespace qxhost
