// Scratch folders and small audio files for the render tests.
#pragma once

#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

// A fresh folder removed with everything in it at the end of the test.
class ScratchDir {
 public:
  ScratchDir() {
    path_ = std::filesystem::temp_directory_path() /
            ("vorra-render-test-" + std::to_string(getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() { std::filesystem::remove_all(path_); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  std::filesystem::path path_;
};

struct Audio {
  int channels = 0;
  int sampleRate = 0;
  std::vector<float> samples;  // interleaved
};

inline void writeAudio(const std::string& path, const Audio& audio,
                       int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT) {
  SF_INFO info{};
  info.channels = audio.channels;
  info.samplerate = audio.sampleRate;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  sf_writef_float(file, audio.samples.data(),
                  static_cast<sf_count_t>(audio.samples.size()) / audio.channels);
  sf_close(file);
}

// Empty samples when the file does not open.
inline Audio readAudio(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return {};
  Audio audio{info.channels, info.samplerate,
              std::vector<float>(static_cast<size_t>(info.frames) * info.channels)};
  sf_readf_float(file, audio.samples.data(), info.frames);
  sf_close(file);
  return audio;
}

// A deterministic signal with a sine and noise on every channel, peaking below 0.8.
inline Audio testSignal(int channels, int frames, int sampleRate = 44100) {
  Audio audio{channels, sampleRate, {}};
  unsigned seed = 1;
  for (int f = 0; f < frames; ++f) {
    for (int c = 0; c < channels; ++c) {
      seed = seed * 1103515245u + 12345u;
      const float noise = static_cast<float>(seed >> 9) / 8388608.0f - 1.0f;
      audio.samples.push_back(0.5f * static_cast<float>(std::sin(0.01 * f * (c + 1))) +
                              0.25f * noise);
    }
  }
  return audio;
}

// A sine of `hz` at `amplitude` on every channel.
inline Audio sineSignal(int channels, int frames, int sampleRate, double hz, double amplitude) {
  Audio audio{channels, sampleRate, {}};
  for (int f = 0; f < frames; ++f) {
    const auto value = static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * f / sampleRate));
    audio.samples.insert(audio.samples.end(), channels, value);
  }
  return audio;
}

// The largest magnitude over all channels in [from, to) seconds.
inline float peakBetween(const Audio& audio, double from, double to) {
  float peak = 0.0f;
  const auto first = static_cast<size_t>(from * audio.sampleRate) * audio.channels;
  const auto last = std::min(audio.samples.size(),
                             static_cast<size_t>(to * audio.sampleRate) * audio.channels);
  for (size_t i = first; i < last; ++i) peak = std::max(peak, std::fabs(audio.samples[i]));
  return peak;
}
