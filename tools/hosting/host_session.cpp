#include "tools/hosting/host_session.h"

#include <cctype>
#include <cstdio>

namespace {

std::string fourCharacters(int32_t id) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<unsigned char>((static_cast<uint32_t>(id) >> shift) & 0xff);
    text += std::isprint(c) ? static_cast<char>(c) : '?';
  }
  return text;
}

// Every bit has a name: the interface's own, or its number.
std::string flagNames(int32_t flags) {
  static const std::pair<int32_t, const char*> names[] = {{effFlagsHasEditor, "editor"},
                                                          {effFlagsHasClip, "clip"},
                                                          {effFlagsHasVu, "meter"},
                                                          {effFlagsCanMono, "mono"},
                                                          {effFlagsCanReplacing, "replacing"},
                                                          {effFlagsProgramChunks, "chunks"},
                                                          {1 << 8, "synth"},
                                                          {1 << 9, "no sound in stop"},
                                                          {1 << 10, "async"},
                                                          {1 << 11, "buffer"},
                                                          {1 << 12, "double replacing"}};
  std::string text;
  for (int bit = 0; bit < 32; ++bit) {
    const auto mask = static_cast<int32_t>(1u << bit);
    if (!(flags & mask)) continue;
    std::string name = "bit " + std::to_string(bit);
    for (const auto& [known, knownName] : names) {
      if (known == mask) name = knownName;
    }
    text += (text.empty() ? "" : ", ") + name;
  }
  return text;
}

}  // namespace

HostSession::HostSession(AEffect* effect) : effect_(effect) { dispatch(effOpen); }

HostSession::~HostSession() {
  stop();
  dispatch(effClose);
}

intptr_t HostSession::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string HostSession::text(int32_t opcode, int32_t index) {
  // Far larger than the interface's limits: plug-ins are known to write past them.
  char buffer[256] = {};
  dispatch(opcode, index, 0, buffer);
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

std::string HostSession::parameterName(int32_t index) { return text(effGetParamName, index); }
std::string HostSession::parameterLabel(int32_t index) { return text(effGetParamLabel, index); }
std::string HostSession::parameterDisplay(int32_t index) { return text(effGetParamDisplay, index); }
float HostSession::parameter(int32_t index) { return effect_->getParameter(effect_, index); }

void HostSession::setParameter(int32_t index, float value) {
  effect_->setParameter(effect_, index, value);
}

std::vector<std::string> HostSession::identityLines() {
  const AEffect& r = *effect_;
  char line[512];
  std::vector<std::string> lines;
  std::snprintf(line, sizeof line, "unique id  %s (0x%08x), version %d",
                fourCharacters(r.uniqueID).c_str(), static_cast<unsigned>(r.uniqueID), r.version);
  lines.push_back(line);
  std::snprintf(line, sizeof line, "audio      %d in, %d out, flags %d (%s), delay %d", r.numInputs,
                r.numOutputs, r.flags, flagNames(r.flags).c_str(), r.initialDelay);
  lines.push_back(line);
  return lines;
}

bool HostSession::isOverdrive() { return effect_->uniqueID == fourCharConstant("ZRVQ"); }

int32_t HostSession::program() { return static_cast<int32_t>(dispatch(effGetProgram)); }
void HostSession::setProgram(int32_t program) { dispatch(effSetProgram, 0, program); }
std::string HostSession::programName() { return text(effGetProgramName, 0); }

std::vector<std::string> HostSession::programNames() {
  const int32_t current = program();
  std::vector<std::string> names;
  for (int32_t i = 0; i < effect_->numPrograms; ++i) {
    setProgram(i);
    names.push_back(programName());
  }
  if (effect_->numPrograms > 0) setProgram(current);
  return names;
}

void HostSession::start(float sampleRate, int32_t blockSize) {
  dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
  dispatch(effSetBlockSize, 0, blockSize);
  dispatch(effMainsChanged, 0, 1);
  running_ = true;
}

void HostSession::stop() {
  if (!running_) return;
  dispatch(effMainsChanged, 0, 0);
  running_ = false;
}

void HostSession::processReplacing(float** inputs, float** outputs, int32_t frames) {
  effect_->processReplacing(effect_, inputs, outputs, frames);
}

void HostSession::processAccumulating(float** inputs, float** outputs, int32_t frames) {
  effect_->process(effect_, inputs, outputs, frames);
}
