// The block loop: frames from a source, through a processor, into a sink. Samples are
// interleaved frames everywhere outside the plug-in; the processor does any other layout.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class FrameSource {
 public:
  virtual ~FrameSource() = default;
  virtual int channels() const = 0;
  virtual double sampleRate() const = 0;
  virtual int64_t frames() const = 0;
  // Fills `interleaved` with exactly `count` frames, or throws.
  virtual void read(float* interleaved, int64_t count) = 0;
};

class FrameSink {
 public:
  virtual ~FrameSink() = default;
  virtual void write(const float* interleaved, int64_t count) = 0;
};

class BlockProcessor {
 public:
  virtual ~BlockProcessor() = default;
  virtual int outputChannels() const = 0;
  // `input` holds the source's channels; `frames` never exceeds the loop's block size.
  virtual void process(const float* input, float* output, int32_t frames) = 0;
};

// Frames held in memory, as the demo signal and tests provide them.
class BufferSource : public FrameSource {
 public:
  BufferSource(std::vector<float> interleaved, int channels, double sampleRate);
  int channels() const override { return channels_; }
  double sampleRate() const override { return sampleRate_; }
  int64_t frames() const override;
  void read(float* interleaved, int64_t count) override;

 private:
  std::vector<float> samples_;
  int channels_;
  double sampleRate_;
  size_t position_ = 0;
};

// The dry path: the source's channels unchanged.
class PassThrough : public BlockProcessor {
 public:
  explicit PassThrough(int channels) : channels_(channels) {}
  int outputChannels() const override { return channels_; }
  void process(const float* input, float* output, int32_t frames) override;

 private:
  int channels_;
};

struct RenderStats {
  int64_t prerollFrames = 0;  // silence processed before the first frame, its output discarded
  int64_t frames = 0;
  float inputPeak = 0.0f;   // largest magnitude over all input samples
  float outputPeak = 0.0f;  // and over all output samples
};

// Runs `frames` frames of silence of `channels` channels through `processor`, in blocks of
// `blockSize`, and discards what comes out.
void runSilence(BlockProcessor& processor, int channels, int64_t frames, int32_t blockSize);

// `progress` is told the number of frames done after every block.
RenderStats renderFrames(FrameSource& source, BlockProcessor& processor, FrameSink& sink,
                         int32_t blockSize, const std::function<void(int64_t)>& progress);
