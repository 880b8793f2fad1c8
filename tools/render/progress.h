// The progress bar on stderr: drawn in place while a long render runs, erased at the end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// "[#########...........]  45%" with `width` cells between the brackets.
std::string progressBarText(int64_t done, int64_t total, int width);

// Files shorter than this many seconds of audio render too fast to need a bar.
constexpr double kProgressMinimumSeconds = 30.0;

class ProgressBar {
 public:
  // Draws nothing unless `enabled`.
  ProgressBar(bool enabled, int64_t total, std::FILE* stream);
  ~ProgressBar();

  void update(int64_t done);

 private:
  bool enabled_;
  int64_t total_;
  std::FILE* stream_;
  int lastPercent_ = -1;
};
