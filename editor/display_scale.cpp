#include "editor/display_scale.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr double kMinimumScale = 1.0;
constexpr double kMaximumScale = 4.0;

// The value of "Xft.dpi:" at the start of a line, or 0.
double resourceDpi(const char* resources) {
  constexpr char kName[] = "Xft.dpi:";
  for (const char* line = resources; line && *line;) {
    if (std::strncmp(line, kName, sizeof kName - 1) == 0) {
      return std::strtod(line + sizeof kName - 1, nullptr);
    }
    line = std::strchr(line, '\n');
    if (line) ++line;
  }
  return 0.0;
}

}  // namespace

double displayScale(const char* gdkScale, const char* resources) {
  double scale = 0.0;
  if (gdkScale && *gdkScale) {
    char* end = nullptr;
    const long whole = std::strtol(gdkScale, &end, 10);
    if (*end == '\0' && whole >= 1) scale = static_cast<double>(whole);
  }
  if (scale == 0.0) scale = resourceDpi(resources) / 96.0;
  return boundedScale(scale);
}

double boundedScale(double scale) {
  if (!(scale >= kMinimumScale)) return kMinimumScale;
  return scale > kMaximumScale ? kMaximumScale : scale;
}
