#include "engine/value_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kWidth = 8;
constexpr double kPowersOfTen[] = {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6, 1e7};

}  // namespace

void formatFloat(float value, char* text) {
  double v = value;
  if (std::isnan(v)) {
    std::strcpy(text, kNotANumberText);
    return;
  }
  const bool negative = v < 0;  // -0.0 counts as not negative
  if (negative) v = -v;
  if ((negative && v > 9999999.0) || (!negative && v > 99999999.0)) {
    std::strcpy(text, kHugeText);
    return;
  }

  const double whole = std::floor(v);
  char head[16];
  int h =
      std::snprintf(head, sizeof head, "%s%u.", negative ? "-" : "", static_cast<unsigned>(whole));
  // Eight integer digits (or a sign and seven) leave no room for the point: drop it and keep
  // the digits, which are exact.
  if (h > kWidth) h = kWidth;
  std::memcpy(text, head, static_cast<size_t>(h));

  const int n = kWidth - h;
  if (n > 0) {
    // Exact in double for a float input: at most 24 significant bits times a power of ten
    // below 2^24.
    const double m = (v - whole) * kPowersOfTen[n];
    std::snprintf(text + h, static_cast<size_t>(n) + 1, "%0*u", n, static_cast<unsigned>(m));
  }
  text[kWidth] = '\0';
}

void formatLong(int32_t value, char* text) {
  // Eight characters hold up to eight digits, or a sign and seven.
  if (value >= 100000000 || value <= -10000000) {
    std::strcpy(text, kHugeText);
    return;
  }
  std::snprintf(text, kWidth + 1, "%7d", static_cast<int>(value));
}
