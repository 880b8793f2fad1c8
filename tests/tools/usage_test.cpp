// vorra-render's help, version, usage errors and --info layout, through the program.
#include <gtest/gtest.h>

#include <sstream>

#include "tool_run.h"

namespace {

TEST(RenderUsage, VersionAndHelpShowEveryOptionInTheUsageLines) {
  const ToolRun version = runTool({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "vorra-render 1.0.0\n");

  const ToolRun help = runTool({"--help"});
  ASSERT_EQ(help.exitCode, 0);
  const auto options = help.out.find("Options:");
  const auto usage = help.out.find("Usage:\n", options);
  ASSERT_NE(usage, std::string::npos) << help.out;
  const std::string usageLines = help.out.substr(usage);
  std::istringstream listed(help.out.substr(options, usage - options));
  int count = 0;
  for (std::string line; std::getline(listed, line);) {
    const auto dash = line.find("--");
    if (dash == std::string::npos || line.find_first_not_of(' ') < line.find('-')) continue;
    const std::string option = line.substr(dash, line.find_first_of(" \t", dash) - dash);
    if (option == "--help") continue;
    ++count;
    EXPECT_NE(usageLines.find(option), std::string::npos) << option << " missing in\n" << usageLines;
  }
  EXPECT_GE(count, 14);
  EXPECT_NE(help.out.find("Each --set takes one assignment"), std::string::npos);
  EXPECT_NE(help.out.find("0 to 1"), std::string::npos);
}

TEST(RenderUsage, UsageErrorsSayWhatWasWrongWithWhat) {
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"--set", "PreAmp=0.5", "PostGain=0.2", "in.wav", "out.wav"},
       "'PostGain=0.2' is not a file: each --set takes one assignment, so write --set "
       "PostGain=0.2"},
      {{"--block", "abc", "in.wav", "out.wav"}, "--block: 'abc' is not a number of frames"},
      {{"--block", "0", "in.wav", "out.wav"}, "--block: '0' is not a number of frames from 1"},
      {{"--preroll", "-1", "in.wav", "out.wav"}, "--preroll: '-1' is not a number of seconds"},
      {{"in.wav", "out.wav", "extra.wav"}, "too many files: 'extra.wav'"},
  };
  for (const auto& c : cases) {
    const ToolRun run = runTool(c.args);
    EXPECT_EQ(run.exitCode, 2) << c.says;
    EXPECT_EQ(run.err.find(std::string("vorra-render: ") + c.says), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

// The layout test plug-in's texts are longer than the usual columns, and one flag bit has no
// name in the interface.
TEST(RenderUsage, InfoColumnsStayAlignedAndEveryFlagIsNamed) {
  const ToolRun run = runTool({"--info", "--plugin", LAYOUT_PLUGIN_DIR "/layout_2x1.so"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("flags 1048848 (replacing, synth, bit 20)"), std::string::npos)
      << run.out;
  const auto level = run.out.find("    0  Level");
  const auto width = run.out.find("    1  Width of the image as wide as it gets degrees of arc");
  ASSERT_NE(level, std::string::npos) << run.out;
  ASSERT_NE(width, std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("value", level) - level, run.out.find("value", width) - width)
      << run.out;
}

}  // namespace
