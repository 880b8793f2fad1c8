// The launcher and the module directory on Windows: shell, registry, program start, and the
// plug-in's own file name.
#pragma once

#include <cstdint>

// Opens target through the shell, or through the program registered for ".htm" files.
// 1 when something was opened or started, 0 otherwise; failures are silent.
int32_t openUrlOrDocument(const char* target, int32_t showCommand);
