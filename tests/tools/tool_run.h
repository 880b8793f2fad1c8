// vorra-render run as a program, its output streams captured through files in a scratch folder
// of their own, so the folders a test inspects see only what the program wrote.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio_fixture.h"

struct ToolRun {
  int exitCode;
  std::string out, err;
};

inline std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline ToolRun runTool(const std::vector<std::string>& args) {
  const ScratchDir streams;
  std::string command = "'" VORRA_RENDER "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >'" + streams / "out" + "' 2>'" + streams / "err" + "' </dev/null";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contentOf(streams / "out"),
          contentOf(streams / "err")};
}

// The frames of pre-roll a summary line reports: "pre-roll N frames", 0 for "no pre-roll", -1
// when the line says neither.
inline int64_t prerollIn(const std::string& summary) {
  if (summary.find("no pre-roll") != std::string::npos) return 0;
  const auto at = summary.find("pre-roll ");
  return at == std::string::npos ? -1 : std::stoll(summary.substr(at + 9));
}
