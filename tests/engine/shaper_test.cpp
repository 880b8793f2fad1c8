// The sine shaping table and its lookup rule.
#include <cmath>
#include <limits>

#include "engine/shaper_table.h"
#include "plugin_fixture.h"

namespace {

using Shaper = PluginTest;

TEST_F(Shaper, TellingEntries) {
  const float* table = shaperTable();
  EXPECT_EQ(table[0], -1.0f);
  EXPECT_EQ(table[1], -1.0f);
  EXPECT_EQ(table[32767], 0.0f);
  EXPECT_TRUE(std::signbit(table[32767])) << "entry 32767 is negative zero";
  EXPECT_EQ(bitsOf(table[32768]), 0u);
  EXPECT_EQ(bitsOf(table[32769]), 0x38490FDBu);
  EXPECT_EQ(bitsOf(table[49152]), 0x3F3504F3u);
  EXPECT_EQ(table[65535], 1.0f);
}

TEST_F(Shaper, LowerHalfMirrorsTheUpperHalf) {
  const float* table = shaperTable();
  for (int32_t i = 0; i < 32768; ++i) {
    ASSERT_EQ(bitsOf(table[32767 - i]), bitsOf(table[32768 + i]) ^ 0x80000000u) << i;
  }
  for (int32_t i = 32768; i < 65535; ++i) ASSERT_LE(table[i], table[i + 1]) << i;
}

TEST_F(Shaper, EntriesAreTheRoundedSines) {
  const float* table = shaperTable();
  for (int32_t i = 0; i < 32768; i += 97) {
    EXPECT_EQ(table[32768 + i], static_cast<float>(std::sin(i * (3.141592653589793 / 65536.0))))
        << i;
  }
}

TEST_F(Shaper, LookupsClampTruncateAndReadOneStepInOnTheNegativeSide) {
  const float* table = shaperTable();
  EXPECT_EQ(shaperLookup(table, 0.5f), 0.707072913646698f);
  EXPECT_EQ(shaperLookup(table, 0.5f), table[49151]);
  EXPECT_EQ(shaperLookup(table, -0.5f), -0.7070389986038208f);
  EXPECT_EQ(shaperLookup(table, -0.5f), table[16385]);
  EXPECT_EQ(shaperLookup(table, 2.0f), 1.0f);
  EXPECT_EQ(shaperLookup(table, 1.0f), 1.0f);
  EXPECT_EQ(shaperLookup(table, -2.0f), -1.0f);
  EXPECT_EQ(shaperLookup(table, -1.0f), -1.0f);
  EXPECT_EQ(shaperLookup(table, std::numeric_limits<float>::quiet_NaN()), -1.0f);
  EXPECT_EQ(shaperLookup(table, std::numeric_limits<float>::infinity()), 1.0f);
  EXPECT_EQ(shaperLookup(table, 1e-5f), 0.0f);
  EXPECT_EQ(shaperLookup(table, -1e-5f), 0.0f);
}

}  // namespace
