// Where the plug-in file lies, and the documentation file beside it. Module-wide: the first
// editor construction fills moduleDirectory (once, however many threads create instances), and
// every press of "Docs..." composes documentationPath anew on the editor's thread.
#pragma once

#include <cstddef>
#include <mutex>

constexpr size_t kPathBufferSize = 1024;
// The module file name is read with this limit, terminator included, so that the directory,
// a backslash and the file name always fit into documentationPath.
constexpr size_t kModuleFileNameLimit = 498;

extern char moduleDirectory[kPathBufferSize];
extern char documentationPath[kPathBufferSize];

constexpr char kDocumentationFileName[] = "VorraOverDrive.htm";

// Cuts a file name off its path at the last backslash, slash or colon; a text holding none of
// them stays whole.
void cutToDirectory(char* path);

// Fills moduleDirectory with the directory of the plug-in file (empty when unknown); each
// platform's shell defines how.
void readModuleDirectory();

// Called by every editor construction: instances are created on several threads at once, and
// the file does not move while it is loaded, so the first one reads it for all.
inline void readModuleDirectoryOnce() {
  static std::once_flag read;
  std::call_once(read, readModuleDirectory);
}

// documentationPath = moduleDirectory + separator + "VorraOverDrive.htm".
void composeDocumentationPath(char separator = '\\');
