// vorra-render run as a program: its output against the plug-in driven directly, its --info
// texts, its refusals, and a Debian peer plug-in hosted through it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "audio_fixture.h"
#include "tool_run.h"
#include "tools/hosting/host_callback.h"
#include "tools/hosting/host_session.h"
#include "tools/hosting/plugin_library.h"
#include "vst2/aeffect.h"

namespace {

// The plug-in at `path` loaded into this process and driven by hand.
struct DirectPlugin {
  explicit DirectPlugin(const char* path)
      : library(path), session(library.instantiate(answeringHost<>)) {}

  // processReplacing of stereo frames (mono feeds both inputs) in blocks of `block`, after
  // `preroll` frames of silence in blocks of `block`.
  std::vector<float> render(const Audio& audio, int32_t block, int64_t preroll) {
    session.start(static_cast<float>(audio.sampleRate), block);
    for (int64_t done = 0; done < preroll; done += block) {
      const auto n = static_cast<int32_t>(std::min<int64_t>(block, preroll - done));
      std::vector<float> silence(n), sink(n);
      float* inputs[2] = {silence.data(), silence.data()};
      float* outputs[2] = {sink.data(), sink.data()};
      session.processReplacing(inputs, outputs, n);
    }
    const size_t frames = audio.samples.size() / audio.channels;
    std::vector<float> out;
    for (size_t start = 0; start < frames; start += block) {
      const size_t n = std::min<size_t>(block, frames - start);
      std::vector<float> inL(n), inR(n), outL(n), outR(n);
      for (size_t f = 0; f < n; ++f) {
        inL[f] = audio.samples[(start + f) * audio.channels];
        inR[f] = audio.samples[(start + f) * audio.channels + audio.channels - 1];
      }
      float* inputs[2] = {inL.data(), inR.data()};
      float* outputs[2] = {outL.data(), outR.data()};
      session.processReplacing(inputs, outputs, static_cast<int32_t>(n));
      for (size_t f = 0; f < n; ++f) out.insert(out.end(), {outL[f], outR[f]});
    }
    session.stop();
    return out;
  }

  PluginLibrary library;
  HostSession session;
};

TEST(RenderTool, FloatWavIsTheReplacingOutputBitForBit) {
  ScratchDir dir;
  const Audio input = testSignal(2, 3000, 48000);
  writeAudio(dir / "in.wav", input);
  const ToolRun run = runTool({"--plugin", OVERDRIVE_PLUGIN, "--program", "Drive", "--block", "128",
                               dir / "in.wav", dir / "out.wav"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("out.wav: 3000 frames, 0.062 s"), std::string::npos) << run.out;

  DirectPlugin plugin(OVERDRIVE_PLUGIN);
  plugin.session.setProgram(2);
  const int64_t preroll = prerollIn(run.out);
  EXPECT_GT(preroll, 0);
  const std::vector<float> expected = plugin.render(input, 128, preroll);
  const Audio output = readAudio(dir / "out.wav");
  EXPECT_EQ(output.channels, 2);
  EXPECT_EQ(output.sampleRate, 48000);
  ASSERT_EQ(output.samples.size(), expected.size());
  EXPECT_EQ(0, std::memcmp(output.samples.data(), expected.data(), expected.size() * 4));
  EXPECT_NE(output.samples, input.samples) << "the drive program changes the sound";
}

TEST(RenderTool, MonoInputBecomesStereoThroughBothInputs) {
  ScratchDir dir;
  const Audio input = testSignal(1, 2000);
  writeAudio(dir / "in.aiff", input, SF_FORMAT_AIFF | SF_FORMAT_FLOAT);
  const ToolRun run = runTool({"--plugin", OVERDRIVE_PLUGIN, "--program", "Boost", "--quiet",
                               "--preroll", "0.25", dir / "in.aiff", dir / "out.wav"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  DirectPlugin plugin(OVERDRIVE_PLUGIN);
  plugin.session.setProgram(1);
  const Audio output = readAudio(dir / "out.wav");
  EXPECT_EQ(output.channels, 2);
  EXPECT_EQ(run.out, "") << "--quiet prints no summary";
  EXPECT_EQ(output.samples, plugin.render(input, 512, 11025));
}

TEST(RenderTool, InfoShowsTheSelectedProgramAndSettings) {
  ScratchDir dir;
  const ToolRun reset = runTool({"--info", "--plugin", OVERDRIVE_PLUGIN});
  ASSERT_EQ(reset.exitCode, 0) << reset.err;
  for (const char* text :
       {"unique id  ZRVQ", "2 in, 2 out", "parameters 6", "PreBand", "Color", "PreAmp", "x 100",
        "PostFilter", "PostGain", "programs   3, current 0", "0  Reset", "1  Boost", "2  Drive"}) {
    EXPECT_NE(reset.out.find(text), std::string::npos) << text << "\n" << reset.out;
  }
  const ToolRun drive = runTool({"--info", "--plugin", OVERDRIVE_PLUGIN, "--program", "drive",
                                 "--set", "PreAmp=0.25", "--set", "5=0.125"});
  ASSERT_EQ(drive.exitCode, 0) << drive.err;
  EXPECT_NE(drive.out.find("current 2"), std::string::npos);

  DirectPlugin plugin(OVERDRIVE_PLUGIN);
  plugin.session.setProgram(2);
  plugin.session.setParameter(2, 0.25f);
  plugin.session.setParameter(5, 0.125f);
  for (int32_t i = 0; i < 6; ++i) {
    std::string display = plugin.session.parameterDisplay(i);
    display = display.substr(display.find_first_not_of(' '));
    display = display.substr(0, display.find_last_not_of(' ') + 1);
    EXPECT_NE(drive.out.find(" " + display + " "), std::string::npos) << i << "\n" << drive.out;
  }
  EXPECT_NE(reset.out, drive.out);
}

TEST(RenderTool, BadInputIsOneLineANonZeroExitAndNoOutput) {
  ScratchDir dir;
  const Audio input = testSignal(2, 1000);
  writeAudio(dir / "in.wav", input);
  writeAudio(dir / "short.wav", input);
  std::filesystem::resize_file(dir / "short.wav", 5000);
  writeAudio(dir / "short.flac", input, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
  std::filesystem::resize_file(dir / "short.flac", 1500);
  std::ofstream(dir / "text.wav") << "this is not audio";
  std::ofstream(dir / "kept.wav") << "an earlier render";
  const std::string overdrive = OVERDRIVE_PLUGIN;
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{dir / "missing.wav", dir / "out.wav"}, "not found"},
      {{dir / "text.wav", dir / "out.wav"}, "as audio"},
      {{dir / "short.wav", dir / "out.wav"}, "cut short"},
      {{dir / "short.flac", dir / "kept.wav"}, "cut short"},
      {{"--plugin", NO_ENTRY_LIBRARY, dir / "in.wav", dir / "out.wav"}, "not a VST plug-in"},
      {{"--plugin", NULL_ENTRY_LIBRARY, dir / "in.wav", dir / "kept.wav"}, "answered null"},
      {{"--plugin", dir / "none.so", dir / "in.wav", dir / "out.wav"}, "not found"},
      {{"--plugin", overdrive, "--program", "Fuzz", dir / "in.wav", dir / "out.wav"},
       "unknown program 'Fuzz'"},
      {{"--plugin", overdrive, "--set", "Volume=1", dir / "in.wav", dir / "out.wav"},
       "unknown parameter 'Volume'"},
      {{"--plugin", overdrive, "--set", "PreAmp=loud", dir / "in.wav", dir / "kept.wav"},
       "is not a number"},
      {{"--plugin", overdrive, "--set", "PreAmp=1.5", dir / "in.wav", dir / "out.wav"},
       "value '1.5' for PreAmp is outside 0 to 1"},
      {{"--plugin", overdrive, "--set", "PreAmp=-1", dir / "in.wav", dir / "kept.wav"},
       "value '-1' for PreAmp is outside 0 to 1"},
      {{"--plugin", overdrive, "--set", "PreAmp=1e30", dir / "in.wav", dir / "out.wav"},
       "value '1e30' for PreAmp is outside 0 to 1"},
      {{"--plugin", overdrive, dir / "in.wav", dir / "in.wav"}, "is the input"},
      {{"--plugin", overdrive, dir / "in.wav", dir / "out.mp3"}, "unknown extension"},
  };
  const std::vector<std::string> before = dir.entries();
  for (const auto& c : cases) {
    const ToolRun run = runTool(c.args);
    EXPECT_NE(run.exitCode, 0) << c.says;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(dir.entries(), before) << c.says;
  }
  EXPECT_EQ(contentOf(dir / "kept.wav"), "an earlier render");
  EXPECT_EQ(readAudio(dir / "in.wav").samples, input.samples);
}

TEST(RenderTool, InterruptedRenderLeavesNoFile) {
  ScratchDir dir;
  writeAudio(dir / "long.wav", testSignal(1, 60 * 44100));
  const pid_t child = fork();
  if (child == 0) {
    execl(VORRA_RENDER, VORRA_RENDER, "--quiet", "--plugin", PEER_PLUGIN_DIR "/ZamTube-vst.so",
          (dir / "long.wav").c_str(), (dir / "out.wav").c_str(), nullptr);
    _exit(127);
  }
  // Wait until the temporary file exists, then stop the render.
  auto writing = [&] { return dir.entries().size() > 1; };
  for (int i = 0; i < 5000 && !writing(); ++i) usleep(2000);
  ASSERT_TRUE(writing());
  kill(child, SIGTERM);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "finished before the signal";
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"long.wav"});
}

TEST(RenderTool, DemoDryIsTheRiffAtTheDemoRate) {
  ScratchDir dir;
  const ToolRun run = runTool({"--demo", dir / "riff.wav", "--dry"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Audio riff = readAudio(dir / "riff.wav");
  EXPECT_EQ(riff.channels, 2);
  EXPECT_EQ(riff.sampleRate, 44100);
  EXPECT_GT(riff.samples.size(), 8u * 44100);
  EXPECT_NE(run.out.find("peak in -6.02 dBFS, out -6.02 dBFS"), std::string::npos) << run.out;
}

// --info on a peer shows what the peer's own record and dispatcher answer.
TEST(RenderToolWithAPeer, InfoShowsWhatThePeerAnswers) {
  const char* const peer = PEER_PLUGIN_DIR "/ZamTube-vst.so";
  const ToolRun run = runTool({"--info", "--plugin", peer});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  DirectPlugin plugin(peer);
  const AEffect& record = plugin.session.record();
  std::vector<std::string> texts = plugin.session.parameterNames();
  ASSERT_FALSE(texts.empty());
  for (const std::string& name : plugin.session.programNames()) texts.push_back(name);
  texts.push_back(std::to_string(record.numInputs) + " in, " + std::to_string(record.numOutputs) +
                  " out");
  texts.push_back("parameters " + std::to_string(record.numParams));
  for (const std::string& text : texts)
    EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
}

// A mono peer with memory (an echo) runs one instance per channel: each channel of a stereo
// render is the render of that channel alone, and no click echoes in the other channel.
TEST(RenderToolWithAPeer, EachChannelOfAMonoPeerIsRenderedAlone) {
  ScratchDir dir;
  Audio clicks{2, 48000, std::vector<float>(2 * 48000)};
  clicks.samples[0] = 0.5f;             // left click at 0 ms
  clicks.samples[2 * 4800 + 1] = 0.5f;  // right click at 100 ms
  writeAudio(dir / "clicks.wav", clicks);
  Audio channels[2] = {{1, 48000, {}}, {1, 48000, {}}};
  for (size_t i = 0; i < clicks.samples.size(); ++i)
    channels[i % 2].samples.push_back(clicks.samples[i]);
  auto render = [&](const std::string& input, const std::string& output) {
    const ToolRun run = runTool({"--quiet", "--plugin", PEER_PLUGIN_DIR "/ZamDelay-vst.so", "--set",
                                 "Feedback=0", dir / input, dir / output});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return readAudio(dir / output);
  };
  const Audio echo = render("clicks.wav", "echo.wav");
  ASSERT_EQ(echo.samples.size(), clicks.samples.size());
  EXPECT_NE(echo.samples, clicks.samples) << "the peer changes the sound";
  for (int c = 0; c < 2; ++c) {
    SCOPED_TRACE("channel " + std::to_string(c));
    const std::string name = c == 0 ? "left" : "right";
    writeAudio(dir / (name + ".wav"), channels[c]);
    const Audio alone = render(name + ".wav", name + "-echo.wav");
    ASSERT_EQ(alone.samples.size(), channels[c].samples.size());
    const size_t click = c == 0 ? 0 : 4800;
    float loudestAfter = 0.0f;
    for (size_t f = click + 10; f < alone.samples.size(); ++f)
      loudestAfter = std::max(loudestAfter, std::fabs(alone.samples[f]));
    EXPECT_GT(loudestAfter, 0.05f) << "an echo of the click";
    for (size_t f = 0; f < alone.samples.size(); ++f)
      ASSERT_EQ(echo.samples[2 * f + c], alone.samples[f]) << "frame " << f;
  }
}

}  // namespace
