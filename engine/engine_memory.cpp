#include "engine/engine_memory.h"

#include <new>

namespace {

void* allocateOrNull(std::size_t bytes) { return ::operator new(bytes, std::nothrow); }
void release(void* memory) { ::operator delete(memory); }

}  // namespace

EngineMemory engineMemory = {allocateOrNull, release};
