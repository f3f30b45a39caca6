#include "host/bridge16.h"

#include <algorithm>

#include "record/driver_dev_mode.h"

namespace qxge {

namespace {

// The platform's message and notification numbers; this file includes no platform header.
enum : uint32_t {
  kSetFocus = 0x0007, kDevModeChange = 0x001B, kWindowPosChanging = 0x0046, kWindowPosChanged = 0x0047,
  kNotify = 0x004E, kHelp = 0x0053, kInitDialog = 0x0110, kCommand = 0x0111, kHScroll = 0x0114,
  kVScroll = 0x0115, kUser = 0x0400,
};
enum : int32_t { kApplyCode = -202, kResetCode = -203, kDeltaPosCode = -722 };
enum : uint32_t { kPageRelease = 1, kPageCreate = 2 };

// Messages whose parameters hold no handle and no pointer, so both packings agree.
bool PassedUnchanged(uint32_t message) {
  switch (message) {
    case 0x0002: case 0x0003: case 0x0005: case 0x000F: case 0x0010: case 0x0012:  // destroy .. quit
    case 0x001F: case 0x0020: case 0x002A: case 0x0084: case 0x0102: case 0x0106:  // cancel mode .. syschar
      return true;
    default:
      return message >= 0x0200 && message <= 0x0206;  // mouse moves and button presses
  }
}

int32_t Signed16(uint16_t word) { return static_cast<int16_t>(word); }

constexpr uint32_t kContextField = 0;
constexpr uint32_t kCallerWord = 0;
// The host's three record pointers in the order of their entries, the live record's first.
constexpr uint32_t kRecordPointers[] = {160, 156, 152};
constexpr uint32_t kRecordBytes = kDriverDevModeRecordBytes;

constexpr uint32_t kNotifyBytes16 = 20, kWindowPosBytes16 = 14, kHelpBytes16 = 18;

// The flat address of a whole block, or 0: a block that runs past its segment's end is none.
uint32_t FlatBlock(Subsystem16& vdm, uint32_t far16, uint32_t bytes, bool pin = false) {
  return far16 != 0 && bytes != 0 && vdm.BytesAt(far16) >= bytes ? vdm.Flat(far16, bytes, pin) : 0;
}

}  // namespace

uint32_t PinnedPointerTable::Count() { return vdm_.Word32(table_ + kCountOffset); }

void PinnedPointerTable::Clear() { vdm_.SetWord32(table_ + kCountOffset, 0); }

uint32_t PinnedPointerTable::Find(uint32_t field) {
  const uint32_t count = std::min(Count(), kCapacity);
  for (uint32_t i = 0; i < count; ++i)
    if (vdm_.Word32(Entry(i) + 4) == field) return i;
  return kCapacity;
}

bool PinnedPointerTable::Recorded(uint32_t field, uint32_t& value16) {
  const uint32_t i = Find(field);
  if (i == kCapacity) return false;
  value16 = vdm_.Word32(Entry(i));
  return true;
}

uint32_t PinnedPointerTable::Replace(uint32_t field, uint32_t bytes, bool pin) {
  const uint32_t count = Count();
  if (count >= kCapacity || Find(field) != kCapacity) return 0;
  const uint32_t value16 = vdm_.Word32(field);
  const uint32_t flat = FlatBlock(vdm_, value16, bytes, pin);
  vdm_.SetWord32(Entry(count), value16);
  vdm_.SetWord32(Entry(count) + 4, field);
  // Only a pin really taken is released later.
  vdm_.SetByte(Entry(count) + 8, pin && flat != 0 ? 1 : 0);
  vdm_.SetWord32(table_ + kCountOffset, count + 1);
  vdm_.SetWord32(field, flat);
  return flat;
}

void PinnedPointerTable::RestoreAll(std::vector<uint32_t> owned) {
  for (uint32_t i = std::min(Count(), kCapacity); i-- > 0;) {
    const uint32_t field = vdm_.Word32(Entry(i) + 4);
    const auto it = std::find(owned.begin(), owned.end(), field);
    if (it == owned.end()) continue;
    owned.erase(it);
    const uint32_t value16 = vdm_.Word32(Entry(i));
    vdm_.SetWord32(field, value16);
    if (vdm_.Byte(Entry(i) + 8) != 0) vdm_.Unpin(value16);
  }
  Clear();
}

// A text is usable only when its terminator lies inside its segment.
uint32_t Bridge16::TranslateText(uint32_t far16) {
  const uint32_t bytes = vdm_.BytesAt(far16) & ~1u;
  const uint32_t flat = FlatBlock(vdm_, far16, bytes);
  if (flat == 0) return 0;
  for (uint32_t at = 0; at < bytes; at += 2)
    if (vdm_.Word16(flat + at) == 0) return flat;
  return 0;
}

// Whether a page creation of this bridge left the table as it is: its own address, and in the
// context field the flat address of the context it recorded. Only then do the table and the
// context hold flat pointers, and name fields that are ours to put back; any other table is
// the host's, whatever its tail holds.
bool Bridge16::Prepared(uint32_t table, uint32_t table16) {
  uint32_t context16 = 0;
  return vdm_.Word32(table + kTableAddressField) == table16 &&
         PinnedPointerTable(vdm_, table).Recorded(table + kContextField, context16) &&
         vdm_.Word32(table + kContextField) == FlatBlock(vdm_, context16, kContextBytes);
}

void Bridge16::Unprepare(uint32_t table, uint32_t table16) {
  PinnedPointerTable pins(vdm_, table);
  if (!Prepared(table, table16)) {
    pins.Clear();
    return;
  }
  std::vector<uint32_t> owned{table + kContextField};
  if (const uint32_t context = vdm_.Word32(table + kContextField); context != 0)
    for (uint32_t field : kRecordPointers) owned.push_back(context + field);
  pins.RestoreAll(std::move(owned));
}

bool Bridge16::PageInfo(uint32_t info16, int32_t pageId) {
  const uint32_t info = FlatBlock(vdm_, info16, kInfoBytes);
  if (info == 0) return false;
  module_.PageInfo(info, pageId);
  vdm_.SetWord32(info, vdm_.Window16(vdm_.Word32(info)));
  return true;
}

bool Bridge16::GetText(int32_t fromTextFile, uint32_t section16, uint32_t key16, uint32_t buffer16, int32_t size) {
  if (size <= 0) return false;
  const uint32_t buffer = FlatBlock(vdm_, buffer16, static_cast<uint32_t>(size) * 2);
  const uint32_t key = TranslateText(key16);
  const uint32_t section = section16 != 0 ? TranslateText(section16) : 0;
  if (buffer == 0 || key == 0 || (section16 != 0 && section == 0)) return false;
  module_.GetText(fromTextFile, section, key, buffer, size);
  return true;
}

bool Bridge16::SaveDefDevMode(uint32_t record16) {
  const uint32_t record = FlatBlock(vdm_, record16, kRecordBytes);
  if (record == 0) return false;
  module_.SaveDefDevMode(record);
  return true;
}

bool Bridge16::Convert(uint32_t message, uint16_t wParam16, uint32_t lParam, Message32& out) {
  out = Message32{};
  out.wParam = wParam16;
  out.lParam = lParam;
  const uint16_t low = lParam & 0xFFFF, high = lParam >> 16;
  switch (message) {
    case kSetFocus:
      out.wParam = vdm_.Window32(wParam16);
      return true;
    case kDevModeChange:
      out.lParam = TranslateText(lParam);
      return true;
    case kInitDialog: {
      // A table that still holds 16:16 values would have the 32-bit functions follow them.
      const uint32_t table = FlatBlock(vdm_, lParam, kTableBytes);
      out.wParam = vdm_.Window32(wParam16);
      out.lParam = table != 0 && Prepared(table, lParam) ? table : 0;
      return true;
    }
    case kCommand:
      // 16 bits: id; notification code and control. 32 bits: id and code; control.
      out.wParam = uint32_t{wParam16} | uint32_t{high} << 16;
      out.lParam = vdm_.Window32(low);
      return true;
    case kHScroll:
    case kVScroll:
      // 16 bits: scroll code; position and control. 32 bits: code and position; control.
      out.wParam = uint32_t{wParam16} | uint32_t{low} << 16;
      out.lParam = vdm_.Window32(high);
      return true;
    case kNotify: {
      const uint32_t at = FlatBlock(vdm_, lParam, kNotifyBytes16);
      if (at == 0) return false;
      NotifyBlock32& n = out.block.notify;
      n.window = vdm_.Window32(vdm_.Word16(at));
      n.id = vdm_.Word16(at + 4);
      n.code = Signed16(vdm_.Word16(at + 8));
      if (n.code == kDeltaPosCode) {
        n.detail[0] = Signed16(vdm_.Word16(at + 12));
        n.detail[1] = Signed16(vdm_.Word16(at + 14));
      } else if (n.code == kApplyCode || n.code == kResetCode) {
        n.detail[0] = static_cast<int32_t>(vdm_.Word32(at + 12));
      }
      out.lParamIsBlock = true;
      return true;
    }
    case kWindowPosChanging:
    case kWindowPosChanged: {
      const uint32_t at = FlatBlock(vdm_, lParam, kWindowPosBytes16);
      if (at == 0) return false;
      WindowPos32& p = out.block.windowPos;
      p.window = vdm_.Window32(vdm_.Word16(at));
      p.insertAfter = vdm_.Window32(vdm_.Word16(at + 2));
      p.x = Signed16(vdm_.Word16(at + 4));
      p.y = Signed16(vdm_.Word16(at + 6));
      p.cx = Signed16(vdm_.Word16(at + 8));
      p.cy = Signed16(vdm_.Word16(at + 10));
      p.flags = vdm_.Word16(at + 12);
      out.lParamIsBlock = true;
      return true;
    }
    case kHelp: {
      const uint32_t at = FlatBlock(vdm_, lParam, kHelpBytes16);
      if (at == 0) return false;
      HelpInfo32& h = out.block.help;
      h.size = sizeof(HelpInfo32);
      h.contextType = Signed16(vdm_.Word16(at + 4));
      h.controlId = Signed16(vdm_.Word16(at + 6));
      h.item = vdm_.Window32(vdm_.Word16(at + 8));
      h.contextId = vdm_.Word32(at + 10);
      h.mouseX = Signed16(vdm_.Word16(at + 14));
      h.mouseY = Signed16(vdm_.Word16(at + 16));
      out.lParamIsBlock = true;
      return true;
    }
    default:
      return message >= kUser || PassedUnchanged(message);
  }
}

uint32_t Bridge16::DialogProc(uint16_t window16, uint32_t message, uint16_t wParam16, uint32_t lParam, int32_t pageId) {
  const uint32_t window = vdm_.Window32(window16);
  if (window == 0) return 1;
  Message32 converted;
  if (!Convert(message, wParam16, lParam, converted)) return 0;
  return static_cast<uint32_t>(module_.DialogProc(window, message, converted, pageId)) & 0xFFFF;
}

uint32_t Bridge16::PageCallback(uint32_t message, uint32_t table16) {
  if (message != kPageCreate && message != kPageRelease) return 1;
  const uint32_t table = FlatBlock(vdm_, table16, kTableBytes);
  if (table == 0) return message == kPageCreate ? 0 : 1;
  if (message == kPageRelease) {
    module_.FirstPageCallback(table, message);
    Unprepare(table, table16);
    return 1;
  }
  // A second creation without a release first gives back what the first one took.
  Unprepare(table, table16);
  PinnedPointerTable pins(vdm_, table);
  const uint32_t context = pins.Replace(table + kContextField, kContextBytes, true);
  if (context != 0 && context < table + kTableBytes && table < context + kContextBytes) {
    // The record fields of a context inside the table would be written over the entries.
    pins.RestoreAll({table + kContextField});
    return 0;
  }
  if (context != 0) {
    for (uint32_t field : kRecordPointers) pins.Replace(context + field, kRecordBytes, true);
    vdm_.SetWord32(context + kCallerWord, 1);
  }
  vdm_.SetWord32(table + kTableAddressField, table16);
  module_.FirstPageCallback(table, message);
  return 1;
}

}  // namespace qxge
