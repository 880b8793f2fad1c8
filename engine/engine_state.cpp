// The engine's state as bytes, for the formats that save sessions (VST3, CLAP, LV2): little-endian
// whatever the machine, so a session moves between targets.
//
//   offset  size  what
//        0     4  the tag "VOds"
//        4     4  version, 1
//        8    24  the six parameter values, float32 in parameter order
//       32     4  the current program, int32
//       36    72  the three program names, 24 bytes each, zero-padded
#include <cmath>
#include <cstring>

#include "engine/float_environment.h"
#include "engine/overdrive_engine.h"

namespace {

constexpr uint8_t kTag[4] = {'V', 'O', 'd', 's'};
constexpr uint32_t kVersion = 1;
constexpr size_t kValuesAt = 8, kProgramAt = 32, kNamesAt = 36;
static_assert(kNamesAt + OverdriveEngine::kProgramCount * kProgramNameSize ==
                  OverdriveEngine::kStateSize,
              "the blob is exactly its fields");

void putWord(uint8_t* at, uint32_t word) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(word >> (8 * i));
}
uint32_t wordAt(const uint8_t* at) {
  uint32_t word = 0;
  for (int i = 0; i < 4; ++i) word |= static_cast<uint32_t>(at[i]) << (8 * i);
  return word;
}
uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}
float floatOf(uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// A value a session may hold: any finite one as it was stored (the engine keeps values
// unclamped); one that is not finite lands in the range, NaN on its lower end.
float restorable(float value, const ParameterDescriptor& parameter) {
  if (std::isfinite(value)) return value;
  if (!(value >= parameter.minimum)) return parameter.minimum;
  return parameter.maximum;
}

}  // namespace

void OverdriveEngine::saveState(uint8_t (&bytes)[kStateSize]) const {
  std::memset(bytes, 0, kStateSize);
  std::memcpy(bytes, kTag, sizeof kTag);
  putWord(bytes + 4, kVersion);
  for (int32_t i = 0; i < kParameterCount; ++i)
    putWord(bytes + kValuesAt + 4 * i, bitsOf(parameter(i)));
  putWord(bytes + kProgramAt, static_cast<uint32_t>(currentProgram()));
  for (int32_t p = 0; p < kProgramCount; ++p) {
    const char* name = programs[p].name;
    std::memcpy(bytes + kNamesAt + p * kProgramNameSize, name, std::strlen(name));
  }
}

bool OverdriveEngine::loadState(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (!bytes || size != kStateSize || std::memcmp(bytes, kTag, sizeof kTag) != 0 ||
      wordAt(bytes + 4) != kVersion) {
    return false;
  }
  const auto program = static_cast<int32_t>(wordAt(bytes + kProgramAt));
  if (program < 0 || program >= kProgramCount) return false;

  const VectorUnitDefaults defaults;
  for (int32_t p = 0; p < kProgramCount; ++p) {
    // A name without its terminator is cut to 23 characters.
    char name[kProgramNameSize];
    std::memcpy(name, bytes + kNamesAt + p * kProgramNameSize, kProgramNameSize);
    name[kProgramNameSize - 1] = '\0';
    setProgramNameText(programs[p], name);
  }
  // The saved values, not the program's: the session may have moved them since it chose it.
  current.store(program, std::memory_order_relaxed);
  for (int32_t i = 0; i < kParameterCount; ++i) {
    const float value = floatOf(wordAt(bytes + kValuesAt + 4 * i));
    values[i].store(restorable(value, kParameterDescriptors[i]), std::memory_order_relaxed);
  }
  parametersStored();
  return true;
}
