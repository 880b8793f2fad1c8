// Reading whole files, refusing broken ones, and writing through a temporary file.
#include "tools/render/audio_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "audio_fixture.h"

namespace {

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void truncate(const std::string& path, size_t keep) {
  const std::string bytes = contentOf(path).substr(0, keep);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(AudioFile, CommittedFloatFileReadsBackExactly) {
  ScratchDir dir;
  const Audio audio = testSignal(2, 1000, 48000);
  {
    AudioWriter writer(dir / "out.wav", outputFormatFor("out.wav", "", 2), 2, 48000);
    writer.write(audio.samples.data(), 600);
    writer.write(audio.samples.data() + 1200, 400);
    writer.commit();
  }
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.wav"});
  AudioReader reader(dir / "out.wav");
  ASSERT_EQ(reader.channels(), 2);
  EXPECT_EQ(reader.sampleRate(), 48000);
  ASSERT_EQ(reader.frames(), 1000);
  std::vector<float> back(2000);
  reader.read(back.data(), 1000);
  EXPECT_EQ(back, audio.samples);
}

TEST(AudioFile, UncommittedWriterLeavesNothingAndClobbersNothing) {
  ScratchDir dir;
  std::ofstream(dir / "old.wav") << "keep me";
  {
    AudioWriter fresh(dir / "new.wav", outputFormatFor("new.wav", "", 1), 1, 44100);
    AudioWriter over(dir / "old.wav", outputFormatFor("old.wav", "", 1), 1, 44100);
    const float sample = 0.5f;
    over.write(&sample, 1);
    EXPECT_EQ(dir.entries().size(), 3u) << "two temporary files beside the old one";
  }
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"old.wav"});
  EXPECT_EQ(contentOf(dir / "old.wav"), "keep me");
}

TEST(AudioFile, BrokenInputsAreRefused) {
  ScratchDir dir;
  EXPECT_THROW(AudioReader(dir / "missing.wav"), std::runtime_error);
  std::ofstream(dir / "text.wav") << "not audio at all";
  EXPECT_THROW(AudioReader(dir / "text.wav"), std::runtime_error);

  const Audio audio = testSignal(2, 1000);
  writeAudio(dir / "short.wav", audio);
  writeAudio(dir / "short.aiff", audio, SF_FORMAT_AIFF | SF_FORMAT_FLOAT);
  truncate(dir / "short.wav", 5000);
  truncate(dir / "short.aiff", 5000);
  EXPECT_THROW(AudioReader(dir / "short.wav"), std::runtime_error);
  EXPECT_THROW(AudioReader(dir / "short.aiff"), std::runtime_error);

  // FLAC declares its length in the stream header; the shortfall shows when reading.
  writeAudio(dir / "short.flac", audio, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
  truncate(dir / "short.flac", 2000);
  AudioReader flac(dir / "short.flac");
  std::vector<float> samples(2000);
  EXPECT_THROW(flac.read(samples.data(), 1000), std::runtime_error);
}

TEST(AudioFile, OutputFormatFollowsTheExtension) {
  EXPECT_EQ(outputFormatFor("a.wav", "", 2), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
  EXPECT_EQ(outputFormatFor("A.AIFF", "pcm16", 2), SF_FORMAT_AIFF | SF_FORMAT_PCM_16);
  EXPECT_EQ(outputFormatFor("a.aif", "double", 1), SF_FORMAT_AIFF | SF_FORMAT_DOUBLE);
  EXPECT_EQ(outputFormatFor("a.flac", "", 2), SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
  EXPECT_THROW(outputFormatFor("a.flac", "float", 2), std::runtime_error);
  EXPECT_THROW(outputFormatFor("a.mp3", "", 2), std::runtime_error);
  EXPECT_THROW(outputFormatFor("noextension", "", 2), std::runtime_error);
}

}  // namespace
