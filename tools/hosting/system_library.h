// A shared library loaded by the system's loader (dlopen, LoadLibrary), for every format's host
// side: the file by its absolute path, so that a bare name never means a library search.
#pragma once

#include <string>

// The system's handle (an HMODULE on Windows), or null with `reason` saying why.
void* openSystemLibrary(const std::string& absolutePath, std::string& reason);
void closeSystemLibrary(void* handle);
// The exported symbol `name`, or null.
void* librarySymbol(void* handle, const char* name);
