#include "tools/render/progress.h"

#include <algorithm>

std::string progressBarText(int64_t done, int64_t total, int width) {
  const double fraction = total > 0 ? std::clamp(double(done) / double(total), 0.0, 1.0) : 1.0;
  const int filled = static_cast<int>(fraction * width);
  const int percent = static_cast<int>(fraction * 100.0);
  char tail[8];
  std::snprintf(tail, sizeof tail, " %3d%%", percent);
  return "[" + std::string(filled, '#') + std::string(width - filled, '.') + "]" + tail;
}

ProgressBar::ProgressBar(bool enabled, int64_t total, std::FILE* stream)
    : enabled_(enabled), total_(total), stream_(stream) {}

ProgressBar::~ProgressBar() {
  if (enabled_ && lastPercent_ >= 0) std::fputs("\r\033[K", stream_);
}

void ProgressBar::update(int64_t done) {
  if (!enabled_) return;
  const int percent = total_ > 0 ? static_cast<int>(100 * done / total_) : 100;
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  std::fprintf(stream_, "\r%s", progressBarText(done, total_, 40).c_str());
  std::fflush(stream_);
}
