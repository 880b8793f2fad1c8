// Float samples to integer output samples: scaled to the format's full scale, TPDF dither of one
// step when asked, rounded to nearest and clipped. The dither comes from a fixed seed, so the
// same samples in the same order always give the same integers.
#pragma once

#include <cstdint>
#include <cstddef>

class SampleQuantizer {
 public:
  // `bits` is 16, 24 or 32.
  SampleQuantizer(int bits, bool dither);

  // Writes each sample as a 32-bit integer whose top `bits` bits hold it, as libsndfile's
  // integer writes take it.
  void convert(const float* samples, int32_t* out, size_t count);

 private:
  // Uniform on [0, 1), from a 64-bit xorshift* generator.
  double uniform();

  double scale_;
  double largest_, smallest_;
  int64_t unit_;  // one step of the output, as a left-aligned 32-bit value
  bool dither_;
  uint64_t state_;
};
