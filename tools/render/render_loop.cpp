#include "tools/render/render_loop.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

BufferSource::BufferSource(std::vector<float> interleaved, int channels, double sampleRate)
    : samples_(std::move(interleaved)), channels_(channels), sampleRate_(sampleRate) {}

int64_t BufferSource::frames() const { return static_cast<int64_t>(samples_.size()) / channels_; }

void BufferSource::read(float* interleaved, int64_t count) {
  const size_t n = static_cast<size_t>(count) * channels_;
  if (position_ + n > samples_.size()) throw std::runtime_error("read past the end of the signal");
  std::copy_n(samples_.begin() + position_, n, interleaved);
  position_ += n;
}

void PassThrough::process(const float* input, float* output, int32_t frames) {
  std::copy_n(input, static_cast<size_t>(frames) * channels_, output);
}

namespace {

float peakOf(const float* samples, size_t count, float peak) {
  for (size_t i = 0; i < count; ++i) peak = std::max(peak, std::fabs(samples[i]));
  return peak;
}

}  // namespace

void runSilence(BlockProcessor& processor, int channels, int64_t frames, int32_t blockSize) {
  const std::vector<float> silence(static_cast<size_t>(blockSize) * channels);
  std::vector<float> discarded(static_cast<size_t>(blockSize) * processor.outputChannels());
  for (int64_t done = 0; done < frames; done += blockSize) {
    const auto n = static_cast<int32_t>(std::min<int64_t>(blockSize, frames - done));
    processor.process(silence.data(), discarded.data(), n);
  }
}

RenderStats renderFrames(FrameSource& source, BlockProcessor& processor, FrameSink& sink,
                         int32_t blockSize, const std::function<void(int64_t)>& progress) {
  const int inChannels = source.channels();
  const int outChannels = processor.outputChannels();
  std::vector<float> input(static_cast<size_t>(blockSize) * inChannels);
  std::vector<float> output(static_cast<size_t>(blockSize) * outChannels);
  RenderStats stats;
  const int64_t total = source.frames();
  while (stats.frames < total) {
    const auto frames = static_cast<int32_t>(std::min<int64_t>(blockSize, total - stats.frames));
    source.read(input.data(), frames);
    processor.process(input.data(), output.data(), frames);
    sink.write(output.data(), frames);
    stats.inputPeak =
        peakOf(input.data(), static_cast<size_t>(frames) * inChannels, stats.inputPeak);
    stats.outputPeak =
        peakOf(output.data(), static_cast<size_t>(frames) * outChannels, stats.outputPeak);
    stats.frames += frames;
    if (progress) progress(stats.frames);
  }
  return stats;
}
