// Where vorra-render writes, through the program: a directory is refused before any rendering,
// a symbolic link's target is written and the link kept, and every failure with a file says
// the system's reason.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "tool_run.h"

namespace fs = std::filesystem;

namespace {

class RenderOutputPath : public testing::Test {
 protected:
  void SetUp() override { writeAudio(dir / "in.wav", testSignal(2, 500)); }

  ToolRun render(const std::string& input, const std::string& output) {
    return runTool({"--plugin", MONO_GAIN_PLUGIN, input, output});
  }

  ScratchDir dir;
};

TEST_F(RenderOutputPath, ADirectoryIsRefusedBeforeRendering) {
  fs::create_directory(dir / "out.wav");
  const ToolRun run = render(dir / "in.wav", dir / "out.wav");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "") << "nothing was rendered";
  EXPECT_EQ(run.err, "vorra-render: output '" + dir / "out.wav" + "' is a directory\n");
  EXPECT_TRUE(fs::is_empty(dir / "out.wav"));
  EXPECT_EQ(dir.entries().size(), 2u) << "no temporary file left";
}

TEST_F(RenderOutputPath, ALinkIsFollowedAndKept) {
  std::ofstream(dir / "take.wav") << "an earlier render";
  fs::create_directory(dir / "renders");
  const struct {
    const char* link;
    const char* pointsTo;  // relative to the link's folder
    const char* written;
  } cases[] = {
      {"latest.wav", "take.wav", "take.wav"},
      {"renders/next.wav", "../new.wav", "new.wav"},  // a target that does not exist yet
      {"chain.wav", "latest.wav", "take.wav"},
  };
  for (const auto& c : cases) {
    fs::create_symlink(c.pointsTo, dir / c.link);
    const ToolRun run = render(dir / "in.wav", dir / c.link);
    ASSERT_EQ(run.exitCode, 0) << c.link << ": " << run.err;
    EXPECT_TRUE(fs::is_symlink(dir / c.link)) << c.link;
    EXPECT_EQ(fs::read_symlink(dir / c.link), c.pointsTo);
    EXPECT_EQ(readAudio(dir / c.written).samples.size(), 1000u) << c.written;
  }
}

TEST_F(RenderOutputPath, FileErrorsSayTheSystemsReason) {
  std::ofstream(dir / "plain.txt") << "a file, not a folder";
  std::ofstream(dir / "locked.wav") << "unreadable";
  fs::permissions(dir / "locked.wav", fs::perms::none);
  fs::create_directory(dir / "folder.wav");
  const struct {
    std::string input, output;
    std::string says;
  } cases[] = {
      {dir / "in.wav", dir / "missing/out.wav",
       "cannot create a file beside '" + dir / "missing/out.wav" + "': No such file or directory"},
      {dir / "in.wav", dir / "plain.txt/out.wav", "': Not a directory"},
      {dir / "folder.wav", dir / "out.wav", "input '" + dir / "folder.wav" + "' is a directory"},
      {dir / "locked.wav", dir / "out.wav", "cannot read '" + dir / "locked.wav" + "': Permission denied"},
  };
  const std::vector<std::string> before = dir.entries();
  for (const auto& c : cases) {
    if (geteuid() == 0 && c.input == dir / "locked.wav") continue;  // root reads every file
    const ToolRun run = render(c.input, c.output);
    EXPECT_EQ(run.exitCode, 1) << c.says;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(dir.entries(), before) << c.says;
  }
}

// A full and then a read-only file system, where this process may mount a small one.
TEST_F(RenderOutputPath, AFullOrReadOnlyFileSystemIsNamed) {
  fs::create_directory(dir / "small");
  if (mount("tmpfs", (dir / "small").c_str(), "tmpfs", 0, "size=16k") != 0) {
    GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
  }
  struct Unmount {
    std::string path;
    ~Unmount() { umount(path.c_str()); }
  } unmount{dir / "small"};
  writeAudio(dir / "long.wav", testSignal(2, 20000));
  for (const char* format : {"float", "pcm16"}) {
    const ToolRun run = runTool({"--plugin", MONO_GAIN_PLUGIN, "--format", format, dir / "long.wav",
                                 dir / "small/out.wav"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
    EXPECT_TRUE(fs::is_empty(dir / "small")) << format;
  }
  ASSERT_EQ(mount("tmpfs", (dir / "small").c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
  const ToolRun run = render(dir / "in.wav", dir / "small/out.wav");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("': Read-only file system"), std::string::npos) << run.err;
}

}  // namespace
