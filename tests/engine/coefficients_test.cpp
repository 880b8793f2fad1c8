// Coefficients derived from the parameters, to the bit.
#include "plugin_fixture.h"

namespace {

class Coefficients : public PluginTest {
 protected:
  PostFilterCoefficients postFilter() { return state().postFilter; }
};

TEST_F(Coefficients, WorkedExampleDrive) {
  setAll({0.85f, 0.5f, 1.0f, 0.33f, 0.5f, 0.5f});
  EXPECT_EQ(state().preAmpCubed, 1.0f);
  EXPECT_EQ(bitsOf(state().driveFeed), 0x3BD4FDF4u);
  EXPECT_EQ(bitsOf(state().bandMixFeed), 0x381D4950u);
  EXPECT_EQ(bitsOf(state().gainFeed), 0x3883126Fu);
  EXPECT_EQ(bitsOf(state().left.toneFreqFeed), 0x3803126Fu);
  EXPECT_EQ(bitsOf(state().right.toneFreqFeed), 0x3803126Fu);
  EXPECT_EQ(bitsOf(postFilter().postFeedback), 0x3F0CCCCDu);
  EXPECT_EQ(bitsOf(postFilter().postInputWeight), 0x3EE66666u);
}

TEST_F(Coefficients, WorkedExampleReset) {
  setAll({0.0f, 0.5f, 0.0f, 0.33f, 0.0f, 1.0f});
  EXPECT_EQ(bitsOf(state().driveFeed), 0x3983126Fu);
  EXPECT_EQ(bitsOf(state().bandMixFeed), 0x3983126Fu);
  EXPECT_EQ(bitsOf(state().gainFeed), 0x3983126Fu);
  EXPECT_EQ(bitsOf(postFilter().postFeedback), 0x3E4CCCCDu);
  EXPECT_EQ(bitsOf(postFilter().postInputWeight), 0x3F4CCCCDu);
}

TEST_F(Coefficients, PostFilterEnds) {
  record->setParameter(record, 4, 1.0f);
  EXPECT_EQ(bitsOf(postFilter().postFeedback), 0x3F666666u);
  EXPECT_EQ(bitsOf(postFilter().postInputWeight), 0x3DCCCCCEu);
  record->setParameter(record, 4, 0.0f);
  EXPECT_EQ(bitsOf(postFilter().postFeedback), 0x3E4CCCCDu);
  EXPECT_EQ(bitsOf(postFilter().postInputWeight), 0x3F4CCCCDu);
}

TEST_F(Coefficients, X100AppliesOnlyStrictlyAboveOneHalf) {
  record->setParameter(record, 2, 1.0f);
  const float feedAt = [&](float x100) {
    record->setParameter(record, 3, x100);
    return state().driveFeed;
  }(0.5f);
  EXPECT_EQ(feedAt, static_cast<float>(26.0 * static_cast<double>(0.00025f)));
  record->setParameter(record, 3, 0.50000006f);
  EXPECT_EQ(state().driveFeed, static_cast<float>(2501.0 * static_cast<double>(0.00025f)));
  record->setParameter(record, 3, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(state().driveFeed, feedAt) << "NaN keeps the lower drive";
  record->setParameter(record, 2, 0.0f);
  record->setParameter(record, 3, 1.0f);
  EXPECT_EQ(bitsOf(state().driveFeed), 0x3983126Fu) << "no PreAmp, no drive, whatever the switch";
}

TEST_F(Coefficients, ParameterChangesLeaveSmoothersAndStatesAlone) {
  StereoBuffer in(64, 0.25f, -0.25f), out(64);
  replacing(in, out);
  const float drive = state().drive, toneLow = state().left.toneLow,
              toneFreq = state().right.toneFreq, post2 = state().left.post2;
  setAll({0.9f, 0.1f, 0.8f, 0.9f, 0.7f, 0.2f});
  EXPECT_EQ(state().drive, drive);
  EXPECT_EQ(state().left.toneLow, toneLow);
  EXPECT_EQ(state().right.toneFreq, toneFreq);
  EXPECT_EQ(state().left.post2, post2);
}

TEST_F(Coefficients, OutOfRangeValuesAreUsedAsTheyAre) {
  record->setParameter(record, 5, 2.0f);
  EXPECT_EQ(record->getParameter(record, 5), 2.0f);
  EXPECT_EQ(state().gainFeed, static_cast<float>(4.0 * static_cast<double>(0.00025f)));
  record->setParameter(record, 0, -1.0f);
  EXPECT_EQ(state().bandMixFeed, static_cast<float>(2.0 * static_cast<double>(0.00025f)));
}

}  // namespace
