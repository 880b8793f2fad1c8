#include "editor/module_directory.h"

#include <cstring>

char moduleDirectory[kPathBufferSize];
char documentationPath[kPathBufferSize];

void cutToDirectory(char* path) {
  for (size_t i = std::strlen(path); i > 0; --i) {
    const char c = path[i - 1];
    if (c == '\\' || c == '/' || c == ':') {
      path[i - 1] = '\0';
      return;
    }
  }
}

// The directory is read with at most 497 characters, so the path (at most 516) always fits.
void composeDocumentationPath(char separator) {
  const size_t directory = strnlen(moduleDirectory, kModuleFileNameLimit - 1);
  std::memcpy(documentationPath, moduleDirectory, directory);
  documentationPath[directory] = separator;
  std::memcpy(documentationPath + directory + 1, kDocumentationFileName,
              sizeof kDocumentationFileName);
}
