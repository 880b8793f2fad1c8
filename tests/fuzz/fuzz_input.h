// The fuzzer's bytes read as a host's choices. Past the end every read answers 0, so any input
// is a complete sequence.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return at_ >= size_; }

  uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

  uint32_t bits32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | byte();
    return v;
  }

  uint16_t bits16() { return static_cast<uint16_t>((byte() << 8) | byte()); }

  int32_t anyInt() { return static_cast<int32_t>(bits32()); }

  // Small numbers around the interesting range most of the time, any 32-bit value sometimes.
  int32_t index(int32_t low, int32_t high) {
    if (byte() % 8 == 0) return anyInt();
    return low + static_cast<int32_t>(byte() % static_cast<uint32_t>(high - low + 1));
  }

  // Any float: raw bit patterns (every NaN and denormal), edge values, or ordinary ranges.
  float anyFloat() {
    static const float kEdges[] = {0.0f,
                                   -0.0f,
                                   1.0f,
                                   -1.0f,
                                   0.5f,
                                   std::nextafter(0.5f, 1.0f),
                                   std::numeric_limits<float>::quiet_NaN(),
                                   -std::numeric_limits<float>::quiet_NaN(),
                                   std::numeric_limits<float>::infinity(),
                                   -std::numeric_limits<float>::infinity(),
                                   std::numeric_limits<float>::denorm_min(),
                                   -std::numeric_limits<float>::denorm_min(),
                                   std::numeric_limits<float>::min(),
                                   std::numeric_limits<float>::max(),
                                   -std::numeric_limits<float>::max(),
                                   1e30f,
                                   -1e30f,
                                   1e-30f,
                                   100.0f,
                                   -3.0f};
    switch (byte() % 4) {
      case 0: {
        const uint32_t bits = bits32();
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
      }
      case 1: return kEdges[byte() % (sizeof kEdges / sizeof kEdges[0])];
      case 2: return unitFloat();
      default: return static_cast<float>(bits16()) / 16384.0f - 2.0f;
    }
  }

  // A value within 0 to 1, both ends included.
  float unitFloat() { return static_cast<float>(bits16() % 65536u) / 65535.0f; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};
