// Native benchmark of the record comparison, which runs after every control change and for
// every favorite on every fill. Prints the median time per call over many random pairs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "record/record_compare.h"

namespace {

using qxge::DriverDevMode;

struct Pair {
  DriverDevMode a, b;
};

// Pairs as the pages produce them: the same settings with one byte changed somewhere in the
// private part, so the comparison walks all of the public part and the whole private part.
std::vector<Pair> MakePairs(size_t count, bool equal) {
  std::mt19937 random(12345);
  std::vector<Pair> pairs(count);
  for (Pair& p : pairs) {
    auto* bytes = reinterpret_cast<uint8_t*>(&p.a);
    for (size_t i = 0; i < sizeof p.a; ++i) bytes[i] = static_cast<uint8_t>(random());
    p.a.dmPublic.dmFields = 0x1FFFFFFF;
    p.b = p.a;
    if (!equal)
      reinterpret_cast<uint8_t*>(&p.b)[qxge::kPublicDevModeBytes + random() % qxge::kPrivateDevModeBytes] ^= 1;
  }
  return pairs;
}

double MedianNanoseconds(const std::vector<Pair>& pairs, const qxge::ModelFeatures& model, bool ignoreDevice) {
  const size_t rounds = 1 + 2000000 / pairs.size();
  std::vector<double> perCall;
  volatile int sink = 0;
  for (size_t round = 0; round < rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (const Pair& p : pairs) sink = sink + qxge::RecordsDiffer(p.a, p.b, nullptr, ignoreDevice, model);
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    perCall.push_back(elapsed.count() / static_cast<double>(pairs.size()));
  }
  std::sort(perCall.begin(), perCall.end());
  return perCall[perCall.size() / 2];
}

}  // namespace

int main() {
  qxge::ModelFeatures model;
  model.PaperCollate = model.LayoutDoubleManual = model.PrinterDuplex = 1;
  // 40 pairs stay in the cache as a sheet's records and favorites do; 4096 pairs (33 MB) do not.
  std::printf("RecordsDiffer, median ns per call        40 pairs  4096 pairs\n");
  for (bool equal : {false, true}) {
    const std::vector<Pair> warm = MakePairs(40, equal), cold = MakePairs(4096, equal);
    for (bool ignoreDevice : {false, true})
      std::printf("  %-16s %-20s %8.1f %10.1f\n", equal ? "equal" : "one byte differs",
                  ignoreDevice ? "(favorites)" : "(apply)", MedianNanoseconds(warm, model, ignoreDevice),
                  MedianNanoseconds(cold, model, ignoreDevice));
  }
  return 0;
}
