#include "engine/shared_shaper_table.h"

#include <cstdint>
#include <mutex>

#include "engine/engine_memory.h"
#include "engine/shaper_table.h"

namespace {

// Taken only while an instance is created or destroyed, never while one processes.
std::mutex tableGuard;
float* table = nullptr;
int32_t holders = 0;

}  // namespace

const float* acquireShaperTable() {
  std::lock_guard<std::mutex> lock(tableGuard);
  if (!table) {
    float* built = static_cast<float*>(engineMemory.allocate(sizeof(float) * kShaperTableSize));
    if (!built) return nullptr;
    buildShaperTable(built);
    table = built;
  }
  ++holders;
  return table;
}

void releaseShaperTable() {
  std::lock_guard<std::mutex> lock(tableGuard);
  if (--holders > 0) return;
  engineMemory.release(table);
  table = nullptr;
}
