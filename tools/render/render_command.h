// What a parsed command line does: describe the plug-in, or render a file or the demo.
#pragma once

#include "tools/render/command_line.h"

// Throws std::runtime_error with a one-line message on any failure; no output file is left.
// Returns the process exit code.
int runRender(const RenderOptions& options);
