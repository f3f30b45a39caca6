#include "host/bridge16.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "fake_subsystem16.h"

namespace qxge {
namespace {

constexpr uint32_t kPageRelease = 1, kPageCreate = 2;

constexpr uint32_t At(uint32_t offset) { return FakeSubsystem16::kBase + offset; }

// The 32-bit functions as the bridge reaches them: what they were given.
class RecordingModule : public Module32 {
 public:
  explicit RecordingModule(FakeSubsystem16& vdm) : vdm_(vdm) {}

  void PageInfo(uint32_t info, int32_t) override { infos.push_back(info); }
  int32_t DialogProc(uint32_t window, uint32_t, const Message32& converted, int32_t) override {
    ++dialogCalls;
    lastWindow = window;
    last = converted;
    return dialogResult;
  }
  void FirstPageCallback(uint32_t table, uint32_t message) override {
    callbacks.push_back({table, message});
    // What the host's context says while the common part runs.
    const uint32_t context = vdm_.Word32(table);
    const bool flat = context >= FakeSubsystem16::kBase && context - FakeSubsystem16::kBase < FakeSubsystem16::kSize;
    callerWords.push_back(flat ? vdm_.Word32(context) : 0xDEAD);
  }
  void GetText(int32_t, uint32_t section, uint32_t key, uint32_t buffer, int32_t size) override {
    texts.push_back({section, key, buffer, static_cast<uint32_t>(size)});
  }
  void SaveDefDevMode(uint32_t record) override { saved.push_back(record); }

  std::vector<uint32_t> infos, saved, callerWords;
  std::vector<std::vector<uint32_t>> callbacks, texts;
  int dialogCalls = 0;
  uint32_t lastWindow = 0;
  Message32 last;
  int32_t dialogResult = 1;

 private:
  FakeSubsystem16& vdm_;
};

// A 16-bit host's sheet: its table, context and three records each in a segment of their own
// size, and a data segment for messages and texts.
class Bridge16Test : public ::testing::Test {
 protected:
  static constexpr uint32_t kTable = At(0), kContext = At(0x1000), kData = At(0x8000);

  Bridge16Test() {
    table16 = vdm.AddSegment(0x0107, kTable, 415);
    context16 = vdm.AddSegment(0x010F, kContext, 323);
    for (uint32_t i = 0; i < 3; ++i) records16[i] = vdm.AddSegment(0x0117 + 8 * i, At(0x2000 + 0x1000 * i), 4074);
    data16 = vdm.AddSegment(0x012F, kData, 0x0FFF);
    vdm.Set(kTable, context16);
    vdm.Set(kContext, uint32_t{7});  // the caller word as an older sheet may have left it
    for (uint32_t i = 0; i < 3; ++i) vdm.Set(kContext + 152 + 4 * i, records16[i]);
    vdm.AddWindow(0x0A10, 0x00010A10);  // the container page
    vdm.AddWindow(0x0B22, 0x00020B22);  // a combo box on it
  }

  void ExpectHostValues() {
    EXPECT_EQ(vdm.Get<uint32_t>(kTable), context16);
    for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(vdm.Get<uint32_t>(kContext + 152 + 4 * i), records16[i]) << i;
  }
  uint32_t Dialog(uint32_t message, uint16_t wParam, uint32_t lParam) {
    return bridge.DialogProc(0x0A10, message, wParam, lParam, 3);
  }
  // A 16-bit block of these words at the start of the data segment.
  uint32_t Words16(std::initializer_list<int32_t> words) {
    uint32_t at = kData;
    for (int32_t word : words) vdm.Set(std::exchange(at, at + 2), static_cast<uint16_t>(word));
    return data16;
  }

  FakeSubsystem16 vdm;
  RecordingModule module{vdm};
  Bridge16 bridge{vdm, module};
  uint32_t table16 = 0, context16 = 0, data16 = 0, records16[3] = {};
};

TEST_F(Bridge16Test, PinTableTakesOnlyWholeBlocksAndGivesBackTheNamedFieldsLastFirst) {
  PinnedPointerTable pins(vdm, kTable);
  vdm.Set(kTable + 124, uint32_t{0x7FFFFFFF});
  EXPECT_EQ(pins.Replace(kData, 4, true), 0u);  // a full table takes nothing, pins nothing
  pins.Clear();

  // 24 fields in the data segment, each holding a pointer to 16 bytes of it, but for a null
  // pointer, one 8 bytes before the segment's end and an unknown selector.
  std::vector<uint32_t> fields;
  for (uint32_t i = 0; i < 24; ++i) {
    fields.push_back(kData + 4 * i);
    vdm.Set(fields.back(), data16 + 0x100 + 16 * i);
  }
  vdm.Set(fields[5], uint32_t{0});
  vdm.Set(fields[6], data16 + 0x0FF8);
  vdm.Set(fields[7], uint32_t{0x77770000});
  for (uint32_t i = 0; i < 24; ++i)
    EXPECT_EQ(pins.Replace(fields[i], 16, i != 3), i == 5 || i == 6 || i == 7 ? 0 : kData + 0x100 + 16 * i) << i;
  EXPECT_EQ(vdm.PinsHeld(), 20);  // not the translated-only field, nor the three that failed
  vdm.Set(kData + 0x200, uint32_t{1234});
  EXPECT_EQ(pins.Replace(kData + 0x200, 16, true), 0u);
  EXPECT_EQ(vdm.Get<uint32_t>(kData + 0x200), 1234u);

  pins.RestoreAll(std::vector<uint32_t>(fields.begin(), fields.end() - 2));
  EXPECT_EQ(vdm.PinsHeld(), 2);  // the two fields not named keep their pins and flat addresses
  EXPECT_EQ(vdm.unpinned.front(), data16 + 0x100 + 16 * 21);
  EXPECT_EQ(vdm.unpinned.back(), data16 + 0x100);
  EXPECT_EQ(vdm.Get<uint32_t>(fields[7]), 0x77770000u);
  EXPECT_EQ(vdm.Get<uint32_t>(fields[23]), kData + 0x100 + 16 * 23);

  // Reused from its first entry; a field already recorded is not recorded twice.
  EXPECT_EQ(pins.Replace(fields[1], 16, true), kData + 0x110);
  EXPECT_EQ(pins.Replace(fields[1], 16, true), 0u);
  EXPECT_EQ(pins.Count(), 1u);
  EXPECT_EQ(vdm.unknownUnpins + vdm.faults, 0);
}

TEST_F(Bridge16Test, CreateHandsFlatPointersAndReleaseGivesBackTheHostsOwn) {
  vdm.Set(kTable + 124, uint32_t{1000});  // a tail the host never cleared
  EXPECT_EQ(bridge.PageCallback(kPageCreate, table16), 1u);
  EXPECT_EQ(vdm.Get<uint32_t>(kTable), kContext);
  for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(vdm.Get<uint32_t>(kContext + 152 + 4 * i), At(0x2000 + 0x1000 * i));
  EXPECT_EQ(vdm.Get<uint32_t>(kTable + 8), table16);
  EXPECT_EQ(vdm.PinsHeld(), 4);
  // The common part ran on the flat table with the sheet already marked as the 16-bit host's,
  // and nothing set that mark back.
  EXPECT_EQ(module.callbacks, (std::vector<std::vector<uint32_t>>{{kTable, kPageCreate}}));
  EXPECT_EQ(module.callerWords, std::vector<uint32_t>{1});

  // The pages get the prepared table.
  EXPECT_EQ(Dialog(0x0110, 0x0B22, table16), 1u);
  EXPECT_EQ(module.last.lParam, kTable);
  EXPECT_EQ(module.last.wParam, 0x00020B22u);

  // A second creation first gives back what the first took.
  EXPECT_EQ(bridge.PageCallback(kPageCreate, table16), 1u);
  EXPECT_EQ(vdm.PinsHeld(), 4);

  vdm.unpinned.clear();
  EXPECT_EQ(bridge.PageCallback(kPageRelease, table16), 1u);
  EXPECT_EQ(module.callbacks.back(), (std::vector<uint32_t>{kTable, kPageRelease}));
  ExpectHostValues();
  // Last taken, first given back: the records' pins go before the context's that holds them.
  EXPECT_EQ(vdm.unpinned, (std::vector<uint32_t>{records16[0], records16[1], records16[2], context16}));
  EXPECT_EQ(vdm.Get<uint32_t>(kContext), 1u);

  // Released twice, or paged in after the release: nothing more is given back or handed out.
  EXPECT_EQ(bridge.PageCallback(kPageRelease, table16), 1u);
  EXPECT_EQ(Dialog(0x0110, 0x0B22, table16), 1u);
  EXPECT_EQ(module.last.lParam, 0u);
  EXPECT_EQ(vdm.PinsHeld(), 0);
  EXPECT_EQ(vdm.unknownUnpins + vdm.faults, 0);
}

TEST_F(Bridge16Test, TablesTheBridgeDidNotPrepareAreNeverFollowed) {
  // A page before any creation gets no table: its context still holds a 16:16 value.
  EXPECT_EQ(Dialog(0x0110, 0, table16), 1u);
  EXPECT_EQ(module.last.lParam, 0u);

  // A release of a table whose tail names fields in the host's memory, with counts and pins,
  // even with the table's own address where the bridge puts it.
  for (uint32_t i = 0; i < 24; ++i) {
    vdm.Set(kTable + 128 + 12 * i, records16[i % 3]);
    vdm.Set(kTable + 132 + 12 * i, i == 0 ? kTable : kContext + 152 + 4 * (i % 3));
    vdm.Set<uint8_t>(kTable + 136 + 12 * i, 1);
  }
  for (uint32_t ownAddress : {0u, table16}) {
    vdm.Set(kTable + 8, ownAddress);
    vdm.Set(kTable + 124, uint32_t{1000});
    EXPECT_EQ(bridge.PageCallback(kPageRelease, table16), 1u);
  }
  ExpectHostValues();
  EXPECT_TRUE(vdm.unpinned.empty());

  // Null and unusable pointers in the host's blocks stay null and unpinned.
  vdm.Set(kContext + 160, uint32_t{0});
  vdm.Set(kContext + 156, records16[1] + 1);  // one byte short of a record
  EXPECT_EQ(bridge.PageCallback(kPageCreate, table16), 1u);
  EXPECT_EQ(vdm.Get<uint32_t>(kContext + 156), 0u);
  EXPECT_EQ(vdm.PinsHeld(), 2);
  EXPECT_EQ(bridge.PageCallback(kPageRelease, table16), 1u);
  EXPECT_EQ(vdm.Get<uint32_t>(kContext + 156), records16[1] + 1);
  EXPECT_EQ(vdm.PinsHeld(), 0);

  // A context that cannot be had: the table gets none and the pages nothing to follow.
  vdm.Set(kTable, context16 + 1);
  EXPECT_EQ(bridge.PageCallback(kPageCreate, table16), 1u);
  EXPECT_EQ(vdm.Get<uint32_t>(kTable), 0u);
  EXPECT_EQ(module.callerWords.back(), 0xDEADu);
  EXPECT_EQ(bridge.PageCallback(kPageRelease, table16), 1u);
  EXPECT_EQ(vdm.Get<uint32_t>(kTable), context16 + 1);

  // A table that cannot be had whole, or whose context lies inside it: no page is created,
  // nothing runs, nothing stays pinned.
  const size_t callbacks = module.callbacks.size();
  vdm.Set(kTable, table16 + 4);
  EXPECT_EQ(bridge.PageCallback(kPageCreate, table16), 0u);
  EXPECT_EQ(vdm.Get<uint32_t>(kTable), table16 + 4);
  EXPECT_EQ(bridge.PageCallback(kPageCreate, data16 + 0x0F00), 0u);
  EXPECT_EQ(bridge.PageCallback(kPageCreate, 0), 0u);
  EXPECT_EQ(bridge.PageCallback(0, table16), 1u);
  EXPECT_EQ(module.callbacks.size(), callbacks);
  EXPECT_EQ(vdm.PinsHeld() + vdm.unknownUnpins + vdm.faults, 0);
}

TEST_F(Bridge16Test, MessagesArriveInTheirThirtyTwoBitPacking) {
  const struct {
    uint32_t message;
    uint16_t wParam;
    uint32_t lParam, wParam32, lParam32;
  } packed[] = {
      {0x0111, 1046, 1u << 16 | 0x0B22, 1u << 16 | 1046, 0x00020B22},  // notification 1 of control 1046
      {0x0114, 5, 0x0B22u << 16 | 37, 37u << 16 | 5, 0x00020B22},      // scroll code 5 at position 37
      {0x0007, 0x0B22, 0, 0x00020B22, 0},
      {0x0405, 0xFFFF, 0x12345678, 0xFFFF, 0x12345678},
  };
  for (const auto& m : packed) {
    EXPECT_EQ(Dialog(m.message, m.wParam, m.lParam), 1u);
    EXPECT_EQ(module.lastWindow, 0x00010A10u);
    EXPECT_EQ(module.last.wParam, m.wParam32) << m.message;
    EXPECT_EQ(module.last.lParam, m.lParam32) << m.message;
    EXPECT_FALSE(module.last.lParamIsBlock) << m.message;
  }

  // Sign extension of codes, positions and deltas; the apply's parameter whole.
  const NotifyBlock32& n = module.last.block.notify;
  const struct {
    int16_t code, word12, word14;
    int32_t detail0, detail1;
  } notified[] = {{-200, 0, 0, 0, 0}, {-722, -3, -1, -3, -1}, {-202, 0x5678, 0x1234, 0x12345678, 0}};
  for (const auto& c : notified) {
    Dialog(0x004E, 0, Words16({0x0B22, 0, 1046, 0, c.code, 0, c.word12, c.word14}));
    ASSERT_TRUE(module.last.lParamIsBlock);
    EXPECT_EQ(n.code, c.code);
    EXPECT_EQ(n.window, 0x00020B22u);
    EXPECT_EQ(n.id, 1046u);
    EXPECT_EQ(n.detail[0], c.detail0) << c.code;
    EXPECT_EQ(n.detail[1], c.detail1) << c.code;
  }

  Dialog(0x0046, 0, Words16({0x0A10, 0x0B22, 0xFFEC, 30, 400, 0xFFFF, 0x0214}));
  const WindowPos32& p = module.last.block.windowPos;
  EXPECT_EQ(std::vector<uint32_t>({p.window, p.insertAfter, p.flags}),
            std::vector<uint32_t>({0x00010A10u, 0x00020B22u, 0x0214u}));
  EXPECT_EQ(std::vector<int32_t>({p.x, p.cx, p.cy}), std::vector<int32_t>({-20, 400, -1}));

  Dialog(0x0053, 0, Words16({0, 0, 1, 0xFFFF, 0x0B22, 0xF00D, 0xCAFE, 0xFFFB, 600}));
  const HelpInfo32& h = module.last.block.help;
  EXPECT_EQ(std::vector<uint32_t>({h.size, h.item, h.contextId}), std::vector<uint32_t>({28u, 0x00020B22u, 0xCAFEF00Du}));
  EXPECT_EQ(std::vector<int32_t>({h.controlId, h.mouseX, h.mouseY}), std::vector<int32_t>({-1, -5, 600}));

  // The result's low word only.
  module.dialogResult = 0x12345;
  EXPECT_EQ(Dialog(0x0405, 0, 0), 0x2345u);

  // Nothing reaches the module: a message below the user range it has no form of, a block
  // that runs past its segment, a window of no 32-bit handle.
  const int calls = module.dialogCalls;
  EXPECT_EQ(Dialog(0x0136, 0, 0), 0u);
  EXPECT_EQ(Dialog(0x004E, 0, data16 + 0x0FF0), 0u);
  EXPECT_EQ(Dialog(0x0053, 0, 0), 0u);
  EXPECT_EQ(Dialog(0x0046, 0, 0x55550000), 0u);
  EXPECT_EQ(bridge.DialogProc(0x0C33, 0x0405, 0, 0, 3), 1u);
  EXPECT_EQ(module.dialogCalls, calls);
  EXPECT_EQ(vdm.faults, 0);
}

TEST_F(Bridge16Test, BlocksAndTextsAreTakenOnlyWhole) {
  // The page information: 268 bytes, its window handle given back in 16 bits.
  vdm.Set(kData, uint32_t{0x00010A10});
  EXPECT_TRUE(bridge.PageInfo(data16, 5));
  EXPECT_EQ(vdm.Get<uint32_t>(kData), 0x0A10u);
  EXPECT_FALSE(bridge.PageInfo(data16 + 0x1000 - 267, 5));
  EXPECT_EQ(module.infos, std::vector<uint32_t>{kData});

  EXPECT_TRUE(bridge.SaveDefDevMode(records16[0]));
  EXPECT_FALSE(bridge.SaveDefDevMode(records16[0] + 1));
  EXPECT_FALSE(bridge.SaveDefDevMode(0));
  EXPECT_EQ(module.saved, std::vector<uint32_t>{At(0x2000)});

  // Key "K" at 0x10, section "S" at 0x20, buffer of 8 characters at 0x40.
  vdm.Set<uint32_t>(kData + 0x10, u'K');
  vdm.Set<uint32_t>(kData + 0x20, u'S');
  EXPECT_TRUE(bridge.GetText(1, 0, data16 + 0x10, data16 + 0x40, 8));
  EXPECT_TRUE(bridge.GetText(0, data16 + 0x20, data16 + 0x10, data16 + 0x40, 0x1000 / 2 - 0x20));
  EXPECT_EQ(module.texts, (std::vector<std::vector<uint32_t>>{{0, kData + 0x10, kData + 0x40, 8},
                                                               {kData + 0x20, kData + 0x10, kData + 0x40, 0x7E0}}));
  // Sizes the buffer's segment does not hold, none at all, a key running off its segment.
  for (int32_t size : {0x1000 / 2 - 0x1F, 0, -1, INT32_MIN, INT32_MAX})
    EXPECT_FALSE(bridge.GetText(1, 0, data16 + 0x10, data16 + 0x40, size)) << size;
  for (uint32_t at = kData + 0x0FF0; at < kData + 0x1000; at += 2) vdm.Set<uint16_t>(at, u'x');
  EXPECT_FALSE(bridge.GetText(1, 0, data16 + 0x0FF0, data16 + 0x40, 8));
  EXPECT_FALSE(bridge.GetText(1, data16 + 0x0FF0, data16 + 0x10, data16 + 0x40, 8));
  EXPECT_FALSE(bridge.GetText(1, 0, 0, data16 + 0x40, 8));
  EXPECT_EQ(module.texts.size(), 2u);
  EXPECT_EQ(vdm.faults, 0);
}

}  // namespace
}  // namespace qxge
