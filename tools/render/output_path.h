// Where a render's output goes: the file an output path names, through any symbolic links, so
// that the finished file replaces the link's target and the link stays.
#pragma once

#include <string>

// The path with every link in its last component followed. Throws std::runtime_error when it
// is a directory or the links do not end.
std::string resolveOutputPath(const std::string& output);
