// Loading a shared library by path, the one platform part of opening any plug-in file: dlopen on
// Linux, LoadLibrary on Windows (also under Wine).
#pragma once

#include <string>

// The system's handle of the library at `path` (an HMODULE on Windows), or null with `reason`
// saying why.
void* openLibrary(const std::string& path, std::string& reason);
// The exported function `name`, or null.
void* librarySymbol(void* handle, const char* name);
void closeLibrary(void* handle);
