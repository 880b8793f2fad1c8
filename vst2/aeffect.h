// The binary record a VST 1 host reads, the opcodes it sends, and the host-callback requests.
// Layout is the host's contract: 144 bytes on 32-bit targets, 192 on 64-bit ones.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define VSTCALL __cdecl
#else
#define VSTCALL
#endif

// Four-character constants: the first character is the most significant byte.
constexpr int32_t fourCharConstant(const char (&text)[5]) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<unsigned char>(text[0])) << 24) |
                              (static_cast<uint32_t>(static_cast<unsigned char>(text[1])) << 16) |
                              (static_cast<uint32_t>(static_cast<unsigned char>(text[2])) << 8) |
                              static_cast<uint32_t>(static_cast<unsigned char>(text[3])));
}

constexpr int32_t kEffectMagic = fourCharConstant("VstP");
constexpr int32_t kIdentifyAnswer = fourCharConstant("NvEf");

struct AEffect;

// The host's callback. `value` and the answer are pointer-sized, as 64-bit hosts pass them.
using audioMasterCallback = intptr_t(VSTCALL*)(AEffect* effect, int32_t opcode, int32_t index,
                                               intptr_t value, void* ptr, float opt);
using AEffectDispatcherProc = intptr_t(VSTCALL*)(AEffect* effect, int32_t opcode, int32_t index,
                                                 intptr_t value, void* ptr, float opt);
using AEffectProcessProc = void(VSTCALL*)(AEffect* effect, float** inputs, float** outputs,
                                          int32_t sampleFrames);
using AEffectSetParameterProc = void(VSTCALL*)(AEffect* effect, int32_t index, float parameter);
using AEffectGetParameterProc = float(VSTCALL*)(AEffect* effect, int32_t index);

struct AEffect {
  int32_t magic;
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  int32_t numPrograms;
  int32_t numParams;
  int32_t numInputs;
  int32_t numOutputs;
  int32_t flags;
  intptr_t resvd1;
  intptr_t resvd2;
  int32_t initialDelay;
  int32_t realQualities;
  int32_t offQualities;
  float ioRatio;
  void* object;
  void* user;
  int32_t uniqueID;
  int32_t version;
  AEffectProcessProc processReplacing;
  void* reservedSlot;  // zero; later interface versions put a function pointer here
  char future[56];     // zero
};

#if INTPTR_MAX == INT32_MAX
static_assert(sizeof(AEffect) == 144, "32-bit record size");
static_assert(offsetof(AEffect, dispatcher) == 4 && offsetof(AEffect, process) == 8 &&
                  offsetof(AEffect, setParameter) == 12 && offsetof(AEffect, getParameter) == 16,
              "32-bit entry offsets");
static_assert(offsetof(AEffect, numPrograms) == 20 && offsetof(AEffect, numParams) == 24 &&
                  offsetof(AEffect, numInputs) == 28 && offsetof(AEffect, numOutputs) == 32 &&
                  offsetof(AEffect, flags) == 36,
              "32-bit count offsets");
static_assert(offsetof(AEffect, resvd1) == 40 && offsetof(AEffect, resvd2) == 44 &&
                  offsetof(AEffect, initialDelay) == 48 && offsetof(AEffect, realQualities) == 52 &&
                  offsetof(AEffect, offQualities) == 56 && offsetof(AEffect, ioRatio) == 60,
              "32-bit middle offsets");
static_assert(offsetof(AEffect, object) == 64 && offsetof(AEffect, user) == 68 &&
                  offsetof(AEffect, uniqueID) == 72 && offsetof(AEffect, version) == 76 &&
                  offsetof(AEffect, processReplacing) == 80 &&
                  offsetof(AEffect, reservedSlot) == 84,
              "32-bit tail offsets");
#else
static_assert(sizeof(AEffect) == 192, "64-bit record size");
static_assert(offsetof(AEffect, resvd1) == 64 && offsetof(AEffect, resvd2) == 72,
              "64-bit reserved integers are pointer-sized");
static_assert(offsetof(AEffect, object) == 96 && offsetof(AEffect, uniqueID) == 112 &&
                  offsetof(AEffect, processReplacing) == 120 &&
                  offsetof(AEffect, reservedSlot) == 128,
              "64-bit offsets as 64-bit hosts read them");
#endif

// Flag bits of AEffect::flags.
enum : int32_t {
  effFlagsHasEditor = 1,
  effFlagsHasClip = 2,
  effFlagsHasVu = 4,
  effFlagsCanMono = 8,
  effFlagsCanReplacing = 16,
  effFlagsProgramChunks = 32,
};

// Dispatcher opcodes:                 arguments used     answer
enum : int32_t {
  effOpen = 0,             // -                  0
  effClose = 1,            // -                  0; the entry then destroys the object, answers 1
  effSetProgram = 2,       // value              0
  effGetProgram = 3,       // -                  current program
  effSetProgramName = 4,   // ptr (text)         0
  effGetProgramName = 5,   // ptr (24 bytes)     0
  effGetParamLabel = 6,    // index, ptr         0
  effGetParamDisplay = 7,  // index, ptr         0
  effGetParamName = 8,     // index, ptr         0
  effGetVu = 9,            // -                  meter x 32767, truncated
  effSetSampleRate = 10,   // opt                0
  effSetBlockSize = 11,    // value              0
  effMainsChanged = 12,    // value (0 suspend)  0
  effEditGetRect = 13,     // ptr (ERect**)      editor's answer
  effEditOpen = 14,        // ptr (parent)       editor's answer
  effEditClose = 15,       // -                  0
  effEditDraw = 16,        // -                  0
  effEditMouse = 17,       // -                  0
  effEditKey = 18,         // -                  0
  effEditIdle = 19,        // -                  0
  effEditTop = 20,         // -                  0
  effEditSleep = 21,       // -                  0
  effIdentify = 22,        // -                  "NvEf"
  effGetChunk = 23,        // ptr, index         chunk size (0 here)
  effSetChunk = 24,        // ptr, value, index  0
};

// Host-callback requests:             index    value    answer used
enum : int32_t {
  audioMasterAutomate = 0,      // param    0        ignored
  audioMasterVersion = 1,       // 0        0        version, 0 for none
  audioMasterCurrentId = 2,     // 0        0        unique id
  audioMasterIdle = 3,          // 0        0        ignored
  audioMasterPinConnected = 4,  // pin      0 in/1 out  0 when connected
};
