// Names, labels and displays of every parameter, for values a host may send.
#include <limits>
#include <map>

#include "validator/validator_host.h"

namespace {

constexpr size_t kNameBuffer = 11;  // 10 characters and the terminator
constexpr size_t kValueBuffer = 9;  // 8 characters and the terminator

bool printable(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c > 0x7e) return false;
  return true;
}

using Texts = ValidatorTest;

TEST_F(Texts, EveryParameterForRandomValues) {
  Instance instance(plugin.entry());
  Instance second(plugin.entry());
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  std::uniform_real_distribution<float> wide(-1e9f, 1e9f);
  const std::vector<float> edges = {0.0f,
                                    -0.0f,
                                    0.5f,
                                    1.0f,
                                    std::numeric_limits<float>::denorm_min(),
                                    std::numeric_limits<float>::max(),
                                    -std::numeric_limits<float>::max(),
                                    std::numeric_limits<float>::infinity(),
                                    -std::numeric_limits<float>::infinity(),
                                    std::numeric_limits<float>::quiet_NaN()};
  for (int32_t index = 0; index < kParameterCount; ++index) {
    const std::string name = instance.text(effGetParamName, index, kNameBuffer);
    EXPECT_FALSE(name.empty()) << index;
    EXPECT_TRUE(printable(name)) << index;
    std::map<std::string, int> seen;
    for (int i = 0; i < 300 + static_cast<int>(edges.size()); ++i) {
      const float value = i < 300 ? (i % 3 ? unit(random) : wide(random)) : edges[i - 300];
      instance.set(index, value);
      second.set(index, value);
      const std::string display = instance.text(effGetParamDisplay, index, kValueBuffer);
      ASSERT_FALSE(display.empty()) << "parameter " << index << " value " << value;
      ASSERT_TRUE(printable(display)) << display;
      ASSERT_EQ(second.text(effGetParamDisplay, index, kValueBuffer), display)
          << "the display depends on the value alone";
      ASSERT_EQ(instance.text(effGetParamLabel, index, kValueBuffer), "");
      ASSERT_EQ(instance.text(effGetParamName, index, kNameBuffer), name);
      ++seen[display];
    }
    EXPECT_GE(seen.size(), index == 3 ? 2u : 100u) << "parameter " << index << " displays";
  }
}

// Indices a host should not send leave the buffer as it was.
TEST_F(Texts, UnknownIndicesWriteNothing) {
  Instance instance(plugin.entry());
  for (int32_t index : {-1, kParameterCount, 1000, std::numeric_limits<int32_t>::min()}) {
    for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      char buffer[16] = "untouched";
      instance.dispatch(opcode, index, 0, buffer);
      EXPECT_STREQ(buffer, "untouched") << "opcode " << opcode << " index " << index;
    }
    EXPECT_EQ(instance.get(index), 0.0f);
  }
}

// Names of any length are cut to 23 characters and fit the host's 24-byte buffer.
TEST_F(Texts, ProgramNamesOfAnyLength) {
  Instance instance(plugin.entry());
  for (size_t length : {0u, 1u, 22u, 23u, 24u, 25u, 100u, 5000u}) {
    for (int32_t program = 0; program < kProgramCount; ++program) {
      instance.dispatch(effSetProgram, 0, program);
      std::string name(length, static_cast<char>('a' + program));
      instance.dispatch(effSetProgramName, 0, 0, name.data());
    }
    for (int32_t program = 0; program < kProgramCount; ++program) {
      instance.dispatch(effSetProgram, 0, program);
      EXPECT_EQ(instance.programName(),
                std::string(std::min<size_t>(length, 23), static_cast<char>('a' + program)));
    }
  }
}

}  // namespace
