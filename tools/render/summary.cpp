#include "tools/render/summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string formatDbfs(float peak) {
  if (!(peak > 0.0f)) return "-inf dBFS";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f dBFS", 20.0 * std::log10(static_cast<double>(peak)));
  return text;
}

std::string summaryLine(const std::string& output, const RenderStats& stats, double sampleRate,
                        double elapsedSeconds) {
  const double seconds = static_cast<double>(stats.frames) / sampleRate;
  // A render too fast for the clock still gets a finite speed.
  const double speed = seconds / std::max(elapsedSeconds, 1e-6);
  char preroll[96] = "no pre-roll";
  if (stats.prerollFrames > 0) {
    std::snprintf(preroll, sizeof preroll, "pre-roll %lld frames (%.3f s)",
                  static_cast<long long>(stats.prerollFrames),
                  static_cast<double>(stats.prerollFrames) / sampleRate);
  }
  char text[320];
  std::snprintf(text, sizeof text, "%lld frames, %.3f s, %s, %.1fx real time, peak in %s, out %s",
                static_cast<long long>(stats.frames), seconds, preroll, speed,
                formatDbfs(stats.inputPeak).c_str(), formatDbfs(stats.outputPeak).c_str());
  return output + ": " + text;
}
