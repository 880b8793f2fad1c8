// The launcher's logic on a scripted platform: shell first, then the program registered for
// ".htm" files; the module directory and the documentation path.
#include "editor/launcher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "editor/command_line.h"
#include "editor/module_directory.h"

namespace {

class ScriptedPlatform : public LaunchPlatform {
 public:
  intptr_t shellOpen(const char* target, int32_t showCommand) override {
    calls.push_back("shell " + std::string(target) + " " + std::to_string(showCommand));
    return shellAnswer;
  }
  bool readClassesRootDefault(const char* key, char* value, size_t size) override {
    calls.push_back("read " + std::string(key));
    EXPECT_EQ(size, kRegistryValueSize);
    const auto entry = registry.find(key);
    if (entry == registry.end() || entry->second.size() >= size) return false;
    std::strcpy(value, entry->second.c_str());
    return true;
  }
  uint32_t startProgram(const char* commandLine, int32_t showCommand) override {
    calls.push_back("start " + std::string(commandLine) + " " + std::to_string(showCommand));
    return startAnswer;
  }

  void registerCommand(const std::string& command) {
    registry[".htm"] = "htmlfile";
    registry["htmlfile\\shell\\open\\command"] = command;
  }

  intptr_t shellAnswer = 2;
  uint32_t startAnswer = 33;
  std::map<std::string, std::string> registry;
  std::vector<std::string> calls;
};

TEST(Launcher, ShellSuccessReadsNoRegistryAndStartsNothing) {
  ScriptedPlatform platform;
  platform.registerCommand("viewer.exe %1");
  platform.shellAnswer = 33;
  EXPECT_EQ(launchTarget(platform, "C:\\doc.htm", 5), 1);
  EXPECT_EQ(platform.calls, std::vector<std::string>{"shell C:\\doc.htm 5"});
}

TEST(Launcher, ShellAnswersUpTo32FallBackToTheRegisteredProgram) {
  for (intptr_t answer : {32, 31, 2, 0, -5}) {
    ScriptedPlatform platform;
    platform.registerCommand("\"C:\\viewer.exe\" \"%1\"");
    platform.shellAnswer = answer;
    EXPECT_EQ(launchTarget(platform, "C:\\doc.htm", 5), 1) << answer;
    const std::vector<std::string> expected = {"shell C:\\doc.htm 5", "read .htm",
                                               "read htmlfile\\shell\\open\\command",
                                               "start \"C:\\viewer.exe\"  C:\\doc.htm 5"};
    EXPECT_EQ(platform.calls, expected) << "two spaces: the one before the placeholder stays";
  }
}

TEST(Launcher, ProgramStartAnswersAbove31CountAsStarted) {
  const std::pair<uint32_t, int32_t> cases[] = {{32, 1}, {31, 0}, {0, 0}, {2, 0}, {1000, 1}};
  for (auto [answer, result] : cases) {
    ScriptedPlatform platform;
    platform.registerCommand("viewer.exe");
    platform.startAnswer = answer;
    EXPECT_EQ(launchTarget(platform, "a.htm", 1), result) << answer;
  }
}

TEST(Launcher, NothingStartsWithoutReadableRegistryValues) {
  ScriptedPlatform noClass;
  EXPECT_EQ(launchTarget(noClass, "a.htm", 5), 0);
  EXPECT_EQ(noClass.calls.size(), 2u);

  ScriptedPlatform noCommand;
  noCommand.registry[".htm"] = "htmlfile";
  EXPECT_EQ(launchTarget(noCommand, "a.htm", 5), 0);
  EXPECT_EQ(noCommand.calls.back(), "read htmlfile\\shell\\open\\command");

  ScriptedPlatform emptyClass;
  emptyClass.registry[".htm"] = "";
  emptyClass.registry["\\shell\\open\\command"] = "viewer.exe";
  EXPECT_EQ(launchTarget(emptyClass, "a.htm", 5), 0) << "an empty class name names nothing";

  ScriptedPlatform emptyCommand;
  emptyCommand.registerCommand("");
  EXPECT_EQ(launchTarget(emptyCommand, "a.htm", 5), 0);

  ScriptedPlatform tooLong;
  tooLong.registerCommand(std::string(kRegistryValueSize, 'x'));
  EXPECT_EQ(launchTarget(tooLong, "a.htm", 5), 0) << "a value longer than the buffer";
  for (const auto* platform : {&noClass, &noCommand, &emptyClass, &emptyCommand, &tooLong}) {
    for (const std::string& call : platform->calls) EXPECT_NE(call.rfind("start", 0), 0u) << call;
  }
}

TEST(Launcher, ACommandLineThatDoesNotFitStartsNothing) {
  // A longest documentation path: 497 characters of directory, a backslash, the file name.
  const std::string target = "C:" + std::string(495, 'd') + "\\VorraOverDrive.htm";
  ASSERT_EQ(target.size(), 516u);
  ScriptedPlatform fits;
  fits.registerCommand(std::string(2, 'v'));  // 2 + space + 516 + terminator = 520
  EXPECT_EQ(launchTarget(fits, target.c_str(), 5), 1);
  EXPECT_EQ(fits.calls.back(), "start vv " + target + " 5");

  ScriptedPlatform tooLong;
  tooLong.registerCommand(std::string(3, 'v'));
  EXPECT_EQ(launchTarget(tooLong, target.c_str(), 5), 0);
  EXPECT_EQ(tooLong.calls.back().rfind("read", 0), 0u);
}

TEST(CommandLine, PlaceholderSearchPrefersTheQuotedOne) {
  const std::pair<const char*, std::string> cases[] = {
      {"\"C:\\v.exe\" \"%1\"", "\"C:\\v.exe\" "},
      {"v.exe \"%1\" /x", "v.exe "},
      {"v.exe %1 /new /x", "v.exe "},
      {"v.exe %1 \"%1\"", "v.exe %1 "},
      {"v.exe /x", "v.exe /x"},
      {"v.exe %2", "v.exe %2"},
      {"", ""},
  };
  for (const auto& [registered, kept] : cases) {
    EXPECT_EQ(std::string(registered, placeholderCut(registered)), kept) << registered;
  }
}

TEST(CommandLine, TargetsWithSpacesAreQuoted) {
  char out[kCommandLineSize];
  ASSERT_TRUE(composeCommandLine("v.exe %1 /x", "C:\\Program Files\\Vorra\\VorraOverDrive.htm", out,
                                 sizeof out));
  EXPECT_STREQ(out, "v.exe  \"C:\\Program Files\\Vorra\\VorraOverDrive.htm\"");
  ASSERT_TRUE(composeCommandLine("v.exe", "http://www.example.org", out, sizeof out));
  EXPECT_STREQ(out, "v.exe http://www.example.org");
}

TEST(CommandLine, NeverWritesPastItsBuffer) {
  char out[16];
  std::memset(out, '#', sizeof out);
  ASSERT_TRUE(composeCommandLine("abcd", "0123456789", out, 16));  // 15 characters
  EXPECT_STREQ(out, "abcd 0123456789");
  char guarded[20];
  std::memset(guarded, '#', sizeof guarded);
  EXPECT_FALSE(composeCommandLine("abcde", "0123456789", guarded, 16));
  EXPECT_EQ(guarded[0], '\0');
  for (size_t i = 16; i < sizeof guarded; ++i) EXPECT_EQ(guarded[i], '#') << i;
  EXPECT_FALSE(composeCommandLine("a", "b c", guarded, 6)) << "the quotes count too";
  EXPECT_FALSE(composeCommandLine("a", "b", guarded, 0));
}

std::string directoryOf(const char* path) {
  std::vector<char> text(path, path + std::strlen(path) + 1);
  cutToDirectory(text.data());
  return text.data();
}

TEST(ModuleDirectory, CutsAtTheLastSeparator) {
  EXPECT_EQ(directoryOf("C:\\Hosts\\VST\\Vorra OverDrive.dll"), "C:\\Hosts\\VST");
  EXPECT_EQ(directoryOf("C:\\Vorra OverDrive.dll"), "C:");
  EXPECT_EQ(directoryOf("D:plugin.dll"), "D");
  EXPECT_EQ(directoryOf("/usr/lib/vst/plugin.so"), "/usr/lib/vst");
  EXPECT_EQ(directoryOf("C:\\mixed/dir\\x/plugin.dll"), "C:\\mixed/dir\\x");
  EXPECT_EQ(directoryOf("plugin.dll"), "plugin.dll");
  EXPECT_EQ(directoryOf(""), "");
}

TEST(ModuleDirectory, DocumentationLiesBesideThePlugin) {
  std::strcpy(moduleDirectory, "C:\\VstPlugins");
  composeDocumentationPath();
  EXPECT_STREQ(documentationPath, "C:\\VstPlugins\\VorraOverDrive.htm");
  moduleDirectory[0] = '\0';
  composeDocumentationPath();
  EXPECT_STREQ(documentationPath, "\\VorraOverDrive.htm");
  const std::string longest(kModuleFileNameLimit - 1, 'd');
  std::strcpy(moduleDirectory, longest.c_str());
  composeDocumentationPath();
  EXPECT_EQ(std::string(documentationPath), longest + "\\VorraOverDrive.htm");
  EXPECT_EQ(std::strlen(documentationPath), 516u);
}

}  // namespace
