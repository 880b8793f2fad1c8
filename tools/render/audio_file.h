// Audio files through libsndfile. Reading checks that the file is whole; writing goes to a
// temporary file beside the target, renamed over it only by commit(), so a failed or interrupted
// (SIGINT, SIGTERM, SIGHUP) render leaves neither a truncated file nor a clobbered one.
#pragma once

#include <sndfile.h>

#include <optional>
#include <string>
#include <vector>

#include "tools/render/float_wav_file.h"
#include "tools/render/render_loop.h"
#include "tools/render/sample_quantizer.h"

class AudioReader : public FrameSource {
 public:
  // Throws std::runtime_error for a missing, unreadable, non-audio or cut-short file.
  explicit AudioReader(const std::string& path);
  ~AudioReader() override;

  AudioReader(const AudioReader&) = delete;
  AudioReader& operator=(const AudioReader&) = delete;

  int channels() const override { return info_.channels; }
  double sampleRate() const override { return info_.samplerate; }
  int64_t frames() const override { return info_.frames; }
  void read(float* interleaved, int64_t count) override;

 private:
  std::string path_;
  SF_INFO info_{};
  SNDFILE* file_ = nullptr;
  int64_t position_ = 0;
};

// The libsndfile format for `path`: the container from its extension (.wav, .aif/.aiff,
// .flac) and the sample format from `sampleFormat` (float, double, pcm16, pcm24, pcm32; empty
// for the container's default: float, or pcm24 for FLAC). Throws for what cannot be written.
int outputFormatFor(const std::string& path, const std::string& sampleFormat, int channels);

// Integer samples are rounded to nearest, with TPDF dither for 16-bit samples when `dither`
// (see SampleQuantizer). The file holds no time stamp, so identical renders are identical files.
// Float WAV files are written by FloatWavFile, the rest by libsndfile.
class AudioWriter : public FrameSink {
 public:
  AudioWriter(const std::string& path, int format, int channels, int sampleRate,
              bool dither = true);
  // Without a commit, the temporary file is removed.
  ~AudioWriter() override;

  AudioWriter(const AudioWriter&) = delete;
  AudioWriter& operator=(const AudioWriter&) = delete;

  void write(const float* interleaved, int64_t count) override;
  // Closes the file and renames it to the target.
  void commit();

 private:
  std::string path_;
  std::string temporaryPath_;
  SNDFILE* file_ = nullptr;
  std::optional<FloatWavFile> floatWav_;
  int channels_;
  std::optional<SampleQuantizer> quantizer_;  // for integer formats
  std::vector<int32_t> integers_;
};
