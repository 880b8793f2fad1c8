// The command line, parsed with CLI11.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct RenderOptions {
  std::string plugin;  // defaults to the Vorra OverDrive library beside the executable
  std::string program;
  std::vector<std::string> settings;  // NAME=VALUE or INDEX=VALUE, in order
  int blockSize = 512;
  std::string mode;    // "replacing", "accumulating" or empty for the plug-in's choice
  std::string format;  // sample format of the output; empty for the container's default
  std::optional<double> prerollSeconds;  // --preroll, or 0 for --no-preroll; else measured
  bool dither = true;                    // TPDF dither where the output has 16 bits
  bool quiet = false;                    // no progress bar and no summary line
  bool info = false;
  bool dry = false;
  std::string demoOutput;
  std::string input, output;
};

struct ParsedCommandLine {
  std::optional<RenderOptions> options;  // empty when there is nothing to run
  int exitCode = 0;
};

// Help and the version go to stdout and answer exit code 0; a usage error is one line on
// stderr and 2.
ParsedCommandLine parseCommandLine(int argc, const char* const* argv);

// "Vorra OverDrive.so" in the directory of the running executable.
std::string defaultPluginPath();
