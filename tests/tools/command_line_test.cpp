// The three ways to call the tool, and the usage errors that stop it before any work.
#include "tools/render/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

ParsedCommandLine parse(std::vector<const char*> args) {
  args.insert(args.begin(), "vorra-render");
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  ParsedCommandLine parsed = parseCommandLine(static_cast<int>(args.size()), args.data());
  testing::internal::GetCapturedStdout();
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), parsed.exitCode == 0 ? 0 : 1) << errors;
  return parsed;
}

TEST(CommandLine, RenderTakesEveryOption) {
  const ParsedCommandLine parsed = parse(
      {"--plugin", "p.so", "--program", "Drive", "--set", "PreAmp=0.5", "--set", "3=1", "--block",
       "64", "--mode", "accumulating", "--format", "pcm16", "--quiet", "in.wav", "out.flac"});
  ASSERT_TRUE(parsed.options);
  const RenderOptions& o = *parsed.options;
  EXPECT_EQ(o.plugin, "p.so");
  EXPECT_EQ(o.program, "Drive");
  EXPECT_EQ(o.settings, (std::vector<std::string>{"PreAmp=0.5", "3=1"}));
  EXPECT_EQ(o.blockSize, 64);
  EXPECT_EQ(o.mode, "accumulating");
  EXPECT_EQ(o.format, "pcm16");
  EXPECT_TRUE(o.quiet);
  EXPECT_EQ(o.input, "in.wav");
  EXPECT_EQ(o.output, "out.flac");
}

TEST(CommandLine, DefaultsAreTheOverdriveBesideTheProgramAndBlocksOf512) {
  const ParsedCommandLine parsed = parse({"in.wav", "out.wav"});
  ASSERT_TRUE(parsed.options);
  EXPECT_EQ(parsed.options->blockSize, 512);
  EXPECT_EQ(parsed.options->plugin, defaultPluginPath());
  EXPECT_NE(defaultPluginPath().find("/Vorra OverDrive.so"), std::string::npos);
  EXPECT_TRUE(parsed.options->mode.empty());
}

TEST(CommandLine, FilesMayFollowASetting) {
  const ParsedCommandLine parsed = parse({"--set", "PreAmp=1", "in.wav", "out.wav"});
  ASSERT_TRUE(parsed.options);
  EXPECT_EQ(parsed.options->settings, std::vector<std::string>{"PreAmp=1"});
  EXPECT_EQ(parsed.options->input, "in.wav");
  EXPECT_EQ(parsed.options->output, "out.wav");
}

TEST(CommandLine, InfoAndDemoNeedNoInput) {
  const ParsedCommandLine info = parse({"--info", "--plugin", "p.so", "--program", "1"});
  ASSERT_TRUE(info.options);
  EXPECT_TRUE(info.options->info);
  const ParsedCommandLine demo = parse({"--demo", "riff.wav", "--dry"});
  ASSERT_TRUE(demo.options);
  EXPECT_EQ(demo.options->demoOutput, "riff.wav");
  EXPECT_TRUE(demo.options->dry);
}

TEST(CommandLine, HelpRunsNothingAndUsageErrorsAreOneLineWithExitCode2) {
  const ParsedCommandLine help = parse({"--help"});
  EXPECT_FALSE(help.options);
  EXPECT_EQ(help.exitCode, 0);

  const std::vector<std::vector<const char*>> bad = {
      {"in.wav"},
      {},
      {"--block", "0", "in.wav", "out.wav"},
      {"--block", "many", "in.wav", "out.wav"},
      {"--mode", "sideways", "in.wav", "out.wav"},
      {"--format", "mp3", "in.wav", "out.wav"},
      {"--demo", "riff.wav", "in.wav"},
      {"--info", "in.wav"},
      {"--dry", "--program", "Drive", "in.wav", "out.wav"},
      {"--bogus", "in.wav", "out.wav"},
      {"a", "b", "c"},
  };
  for (const auto& args : bad) {
    const ParsedCommandLine parsed = parse(args);
    EXPECT_FALSE(parsed.options) << (args.empty() ? "(none)" : args[0]);
    EXPECT_EQ(parsed.exitCode, 2);
  }
}

}  // namespace
