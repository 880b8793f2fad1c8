// The engine's state as bytes: what a session saves, and what a load makes of broken or foreign
// blobs. A session saved from one engine and loaded into a fresh one sounds as if the fresh one
// had been set by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "engine/overdrive_engine.h"
#include "plugin_fixture.h"
#include "support/split_mix.h"

namespace {

using Blob = std::vector<uint8_t>;

// Drive, two values moved after the program was chosen, and a renamed program.
void setSession(OverdriveEngine& engine) {
  engine.loadProgram(2);
  engine.setParameter(kPreAmp, 0.8125f);
  engine.setParameter(kX100Switch, 0.75f);
  engine.setProgramName("My own drive, a name longer than 23");
}

Blob saved(const OverdriveEngine& engine) {
  uint8_t bytes[OverdriveEngine::kStateSize];
  engine.saveState(bytes);
  return Blob(bytes, bytes + sizeof bytes);
}

void putFloat(Blob& blob, size_t at, float value) { std::memcpy(&blob[at], &value, 4); }

// Noise through a fresh engine in 300-frame blocks.
std::vector<float> render(OverdriveEngine& engine) {
  SplitMix random{77};
  std::vector<float> result;
  StereoBuffer in(300), out(300);
  for (int block = 0; block < 20; ++block) {
    for (size_t i = 0; i < 300; ++i) {
      in.left[i] = random.unit() - 0.5f;
      in.right[i] = random.unit() - 0.5f;
    }
    engine.processReplacing(in.channels(), out.channels(), 300);
    result.insert(result.end(), out.left.begin(), out.left.end());
    result.insert(result.end(), out.right.begin(), out.right.end());
  }
  return result;
}

TEST(EngineState, ASessionLoadedIntoAFreshEngineSoundsAsOneSetByHand) {
  OverdriveEngine original, restored, byHand;
  setSession(original);
  setSession(byHand);
  const Blob blob = saved(original);
  ASSERT_TRUE(restored.loadState(blob.data(), blob.size()));
  EXPECT_EQ(saved(restored), blob);
  EXPECT_EQ(restored.currentProgram(), 2);
  EXPECT_STREQ(restored.programName(2), "My own drive, a name lo");
  EXPECT_EQ(restored.parameter(kPreAmp), 0.8125f) << "the values as saved, not the program's";
  EXPECT_EQ(render(restored), render(byHand));
}

TEST(EngineState, BrokenOrForeignBlobsAreRefusedOrClampedNeverTrusted) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* what;
    std::function<void(Blob&)> change;
    bool accepted;
    std::vector<float> values;  // what an accepted blob leaves, by parameter
  };
  const std::vector<float> session = {0.85f, 0.5f, 0.8125f, 0.75f, 0.5f, 0.5f};
  const std::vector<Case> cases = {
      {"intact", [](Blob&) {}, true, session},
      {"one byte short", [](Blob& b) { b.pop_back(); }, false, {}},
      {"one byte long", [](Blob& b) { b.push_back(0); }, false, {}},
      {"empty", [](Blob& b) { b.clear(); }, false, {}},
      {"another tag", [](Blob& b) { b[0] = 'X'; }, false, {}},
      {"version 2", [](Blob& b) { b[4] = 2; }, false, {}},
      {"program 3", [](Blob& b) { b[32] = 3; }, false, {}},
      {"program -1", [](Blob& b) { std::memset(&b[32], 0xFF, 4); }, false, {}},
      {"NaN, infinities and a value beyond the range",
       [&](Blob& b) {
         putFloat(b, 8, nan);
         putFloat(b, 12, inf);
         putFloat(b, 16, -inf);
         putFloat(b, 24, 7.5f);
       },
       true,
       {0.0f, 1.0f, 0.0f, 0.75f, 7.5f, 0.5f}},
      {"names without terminators", [](Blob& b) { std::memset(&b[36], 'A', 72); }, true, session},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OverdriveEngine source, target;
    setSession(source);
    Blob blob = saved(source);
    c.change(blob);
    const Blob before = saved(target);
    EXPECT_EQ(target.loadState(blob.empty() ? nullptr : blob.data(), blob.size()), c.accepted);
    if (!c.accepted) {
      EXPECT_EQ(saved(target), before) << "a refused blob changes nothing";
      continue;
    }
    for (int32_t i = 0; i < kParameterCount; ++i) EXPECT_EQ(target.parameter(i), c.values[i]) << i;
    for (int32_t p = 0; p < OverdriveEngine::kProgramCount; ++p)
      EXPECT_LE(std::strlen(target.programName(p)), 23u);
  }
}

// Hosts store sessions and automation by these; renaming one loses users' work.
TEST(ParameterDescriptors, SymbolsNeverChange) {
  const char* symbols[] = {"preband", "color", "preamp", "x100", "postfilter", "postgain"};
  for (int32_t i = 0; i < kParameterCount; ++i) {
    EXPECT_STREQ(kParameterDescriptors[i].symbol, symbols[i]);
    EXPECT_EQ(parameterIndexOf(symbols[i]), i);
  }
  EXPECT_EQ(parameterIndexOf("drive"), -1);
}

TEST(ParameterDescriptors, DefaultsAreProgramResetAndTextsReadBack) {
  OverdriveEngine engine;
  for (int32_t i = 0; i < kParameterCount; ++i) {
    EXPECT_EQ(engine.parameter(i), kParameterDescriptors[i].defaultValue) << i;
  }
  // Display texts are cut, not rounded; reading one back gives a value that shows it again.
  SplitMix random{5};
  for (int k = 0; k < 2000; ++k) {
    const auto index = static_cast<int32_t>(random.below(kParameterCount));
    char shown[kDisplaySize], again[kDisplaySize];
    formatParameterValue(index, random.unit(), shown);
    float value = -1.0f;
    ASSERT_TRUE(parseParameterText(index, shown, value)) << shown;
    formatParameterValue(index, value, again);
    EXPECT_STREQ(again, shown);
  }
  float value = 0.25f;
  EXPECT_TRUE(parseParameterText(kX100Switch, " on ", value));
  EXPECT_EQ(value, 1.0f);
  EXPECT_TRUE(parseParameterText(kPostGain, "-1.00000", value));
  EXPECT_EQ(value, 0.0f);
  for (const char* junk : {"", "abc", "0.5x", "nan", "inf", "1e999"}) {
    value = 0.25f;
    EXPECT_FALSE(parseParameterText(kColor, junk, value)) << junk;
    EXPECT_EQ(value, 0.25f);
  }
}

}  // namespace
