// vorra-render: runs audio files through a VST2 effect plug-in.
#include <cstdio>
#include <exception>

#include "tools/render/command_line.h"
#include "tools/render/render_command.h"

int main(int argc, char** argv) {
  const ParsedCommandLine parsed = parseCommandLine(argc, argv);
  if (!parsed.options) return parsed.exitCode;
  try {
    return runRender(*parsed.options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vorra-render: %s\n", error.what());
    return 1;
  }
}
