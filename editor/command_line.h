// The command line that starts the program registered for ".htm" files with a target.
#pragma once

#include <cstddef>

// How much of a registered command line is kept before the target: everything up to the first
// "\"%1\"" (cut at its opening quote), else up to the first bare "%1", else all of it.
// Arguments after the placeholder are dropped with it.
size_t placeholderCut(const char* commandLine);

// Writes the kept part, one space and the target into out. A target holding a space is put in
// double quotes, or "C:\Program Files\..." would reach the program as two arguments. Returns
// false, with out empty, when the result does not fit into outSize bytes.
bool composeCommandLine(const char* registered, const char* target, char* out, size_t outSize);
