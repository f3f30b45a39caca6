#include "host/file_refresh.h"

#include "app/driver_ui_app.h"
#include "collections/record_cache.h"
#include "record/record_compare.h"

namespace qxge {
namespace {

// The record the refresh last acted on; all zero at load.
DriverDevMode g_lastRefreshed = {};

}  // namespace

void ApplyFileRefresh(SheetContext& sheet) {
  const ModelFeatures& model = App().Features();
  if ((model.CheckWaterMarkFile == 0 && model.CheckDecoFile == 0) || sheet.applied == 0 || sheet.liveRecord == nullptr)
    return;
  DriverDevMode& live = LiveRecord(sheet);
  if (model.CheckWaterMarkFile != 0) live.dmPrivate.iWaterMarkStatus = live.dmPrivate.cWaterText.IsEmpty() ? 0 : 2;
  if (model.CheckDecoFile != 0) live.dmPrivate.iDecoStatus = live.dmPrivate.FrameStyle != 0u ? 2 : 0;
  if (RecordsDiffer(g_lastRefreshed, live, nullptr, true, model) == 0) return;
  g_lastRefreshed = live;
}

}  // namespace qxge
