// The VST3 parameter ids, fixed forever (hosts store automation by id): the descriptor indices 0
// to 5 for the engine's parameters, and 100 for the program list's program-change parameter.
// The one unit, the root, holds all of them and names the one program list.
#pragma once

#include <cstdint>

#include "engine/overdrive_engine.h"
#include "travesty/base.h"

constexpr v3_param_id kProgramChangeId = 100;
constexpr int32_t kRootUnitId = 0;
constexpr int32_t kProgramListId = 1;
constexpr int32_t kProgramSteps = OverdriveEngine::kProgramCount - 1;

inline bool isEngineParameter(v3_param_id id) {
  return id < static_cast<v3_param_id>(kParameterCount);
}

// The program a normalized value selects: the nearest step, NaN and values below 0 the first,
// values above 1 the last.
inline int32_t programOf(double normalized) {
  if (!(normalized >= 0.0)) return 0;
  if (normalized >= 1.0) return kProgramSteps;
  return static_cast<int32_t>(normalized * kProgramSteps + 0.5);
}

inline double normalizedOf(int32_t program) { return static_cast<double>(program) / kProgramSteps; }
