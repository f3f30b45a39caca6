#include "host/file_refresh.h"

#include "app/driver_ui_app.h"
#include "collections/record_cache.h"
#include "platform/wait_cursor.h"
#include "preview/decoration_file.h"
#include "record/record_compare.h"

namespace qxge {
namespace {

// The record the refresh last acted on; all zero at load.
DriverDevMode g_lastRefreshed = {};

// A status word is one lower while its files are made: the driver, handed this record for the
// job that makes them, then lays no old file over the page that makes the new one.
class StatusLowered {
 public:
  explicit StatusLowered(RecordInt<uint16_t>& status) : status_(status) { status_ -= 1; }
  ~StatusLowered() { status_ += 1; }
  StatusLowered(const StatusLowered&) = delete;
  StatusLowered& operator=(const StatusLowered&) = delete;

 private:
  RecordInt<uint16_t>& status_;
};

}  // namespace

void ApplyFileRefresh(SheetContext& sheet) {
  const ModelFeatures& model = App().Features();
  if ((model.CheckWaterMarkFile == 0 && model.CheckDecoFile == 0) || sheet.applied == 0 || sheet.liveRecord == nullptr)
    return;
  DriverDevMode& live = LiveRecord(sheet);
  PrivateDevMode& p = live.dmPrivate;
  if (model.CheckWaterMarkFile != 0) p.iWaterMarkStatus = p.cWaterText.IsEmpty() ? 0 : 2;
  if (model.CheckDecoFile != 0) p.iDecoStatus = p.FrameStyle != 0u ? 2 : 0;
  if (RecordsDiffer(g_lastRefreshed, live, nullptr, true, model) == 0) return;
  g_lastRefreshed = live;

  if (model.CheckWaterMarkFile != 0 && p.iWaterMarkStatus != 0) {
    const StatusLowered rendering(p.iWaterMarkStatus);
    const platform::WaitCursor wait;
    RenderDecorationFile(live, DMORIENT_PORTRAIT, 0);
    RenderDecorationFile(live, DMORIENT_LANDSCAPE, 0);
  }
  if (model.CheckDecoFile != 0 && p.iDecoStatus != 0) {
    const StatusLowered rendering(p.iDecoStatus);
    const platform::WaitCursor wait;
    // The photo papers come in pairs whose codes differ in bit 0; the driver takes the file
    // of either.
    const int16_t paper = live.dmPublic.dmPaperSize;
    for (const int16_t size : {static_cast<int16_t>(paper | 1), static_cast<int16_t>(paper & ~1)}) {
      RenderDecorationFile(live, DMORIENT_PORTRAIT, size);
      RenderDecorationFile(live, DMORIENT_LANDSCAPE, size);
    }
  }
}

}  // namespace qxge
