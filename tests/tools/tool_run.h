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
