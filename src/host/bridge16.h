// The 16-bit host's twins of the exported functions. Such a host hands over 16:16 far pointers,
// 16-bit window handles and the 16-bit message packing; this is how they become what the 32-bit
// functions take. Portable: the subsystem's services and the 32-bit functions come in through
// two interfaces, and every address here is a flat 32-bit one.
#pragma once

#include <cstdint>
#include <vector>

namespace qxge {

// The platform's 16-bit subsystem as the bridge uses it, and the words of the 32-bit process.
class Subsystem16 {
 public:
  virtual ~Subsystem16() = default;
  // Bytes the segment holds from the 16:16 pointer on; 0 for a null or unknown selector.
  virtual uint32_t BytesAt(uint32_t far16) = 0;
  // Asked only for bytes that BytesAt granted. A pinned block stays in place until Unpin.
  virtual uint32_t Flat(uint32_t far16, uint32_t bytes, bool pin) = 0;
  virtual void Unpin(uint32_t far16) = 0;
  virtual uint32_t Window32(uint16_t window16) = 0;  // 0: no window of that handle
  virtual uint16_t Window16(uint32_t window32) = 0;
  virtual uint32_t Word32(uint32_t flat) = 0;
  virtual void SetWord32(uint32_t flat, uint32_t value) = 0;
  virtual uint16_t Word16(uint32_t flat) = 0;
  virtual uint8_t Byte(uint32_t flat) = 0;
  virtual void SetByte(uint32_t flat, uint8_t value) = 0;
};

// The 32-bit blocks a 16-bit message becomes, laid out as the 32-bit platform's own.
struct NotifyBlock32 {   // NMHDR, then NMUPDOWN's position and delta or PSHNOTIFY's parameter
  uint32_t window;
  uint32_t id;
  int32_t code;
  int32_t detail[4];
};
struct WindowPos32 {
  uint32_t window, insertAfter;
  int32_t x, y, cx, cy;
  uint32_t flags;
};
struct HelpInfo32 {
  uint32_t size;
  int32_t contextType, controlId;
  uint32_t item, contextId;
  int32_t mouseX, mouseY;
};

struct Message32 {
  uint32_t wParam = 0;
  uint32_t lParam = 0;
  bool lParamIsBlock = false;  // the 32-bit lParam is the address of block
  union Block {
    NotifyBlock32 notify;
    WindowPos32 windowPos;
    HelpInfo32 help;
  } block{};
};

// The 32-bit functions as the bridge calls them, with flat addresses.
class Module32 {
 public:
  virtual ~Module32() = default;
  virtual void PageInfo(uint32_t info, int32_t pageId) = 0;
  virtual int32_t DialogProc(uint32_t window, uint32_t message, const Message32& converted, int32_t pageId) = 0;
  // Only what the first page's callback does for either caller: the 32-bit function itself
  // would also mark the sheet as driven by a 32-bit host.
  virtual void FirstPageCallback(uint32_t table, uint32_t message) = 0;
  virtual void GetText(int32_t fromTextFile, uint32_t section, uint32_t key, uint32_t buffer, int32_t size) = 0;
  virtual void SaveDefDevMode(uint32_t record) = 0;
};

// The 16:16 values the bridge put flat addresses in place of, kept in the tail of the sheet's
// page slot table so that the release finds them whatever happened between.
class PinnedPointerTable {
 public:
  static constexpr uint32_t kCountOffset = 124;
  static constexpr uint32_t kEntriesOffset = 128;
  static constexpr uint32_t kEntryBytes = 12;
  static constexpr uint32_t kCapacity = 24;

  PinnedPointerTable(Subsystem16& vdm, uint32_t table) : vdm_(vdm), table_(table) {}

  uint32_t Count();
  void Clear();
  // Records the 16:16 value of the field at `field` and puts the flat address of `bytes` bytes
  // there, pinned or only translated: 0 when the value is null or does not hold them. Returns
  // that address; 0, the field untouched, when the table is full or already has the field.
  uint32_t Replace(uint32_t field, uint32_t bytes, bool pin);
  // Puts the 16:16 values back, last recorded first, into those fields of `owned` that entries
  // name, each field once, and releases each pin those entries took. Entries naming any other
  // address are not ours to write: the host's table may hold anything. Empties the table.
  void RestoreAll(std::vector<uint32_t> owned);
  // The 16:16 value recorded for a field; false when no entry names it.
  bool Recorded(uint32_t field, uint32_t& value16);

 private:
  uint32_t Find(uint32_t field);  // the entry naming the field, else kCapacity
  uint32_t Entry(uint32_t i) const { return table_ + kEntriesOffset + kEntryBytes * i; }

  Subsystem16& vdm_;
  uint32_t table_;
};

class Bridge16 {
 public:
  // The 32-bit host blocks, as a 16-bit host lays them out.
  static constexpr uint32_t kTableBytes = 416;
  static constexpr uint32_t kTableAddressField = 8;
  static constexpr uint32_t kContextBytes = 324;
  static constexpr uint32_t kInfoBytes = 268;

  Bridge16(Subsystem16& vdm, Module32& module) : vdm_(vdm), module_(module) {}

  // Each is false, having called nothing, when the host's block cannot be had whole.
  bool PageInfo(uint32_t info16, int32_t pageId);
  bool GetText(int32_t fromTextFile, uint32_t section16, uint32_t key16, uint32_t buffer16, int32_t size);
  bool SaveDefDevMode(uint32_t record16);
  // The low 16 bits of the 32-bit result; 1 for a window of no 32-bit form, 0 for a message the
  // module has no 32-bit form of.
  uint32_t DialogProc(uint16_t window16, uint32_t message, uint16_t wParam16, uint32_t lParam, int32_t pageId);
  // 0 when a page creation finds no table to prepare or a context overlapping it, so that the
  // host creates no page whose pointers the module could not use; 1 otherwise.
  uint32_t PageCallback(uint32_t message, uint32_t table16);

  // The message as the 32-bit functions take it; false when it has none.
  bool Convert(uint32_t message, uint16_t wParam16, uint32_t lParam, Message32& out);

 private:
  uint32_t TranslateText(uint32_t far16);
  bool Prepared(uint32_t table, uint32_t table16);
  void Unprepare(uint32_t table, uint32_t table16);

  Subsystem16& vdm_;
  Module32& module_;
};

}  // namespace qxge
