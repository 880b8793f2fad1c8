// Buffers as a careful host hands them out: the size the plug-in may use, followed by guard
// bytes that must still hold their pattern after the call.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

constexpr size_t kGuardBytes = 32;
constexpr uint8_t kGuardByte = 0xA5;

// A text buffer of `size` usable bytes, prefilled with junk that is not a terminator.
class GuardedText {
 public:
  explicit GuardedText(size_t size) : size_(size), bytes_(size + kGuardBytes, kGuardByte) {}

  char* data() { return reinterpret_cast<char*>(bytes_.data()); }
  size_t size() const { return size_; }

  bool guardIntact() const {
    for (size_t i = size_; i < bytes_.size(); ++i)
      if (bytes_[i] != kGuardByte) return false;
    return true;
  }

  // A zero-terminated answer lies within the usable bytes.
  bool terminated() const { return std::memchr(bytes_.data(), 0, size_) != nullptr; }
  // The prefilled junk was not touched: the plug-in wrote nothing.
  bool untouched() const {
    for (size_t i = 0; i < size_; ++i)
      if (bytes_[i] != kGuardByte) return false;
    return true;
  }

 private:
  size_t size_;
  std::vector<uint8_t> bytes_;
};

// One channel's samples with guard samples of a marked NaN pattern after them.
class GuardedSamples {
 public:
  static constexpr uint32_t kGuardPattern = 0x7FC0DEADu;
  static constexpr size_t kGuardSamples = 8;

  explicit GuardedSamples(size_t frames) : frames_(frames), samples_(frames + kGuardSamples) {
    for (size_t i = frames_; i < samples_.size(); ++i)
      std::memcpy(&samples_[i], &kGuardPattern, sizeof kGuardPattern);
  }

  float* data() { return samples_.data(); }
  size_t frames() const { return frames_; }
  float& operator[](size_t i) { return samples_[i]; }

  bool guardIntact() const {
    for (size_t i = frames_; i < samples_.size(); ++i)
      if (std::memcmp(&samples_[i], &kGuardPattern, sizeof kGuardPattern) != 0) return false;
    return true;
  }

  // The usable samples, bit for bit.
  std::vector<uint32_t> bits() const {
    std::vector<uint32_t> out(frames_);
    if (frames_ != 0) std::memcpy(out.data(), samples_.data(), frames_ * sizeof(float));
    return out;
  }

 private:
  size_t frames_;
  std::vector<float> samples_;
};
