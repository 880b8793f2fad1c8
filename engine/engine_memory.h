// The engine's allocations go through one replaceable pair of functions, so that tests can make
// any of them fail and count what is released.
#pragma once

#include <cstddef>

struct EngineMemory {
  void* (*allocate)(std::size_t bytes);  // null when the memory cannot be had; never throws
  void (*release)(void* memory);         // accepts null
};

extern EngineMemory engineMemory;
