// The summary line and the progress bar.
#include <gtest/gtest.h>

#include "tools/render/progress.h"
#include "tools/render/summary.h"

namespace {

TEST(Summary, PeaksInDbfs) {
  EXPECT_EQ(formatDbfs(1.0f), "0.00 dBFS");
  EXPECT_EQ(formatDbfs(0.5f), "-6.02 dBFS");
  EXPECT_EQ(formatDbfs(2.0f), "6.02 dBFS");
  EXPECT_EQ(formatDbfs(0.0f), "-inf dBFS");
}

TEST(Summary, LineNamesFramesSecondsSpeedAndPeaks) {
  RenderStats stats;
  stats.frames = 88200;
  stats.inputPeak = 0.5f;
  stats.outputPeak = 1.0f;
  EXPECT_EQ(summaryLine("out.wav", stats, 44100, 0.01),
            "out.wav: 88200 frames, 2.000 s, no pre-roll, 200.0x real time, peak in -6.02 dBFS, "
            "out 0.00 dBFS");
  stats.prerollFrames = 22050;
  EXPECT_NE(summaryLine("out.wav", stats, 44100, 0.01)
                .find(" 2.000 s, pre-roll 22050 frames (0.500 s), 200.0x real time"),
            std::string::npos);
  EXPECT_NE(summaryLine("out.wav", stats, 44100, 0.0).find("2000000.0x"), std::string::npos)
      << "an unmeasurably fast render";
}

TEST(Progress, BarFillsWithTheFramesDone) {
  EXPECT_EQ(progressBarText(0, 100, 10), "[..........]   0%");
  EXPECT_EQ(progressBarText(45, 100, 10), "[####......]  45%");
  EXPECT_EQ(progressBarText(100, 100, 10), "[##########] 100%");
  EXPECT_EQ(progressBarText(5, 0, 4), "[####] 100%");
}

TEST(Progress, DrawsOnlyWhenEnabledAndEachPercentOnce) {
  char buffer[4096] = {};
  std::FILE* stream = fmemopen(buffer, sizeof buffer, "w");
  {
    ProgressBar quiet(false, 100, stream);
    quiet.update(50);
  }
  std::fflush(stream);
  EXPECT_STREQ(buffer, "");
  {
    ProgressBar bar(true, 1000, stream);
    for (int done : {1, 2, 10, 11, 1000}) bar.update(done);
  }
  std::fclose(stream);
  const std::string drawn = buffer;
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\r'), 4) << "0%, 1%, 100% and the erase";
  EXPECT_NE(drawn.find("100%"), std::string::npos);
  EXPECT_EQ(drawn.substr(drawn.size() - 4), "\r\033[K");
}

}  // namespace
