// The two-lane shaper index must select exactly the entry the one-value lookup reads.
#include <cmath>
#include <limits>
#include <vector>

#include "engine/shaper_table.h"
#include "plugin_fixture.h"

namespace {

float pairLookup(const float* table, float v, int lane) {
  IntPair offsets;
  storeLanes(shaperOffsets(lane == 0 ? pairOf(v, 0.0) : pairOf(0.0, v)), offsets);
  return static_cast<float>(shaperEntry(table, offsets.lanes[lane]));
}

TEST(ShaperPair, SelectsTheEntryOfTheOneValueLookup) {
  std::vector<float> table(kShaperTableSize);
  buildShaperTable(table.data());
  std::vector<float> values = {0.5f,
                               -0.5f,
                               1.0f,
                               -1.0f,
                               2.0f,
                               -2.0f,
                               1e-5f,
                               -1e-5f,
                               0.0f,
                               -0.0f,
                               3e38f,
                               -3e38f,
                               std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity(),
                               std::numeric_limits<float>::quiet_NaN(),
                               1e-40f,
                               -1e-40f};
  // Both sides of every step boundary m / 32767, where truncation changes entry.
  for (int m = -32767; m <= 32767; m += 7) {
    const float boundary = static_cast<float>(m / 32767.0);
    values.push_back(boundary);
    values.push_back(std::nextafter(boundary, 2.0f));
    values.push_back(std::nextafter(boundary, -2.0f));
  }
  for (const float v : values) {
    for (int lane = 0; lane < 2; ++lane) {
      ASSERT_EQ(bitsOf(pairLookup(table.data(), v, lane)), bitsOf(shaperLookup(table.data(), v)))
          << v << " lane " << lane;
    }
  }
}

}  // namespace
