// A 16-bit host that hands the bridge anything: a sheet table of any contents (zero only where
// the bridge keeps the table's own address, as in the zero-filled table a host allocates), any
// context and records, messages with any parameters, page creations and releases in any order.
// The bridge asks for no block beyond a segment and touches no word outside the memory. Unless
// the host wrote over the bridge's own words (a page information block laid on the table), it
// gives back only pins it took, and none is left after the last release.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fake_subsystem16.h"
#include "fuzz_input.h"
#include "host/bridge16.h"

namespace {

class NoModule : public qxge::Module32 {
 public:
  void PageInfo(uint32_t, int32_t) override {}
  int32_t DialogProc(uint32_t, uint32_t, const qxge::Message32&, int32_t) override { return 0x10001; }
  void FirstPageCallback(uint32_t, uint32_t) override {}
  void GetText(int32_t, uint32_t, uint32_t, uint32_t, int32_t) override {}
  void SaveDefDevMode(uint32_t) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using qxge::FakeSubsystem16;
  using qxge::fuzz::Check;
  size_t pos = 0;
  const auto next = [&]() -> uint8_t { return pos < size ? data[pos++] : 0; };
  const auto next16 = [&]() -> uint16_t { return static_cast<uint16_t>(next() | next() << 8); };
  const auto next32 = [&]() -> uint32_t { return next16() | uint32_t{next16()} << 16; };

  // Eight segments of 4 KiB over the memory, each with a limit of the input's choice; the
  // start of the first two from the input: a table and a context, if the table points there.
  FakeSubsystem16 vdm;
  uint32_t far16[8];
  for (uint16_t i = 0; i < 8; ++i)
    far16[i] = vdm.AddSegment(0x0107 + 8 * i, FakeSubsystem16::kBase + 0x1000 * i, next16() % 0x1000);
  for (uint32_t i = 0; i < 416; ++i) *vdm.Bytes(FakeSubsystem16::kBase + i) = next();
  for (uint32_t i = 0; i < 324; ++i) *vdm.Bytes(FakeSubsystem16::kBase + 0x1000 + i) = next();
  vdm.AddWindow(0x0A10, 0x00010A10);

  const uint32_t table16 = far16[0];
  vdm.Set(FakeSubsystem16::kBase + 8, uint32_t{0});

  NoModule module;
  qxge::Bridge16 bridge(vdm, module);
  bool ownWordsKept = true;
  while (pos < size) {
    // Pointers mostly into the segments, at any offset; sometimes anything at all.
    const uint8_t op = next();
    const uint32_t pointer = (op & 0x80) ? next32() : far16[op >> 4 & 7] + next16() % 0x1000;
    switch (op & 7) {
      case 0:
        bridge.PageCallback(2, table16);
        break;
      case 1:
        bridge.PageCallback(1, table16);
        break;
      case 2:
        Check(bridge.DialogProc(0x0A10, next16(), next16(), pointer, 0) <= 1);
        break;
      case 3:
        bridge.GetText(1, next() & 1 ? pointer : 0, far16[next() & 7] + next16() % 0x1000, pointer,
                       static_cast<int32_t>(next32()));
        break;
      case 4:
        ownWordsKept = !bridge.PageInfo(pointer, 0) && ownWordsKept;
        break;
      default:
        bridge.SaveDefDevMode(pointer);
        break;
    }
  }
  Check(vdm.faults == 0);
  if (ownWordsKept) {
    bridge.PageCallback(1, table16);
    Check(vdm.faults == 0 && vdm.unknownUnpins == 0 && vdm.PinsHeld() == 0);
  }
  return 0;
}
