#include "tools/render/sample_quantizer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint64_t kDitherSeed = 0x9E3779B97F4A7C15u;

}  // namespace

SampleQuantizer::SampleQuantizer(int bits, bool dither)
    : scale_(std::ldexp(1.0, bits - 1)),
      largest_(scale_ - 1.0),
      smallest_(-scale_),
      unit_(int64_t{1} << (32 - bits)),
      dither_(dither),
      state_(kDitherSeed) {}

double SampleQuantizer::uniform() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return static_cast<double>((state_ * 0x2545F4914F6CDD1Du) >> 11) * 0x1.0p-53;
}

void SampleQuantizer::convert(const float* samples, int32_t* out, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    double scaled = static_cast<double>(samples[i]) * scale_;
    // Two uniform values make the triangular dither, -1 to +1 step, independent of the signal.
    if (dither_) scaled += uniform() - uniform();
    // NaN lands on 0, a step outside full scale on the nearest end.
    const double step = std::isnan(scaled) ? 0.0 : std::clamp(std::nearbyint(scaled), smallest_, largest_);
    out[i] = static_cast<int32_t>(static_cast<int64_t>(step) * unit_);
  }
}
