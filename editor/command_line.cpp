#include "editor/command_line.h"

#include <cstdio>
#include <cstring>

size_t placeholderCut(const char* commandLine) {
  if (const char* quoted = std::strstr(commandLine, "\"%1\"")) {
    return static_cast<size_t>(quoted - commandLine);
  }
  if (const char* bare = std::strstr(commandLine, "%1")) {
    return static_cast<size_t>(bare - commandLine);
  }
  return std::strlen(commandLine);
}

bool composeCommandLine(const char* registered, const char* target, char* out, size_t outSize) {
  if (outSize == 0) return false;
  const int kept = static_cast<int>(placeholderCut(registered));
  const char* format = std::strchr(target, ' ') ? "%.*s \"%s\"" : "%.*s %s";
  const int length = std::snprintf(out, outSize, format, kept, registered, target);
  if (length < 0 || static_cast<size_t>(length) >= outSize) {
    out[0] = '\0';
    return false;
  }
  return true;
}
