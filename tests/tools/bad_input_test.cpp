// vorra-render given files that are not what they claim: each run ends with one clear line
// naming the file, a non-zero exit, and no file left behind or changed.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tool_run.h"

namespace {

void put(std::string& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

// A 16-bit WAV file of a quiet ramp, with its header's claims given.
std::string wav(uint16_t formatTag, uint16_t channels, uint32_t rate, uint32_t frames) {
  std::string data;
  for (uint32_t i = 0; i < frames * channels; ++i) put(data, i % 4096, 2);
  std::string bytes = "RIFF";
  put(bytes, static_cast<uint32_t>(36 + data.size()), 4);
  bytes += "WAVEfmt ";
  put(bytes, 16, 4);
  put(bytes, formatTag, 2);
  put(bytes, channels, 2);
  put(bytes, rate, 4);
  put(bytes, rate * channels * 2u, 4);
  put(bytes, channels * 2u, 2);
  put(bytes, 16, 2);
  bytes += "data";
  put(bytes, static_cast<uint32_t>(data.size()), 4);
  return bytes + data;
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct BadCase {
  const char* name;
  std::string bytes;
  const char* says;
};

TEST(RenderBadInput, EveryBrokenAudioFileIsRefusedCleanly) {
  const std::string good = wav(1, 2, 44100, 4000);
  std::string junk(3000, '\0');
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 37 + 11);
  const BadCase cases[] = {
      {"empty.wav", "", "as audio"},
      {"header-cut.wav", good.substr(0, 20), "as audio"},
      {"data-cut.wav", good.substr(0, good.size() / 2), "cut short"},
      {"unknown-codec.wav", wav(0x1234, 2, 44100, 4000), "as audio"},
      {"no-channels.wav", wav(1, 0, 44100, 4000), "as audio"},
      {"no-rate.wav", wav(1, 2, 0, 4000), "as audio"},
      {"riff-over-junk.wav", std::string("RIFF\x10\x27\0\0WAVE", 12) + junk, "as audio"},
      {"aiff-over-junk.aiff", std::string("FORM\x10\x27\0\0AIFF", 12) + junk, "as audio"},
      {"junk.flac", junk, "as audio"},
      {"wav-labelled.flac", good.substr(0, good.size() / 3), "cut short"},
  };
  ScratchDir dir;
  writeBytes(dir / "kept.wav", "an earlier render");
  for (const BadCase& c : cases) writeBytes(dir / c.name, c.bytes);
  const std::vector<std::string> before = dir.entries();
  for (const BadCase& c : cases) {
    for (const char* output : {"out.wav", "kept.wav"}) {
      const ToolRun run = runTool({"--plugin", OVERDRIVE_PLUGIN, dir / c.name, dir / output});
      EXPECT_NE(run.exitCode, 0) << c.name;
      EXPECT_EQ(run.out, "") << c.name;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
      EXPECT_NE(run.err.find(c.says), std::string::npos) << c.name << ": " << run.err;
      EXPECT_NE(run.err.find(c.name), std::string::npos) << "the message names the file";
      EXPECT_EQ(dir.entries(), before) << c.name << " left a file";
    }
  }
  EXPECT_EQ(contentOf(dir / "kept.wav"), "an earlier render");
}

// Audio is read by its content: a sound file under another format's extension renders as the
// same file under its own name does.
TEST(RenderBadInput, AWrongExtensionIsReadByContent) {
  ScratchDir dir;
  const std::string good = wav(1, 2, 48000, 3000);
  writeBytes(dir / "right.wav", good);
  writeBytes(dir / "wrong.aiff", good);
  writeBytes(dir / "wrong.flac", good);
  for (const char* name : {"right.wav", "wrong.aiff", "wrong.flac"}) {
    const ToolRun run = runTool({"--plugin", OVERDRIVE_PLUGIN, "--program", "Drive", dir / name,
                                 dir / (std::string(name) + ".out.wav")});
    ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err;
  }
  const Audio right = readAudio(dir / "right.wav.out.wav");
  ASSERT_EQ(right.samples.size(), 2u * 3000);
  EXPECT_EQ(right.sampleRate, 48000);
  EXPECT_EQ(readAudio(dir / "wrong.aiff.out.wav").samples, right.samples);
  EXPECT_EQ(readAudio(dir / "wrong.flac.out.wav").samples, right.samples);
}

TEST(RenderBadInput, APluginPathThatIsNoLibraryIsRefusedCleanly) {
  ScratchDir dir;
  writeBytes(dir / "in.wav", wav(1, 2, 44100, 1000));
  writeBytes(dir / "text.so", "not a library at all");
  writeBytes(dir / "empty.so", "");
  writeBytes(dir / "sound.so", wav(1, 2, 44100, 1000));
  std::filesystem::create_directory(dir / "folder.so");
  const std::vector<std::string> before = dir.entries();
  for (const char* plugin : {"text.so", "empty.so", "sound.so", "folder.so", "in.wav"}) {
    const ToolRun run = runTool({"--plugin", dir / plugin, dir / "in.wav", dir / "out.wav"});
    EXPECT_NE(run.exitCode, 0) << plugin;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("cannot load plug-in '" + dir / plugin + "'"), std::string::npos)
        << run.err;
    EXPECT_EQ(dir.entries(), before) << plugin << " left a file";
  }
}

}  // namespace
