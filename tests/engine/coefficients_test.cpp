// Coefficients derived from the parameters, to the bit.
#include "plugin_fixture.h"

namespace {

class Coefficients : public PluginTest {
 protected:
  PostFilterCoefficients postFilter() { return effect->postFilterCoefficients.load(); }
};

TEST_F(Coefficients, WorkedExampleDrive) {
  setAll({0.85f, 0.5f, 1.0f, 0.33f, 0.5f, 0.5f});
  EXPECT_EQ(effect->preAmpCubed, 1.0f);
  EXPECT_EQ(bitsOf(effect->driveFeed), 0x3BD4FDF4u);
  EXPECT_EQ(bitsOf(effect->bandMixFeed), 0x381D4950u);
  EXPECT_EQ(bitsOf(effect->gainFeed), 0x3883126Fu);
  EXPECT_EQ(bitsOf(effect->left.toneFreqFeed), 0x3803126Fu);
  EXPECT_EQ(bitsOf(effect->right.toneFreqFeed), 0x3803126Fu);
  EXPECT_EQ(bitsOf(postFilter().postFeedback), 0x3F0CCCCDu);
  EXPECT_EQ(bitsOf(postFilter().postInputWeight), 0x3EE66666u);
}

TEST_F(Coefficients, WorkedExampleReset) {
  setAll({0.0f, 0.5f, 0.0f, 0.33f, 0.0f, 1.0f});
  EXPECT_EQ(bitsOf(effect->driveFeed), 0x3983126Fu);
  EXPECT_EQ(bitsOf(effect->bandMixFeed), 0x3983126Fu);
  EXPECT_EQ(bitsOf(effect->gainFeed), 0x3983126Fu);
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
    return effect->driveFeed.load();
  }(0.5f);
  EXPECT_EQ(feedAt, static_cast<float>(26.0 * static_cast<double>(0.00025f)));
  record->setParameter(record, 3, 0.50000006f);
  EXPECT_EQ(effect->driveFeed, static_cast<float>(2501.0 * static_cast<double>(0.00025f)));
  record->setParameter(record, 3, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(effect->driveFeed, feedAt) << "NaN keeps the lower drive";
  record->setParameter(record, 2, 0.0f);
  record->setParameter(record, 3, 1.0f);
  EXPECT_EQ(bitsOf(effect->driveFeed), 0x3983126Fu) << "no PreAmp, no drive, whatever the switch";
}

TEST_F(Coefficients, ParameterChangesLeaveSmoothersAndStatesAlone) {
  StereoBuffer in(64, 0.25f, -0.25f), out(64);
  replacing(in, out);
  const float drive = effect->drive, toneLow = effect->left.toneLow,
              toneFreq = effect->right.toneFreq, post2 = effect->left.post2;
  setAll({0.9f, 0.1f, 0.8f, 0.9f, 0.7f, 0.2f});
  EXPECT_EQ(effect->drive, drive);
  EXPECT_EQ(effect->left.toneLow, toneLow);
  EXPECT_EQ(effect->right.toneFreq, toneFreq);
  EXPECT_EQ(effect->left.post2, post2);
}

TEST_F(Coefficients, OutOfRangeValuesAreUsedAsTheyAre) {
  record->setParameter(record, 5, 2.0f);
  EXPECT_EQ(record->getParameter(record, 5), 2.0f);
  EXPECT_EQ(effect->gainFeed, static_cast<float>(4.0 * static_cast<double>(0.00025f)));
  record->setParameter(record, 0, -1.0f);
  EXPECT_EQ(effect->bandMixFeed, static_cast<float>(2.0 * static_cast<double>(0.00025f)));
}

}  // namespace
