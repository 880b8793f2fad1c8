// The fixed-width value texts, through EffectBase's operations as an effect uses them.
#include "engine/value_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "test_effect.h"

namespace {

std::string floatText(float value) {
  char text[32];
  std::memset(text, 'x', sizeof text);
  formatFloat(value, text);
  EXPECT_EQ(text[9], 'x') << "nothing written past the terminator for " << value;
  return text;
}

TEST(FloatText, ExamplesGiveExactTruncatedDigits) {
  const std::pair<float, const char*> examples[] = {
      {0.0f, "0.000000"},         {0.5f, "0.500000"},         {0.33f, "0.330000"},
      {0.7f, "0.699999"},         {1.0f, "1.000000"},         {-0.5f, "-0.50000"},
      {-1.0f, "-1.00000"},        {123.456f, "123.4560"},     {-123.25f, "-123.250"},
      {86.1328125f, "86.13281"},  {1234567.0f, "1234567."},   {-999999.0f, "-999999."},
      {0.0000001f, "0.000000"},   {100000000.0f, " Huge!  "}, {-10000000.0f, " Huge!  "},
      {-0.0f, "0.000000"},        {99999999.0f, " Huge!  "},  {-0.001f, "-0.00100"},
      {0.999f - 1.0f, "-0.00099"}};
  for (auto [value, text] : examples) EXPECT_EQ(floatText(value), text) << value;
}

TEST(FloatText, EveryValueInRangeIsEightCharacters) {
  for (float v : {0.0f, 9.999999f, 10.0f, 99999.9f, 1e6f, 9999999.0f, 12345678.0f, 99999992.0f,
                  -9.5f, -99999.0f, -999999.5f, -1000000.0f, -9999999.0f, 1e-30f,
                  std::numeric_limits<float>::denorm_min()}) {
    EXPECT_EQ(floatText(v).size(), 8u) << v;
  }
}

// Our choices where the head does not fit or there is no number.
TEST(FloatText, OverlongHeadsDropThePointAndNaNHasItsOwnText) {
  EXPECT_EQ(floatText(12345678.0f), "12345678");
  EXPECT_EQ(floatText(-1234567.0f), "-1234567");
  EXPECT_EQ(floatText(std::numeric_limits<float>::quiet_NaN()), "  NaN   ");
  EXPECT_EQ(floatText(std::numeric_limits<float>::infinity()), " Huge!  ");
  EXPECT_EQ(floatText(-std::numeric_limits<float>::infinity()), " Huge!  ");
}

// A number that does not fit in eight characters is " Huge!  " on either side, never a
// different number with its last digits cut.
TEST(LongText, SevenWideOrHuge) {
  const std::pair<int32_t, const char*> examples[] = {
      {0, "      0"},          {1234, "   1234"},       {-5, "     -5"},
      {12345678, "12345678"},  {-12345678, " Huge!  "}, {99999999, "99999999"},
      {100000000, " Huge!  "}, {INT32_MAX, " Huge!  "}, {INT32_MIN, " Huge!  "},
      {-999999, "-999999"},    {9999999, "9999999"},    {-9999999, "-9999999"},
      {-10000000, " Huge!  "}};
  for (auto [value, text] : examples) {
    char buffer[16];
    formatLong(value, buffer);
    EXPECT_STREQ(buffer, text) << value;
  }
}

struct EffectTexts : ::testing::Test {
  std::string text(void (EffectBase::*operation)(float, char*), float value) {
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    (effect.*operation)(value, buffer);
    EXPECT_EQ(buffer[9], 'x');
    return buffer;
  }
  TestEffect effect{nullptr};
};

TEST_F(EffectTexts, Decibels) {
  EXPECT_EQ(text(&EffectBase::dB2string, 1.0f), "0.000000");
  EXPECT_EQ(text(&EffectBase::dB2string, 0.5f), "-6.02059");
  EXPECT_EQ(text(&EffectBase::dB2string, 10.0f), "20.00000");
  EXPECT_EQ(text(&EffectBase::dB2string, 0.0f), "  -oo   ");
  EXPECT_EQ(text(&EffectBase::dB2string, -1.0f), "  -oo   ");
  EXPECT_EQ(text(&EffectBase::dB2string, std::nanf("")), "  -oo   ");
}

TEST_F(EffectTexts, HertzAndMillisecondsAtTheSampleRate) {
  EXPECT_EQ(text(&EffectBase::Hz2string, 512.0f), "86.13281");
  EXPECT_EQ(text(&EffectBase::Hz2string, 44100.0f), "1.000000");
  EXPECT_EQ(text(&EffectBase::Hz2string, 0.0f), "0.000000");
  EXPECT_EQ(text(&EffectBase::Hz2string, std::nanf("")), "0.000000");
  EXPECT_EQ(text(&EffectBase::ms2string, 512.0f), "11.60997");
  EXPECT_EQ(text(&EffectBase::ms2string, 44100.0f), "1000.000");
  EXPECT_EQ(text(&EffectBase::ms2string, 0.0f), "0.000000");
  effect.setSampleRate(48000.0f);
  EXPECT_EQ(text(&EffectBase::Hz2string, 480.0f), "100.0000");
  EXPECT_EQ(text(&EffectBase::ms2string, 48.0f), "1.000000");
  effect.setSampleRate(0.0f);
  EXPECT_EQ(text(&EffectBase::ms2string, 0.0f), "0.000000");
  EXPECT_EQ(text(&EffectBase::ms2string, 512.0f), " Huge!  ");
}

// A derived float2string changes the three texts built on it.
struct UpperCaseEffect : TestEffect {
  UpperCaseEffect() : TestEffect(nullptr) {}
  void float2string(float, char* text) override { std::strcpy(text, "OVERRIDE"); }
};

TEST(EffectTextsVirtual, NumberTextsGoThroughFloat2string) {
  UpperCaseEffect effect;
  char text[16];
  effect.dB2string(0.5f, text);
  EXPECT_STREQ(text, "OVERRIDE");
  effect.Hz2string(512.0f, text);
  EXPECT_STREQ(text, "OVERRIDE");
  effect.ms2string(512.0f, text);
  EXPECT_STREQ(text, "OVERRIDE");
  effect.long2string(5, text);
  EXPECT_STREQ(text, "      5");
}

}  // namespace
