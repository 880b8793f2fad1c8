// WAV files of 32- or 64-bit float samples, written here rather than by libsndfile: its float
// WAV files end the fmt chunk without the extension size field, which sox warns about on every
// read. These have that field (0), a fact chunk with the frame count, and nothing else.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The 58 bytes before the samples of a file of `frames` frames.
std::string floatWavHeader(int channels, int sampleRate, int bytesPerSample, uint64_t frames);

class FloatWavFile {
 public:
  // Owns `fd`, an empty file open for writing. `bytesPerSample` is 4 or 8.
  FloatWavFile(int fd, int channels, int sampleRate, int bytesPerSample);
  ~FloatWavFile();

  FloatWavFile(const FloatWavFile&) = delete;
  FloatWavFile& operator=(const FloatWavFile&) = delete;

  // Both throw std::runtime_error with the system's reason.
  void write(const float* interleaved, int64_t count);
  // Writes the final sizes into the header and closes the file.
  void finish();

 private:
  void put(const void* bytes, size_t size);

  int fd_;
  int channels_, sampleRate_, bytesPerSample_;
  uint64_t frames_ = 0;
  std::vector<double> widened_;
};
