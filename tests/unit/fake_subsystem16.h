// A 16-bit subsystem in a vector: segments with limits over one flat memory, a pin count per
// 16:16 pointer and a window handle table. It counts what a real one would fault on or get
// wrong instead of doing it: a block asked beyond its segment, a word outside the memory, a
// release of a pin never taken.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include "host/bridge16.h"

namespace qxge {

class FakeSubsystem16 : public Subsystem16 {
 public:
  static constexpr uint32_t kBase = 0x10000;  // flat 0 is never memory
  static constexpr uint32_t kSize = 0x10000;

  // The segment's 16:16 address of its first byte.
  uint32_t AddSegment(uint16_t selector, uint32_t flat, uint32_t limit) {
    segments_[selector] = {flat, limit};
    return uint32_t{selector} << 16;
  }
  void AddWindow(uint16_t window16, uint32_t window32) { windows_[window16] = window32; }

  uint32_t BytesAt(uint32_t far16) override {
    const auto it = segments_.find(far16 >> 16);
    const uint32_t offset = far16 & 0xFFFF;
    return it == segments_.end() || offset > it->second.limit ? 0 : it->second.limit - offset + 1;
  }
  uint32_t Flat(uint32_t far16, uint32_t bytes, bool pin) override {
    if (bytes == 0 || bytes > BytesAt(far16)) {
      ++faults;
      return 0;
    }
    if (pin) ++pins[far16];
    return segments_[far16 >> 16].flat + (far16 & 0xFFFF);
  }
  void Unpin(uint32_t far16) override {
    unpinned.push_back(far16);
    if (pins[far16] == 0) ++unknownUnpins;
    else --pins[far16];
  }
  uint32_t Window32(uint16_t window16) override {
    const auto it = windows_.find(window16);
    return it == windows_.end() ? 0 : it->second;
  }
  uint16_t Window16(uint32_t window32) override {
    for (const auto& [h16, h32] : windows_)
      if (h32 == window32) return h16;
    return 0;
  }
  uint32_t Word32(uint32_t flat) override { return Get<uint32_t>(flat); }
  void SetWord32(uint32_t flat, uint32_t value) override { Set(flat, value); }
  uint16_t Word16(uint32_t flat) override { return Get<uint16_t>(flat); }
  uint8_t Byte(uint32_t flat) override { return Get<uint8_t>(flat); }
  void SetByte(uint32_t flat, uint8_t value) override { Set(flat, value); }

  int PinsHeld() const {
    int held = 0;
    for (const auto& pin : pins) held += pin.second;
    return held;
  }

  template <typename T>
  T Get(uint32_t flat) {
    T value{};
    if (Inside(flat, sizeof(T))) std::memcpy(&value, &memory_[flat - kBase], sizeof(T));
    return value;
  }
  template <typename T>
  void Set(uint32_t flat, T value) {
    if (Inside(flat, sizeof(T))) std::memcpy(&memory_[flat - kBase], &value, sizeof(T));
  }
  uint8_t* Bytes(uint32_t flat) { return &memory_[flat - kBase]; }

  int faults = 0;
  int unknownUnpins = 0;
  std::map<uint32_t, int> pins;
  std::vector<uint32_t> unpinned;

 private:
  struct Segment {
    uint32_t flat, limit;
  };
  bool Inside(uint32_t flat, uint32_t bytes) {
    if (flat >= kBase && flat - kBase + bytes <= kSize) return true;
    ++faults;
    return false;
  }

  std::vector<uint8_t> memory_ = std::vector<uint8_t>(kSize);
  std::map<uint32_t, Segment> segments_;
  std::map<uint16_t, uint32_t> windows_;
};

}  // namespace qxge
