// The object's faces and life, and the component: buses, activation and the state.
#include "vst3/overdrive_vst3.h"

#include <cstring>
#include <new>

#include "vst3/entry_guard.h"
#include "vst3/interface_tables.h"
#include "vst3/utf16_text.h"

namespace {

using V = OverdriveVst3;

const v3_component_cpp kComponentTable = {
    unknownEntries<V>(),
    {&PluginEntry<&V::initialize>::call, &PluginEntry<&V::terminate>::call},
    {&PluginEntry<&V::getControllerClassId>::call, &PluginEntry<&V::setIoMode>::call,
     &PluginEntry<&V::getBusCount>::call, &PluginEntry<&V::getBusInfo>::call,
     &PluginEntry<&V::getRoutingInfo>::call, &PluginEntry<&V::activateBus>::call,
     &PluginEntry<&V::setActive>::call, &PluginEntry<&V::setState>::call,
     &PluginEntry<&V::getState>::call}};

const v3_audio_processor_cpp kProcessorTable = {
    unknownEntries<V>(),
    {&PluginEntry<&V::setBusArrangements>::call, &PluginEntry<&V::getBusArrangement>::call,
     &PluginEntry<&V::canProcessSampleSize>::call, &PluginEntry<&V::getLatencySamples>::call,
     &PluginEntry<&V::setupProcessing>::call, &PluginEntry<&V::setProcessing>::call,
     &ProcessEntry<&V::process>::call, &PluginEntry<&V::getTailSamples>::call}};

const v3_process_context_requirements_cpp kContextRequirementsTable = {
    unknownEntries<V>(), {&PluginEntry<&V::getProcessContextRequirements>::call}};

const v3_edit_controller_cpp kControllerTable = {
    unknownEntries<V>(),
    {&PluginEntry<&V::initialize>::call, &PluginEntry<&V::terminate>::call},
    {&PluginEntry<&V::setComponentState>::call, &PluginEntry<&V::setControllerState>::call,
     &PluginEntry<&V::getControllerState>::call, &PluginEntry<&V::getParameterCount>::call,
     &PluginEntry<&V::getParameterInfo>::call, &PluginEntry<&V::getParamStringByValue>::call,
     &PluginEntry<&V::getParamValueByString>::call, &PluginEntry<&V::normalizedParamToPlain>::call,
     &PluginEntry<&V::plainParamToNormalized>::call, &PluginEntry<&V::getParamNormalized>::call,
     &PluginEntry<&V::setParamNormalized>::call, &PluginEntry<&V::setComponentHandler>::call,
     &PluginEntry<&V::createView>::call}};

const v3_unit_information_cpp kUnitsTable = {
    unknownEntries<V>(),
    {&PluginEntry<&V::getUnitCount>::call, &PluginEntry<&V::getUnitInfo>::call,
     &PluginEntry<&V::getProgramListCount>::call, &PluginEntry<&V::getProgramListInfo>::call,
     &PluginEntry<&V::getProgramName>::call, &PluginEntry<&V::getProgramInfo>::call,
     &PluginEntry<&V::hasProgramPitchNames>::call, &PluginEntry<&V::getProgramPitchName>::call,
     &PluginEntry<&V::getSelectedUnit>::call, &PluginEntry<&V::selectUnit>::call,
     &PluginEntry<&V::getUnitByBus>::call, &PluginEntry<&V::setUnitProgramData>::call}};

constexpr v3_speaker_arrangement kStereo = V3_SPEAKER_L | V3_SPEAKER_R;

bool isMainAudioBus(int32_t mediaType, int32_t direction, int32_t index) {
  return mediaType == V3_AUDIO && (direction == V3_INPUT || direction == V3_OUTPUT) && index == 0;
}

}  // namespace

OverdriveVst3* OverdriveVst3::create() {
  OverdriveVst3* object = new (std::nothrow) OverdriveVst3();
  // Success is read from this object alone, whatever other threads create at the same time.
  if (object && !object->engine_.complete()) {
    delete object;
    return nullptr;
  }
  return object;
}

OverdriveVst3::OverdriveVst3()
    : component_{&kComponentTable, this},
      processor_{&kProcessorTable, this},
      contextRequirements_{&kContextRequirementsTable, this},
      controller_{&kControllerTable, this},
      units_{&kUnitsTable, this} {}

v3_result OverdriveVst3::queryInterface(const uint8_t* iid, void** object) {
  if (!object) return V3_INVALID_ARG;
  *object = nullptr;
  if (!iid) return V3_NO_INTERFACE;
  Face<OverdriveVst3>* face = nullptr;
  if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_plugin_base_iid) ||
      v3_tuid_match(iid, v3_component_iid)) {
    face = &component_;
  } else if (v3_tuid_match(iid, v3_audio_processor_iid)) {
    face = &processor_;
  } else if (v3_tuid_match(iid, v3_process_context_requirements_iid)) {
    face = &contextRequirements_;
  } else if (v3_tuid_match(iid, v3_edit_controller_iid)) {
    face = &controller_;
  } else if (v3_tuid_match(iid, v3_unit_information_iid)) {
    face = &units_;
  }
  if (!face) return V3_NO_INTERFACE;
  *object = face;
  addRef();
  return V3_OK;
}

uint32_t OverdriveVst3::addRef() { return references_.fetch_add(1, std::memory_order_relaxed) + 1; }

uint32_t OverdriveVst3::release() {
  const uint32_t left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (left == 0) delete this;
  return left;
}

// The host context offers nothing the effect needs.
v3_result OverdriveVst3::initialize(v3_funknown**) {
  ++initializations_;
  return V3_OK;
}

v3_result OverdriveVst3::terminate() {
  if (initializations_ > 0 && --initializations_ == 0) setComponentHandler(nullptr);
  return V3_OK;
}

// Component and controller are this one object.
v3_result OverdriveVst3::getControllerClassId(uint8_t* classId) {
  if (classId) std::memset(classId, 0, sizeof(v3_tuid));
  return V3_NOT_IMPLEMENTED;
}

v3_result OverdriveVst3::setIoMode(int32_t) { return V3_NOT_IMPLEMENTED; }

int32_t OverdriveVst3::getBusCount(int32_t mediaType, int32_t direction) {
  return isMainAudioBus(mediaType, direction, 0) ? 1 : 0;
}

v3_result OverdriveVst3::getBusInfo(int32_t mediaType, int32_t direction, int32_t index,
                                    v3_bus_info* info) {
  if (!info || !isMainAudioBus(mediaType, direction, index)) return V3_INVALID_ARG;
  std::memset(info, 0, sizeof *info);
  info->media_type = V3_AUDIO;
  info->direction = direction;
  info->channel_count = 2;
  toUtf16(direction == V3_INPUT ? "Stereo In" : "Stereo Out", info->bus_name, 128);
  info->bus_type = V3_MAIN;
  info->flags = V3_DEFAULT_ACTIVE;
  return V3_OK;
}

v3_result OverdriveVst3::getRoutingInfo(v3_routing_info*, v3_routing_info*) {
  return V3_NOT_IMPLEMENTED;
}

v3_result OverdriveVst3::activateBus(int32_t mediaType, int32_t direction, int32_t index, v3_bool) {
  return isMainAudioBus(mediaType, direction, index) ? V3_OK : V3_INVALID_ARG;
}

// Activation keeps every state, as the other formats' suspend does: the sound goes on where it
// stopped.
v3_result OverdriveVst3::setActive(v3_bool) { return V3_OK; }

namespace {

// Reads up to capacity bytes: a host may hand the stream out in pieces.
int32_t readUpTo(v3_bstream** stream, uint8_t* bytes, int32_t capacity) {
  int32_t total = 0;
  while (total < capacity) {
    int32_t got = 0;
    const auto& table = tableOf<StreamTable>(stream).stream;
    if (table.read(stream, bytes + total, capacity - total, &got) != V3_OK || got <= 0) break;
    total += got < capacity - total ? got : capacity - total;
  }
  return total;
}

}  // namespace

// A blob, then one byte more, so that a longer stream is refused as the wrong size; asked for
// apart, since some hosts fail a read that runs past the stream's end.
v3_result OverdriveVst3::setState(v3_bstream** stream) {
  if (!stream) return V3_FALSE;
  constexpr auto kBlob = static_cast<int32_t>(OverdriveEngine::kStateSize);
  uint8_t bytes[kBlob + 1];
  int32_t size = readUpTo(stream, bytes, kBlob);
  if (size == kBlob) size += readUpTo(stream, bytes + kBlob, 1);
  return engine_.loadState(bytes, static_cast<size_t>(size)) ? V3_OK : V3_FALSE;
}

v3_result OverdriveVst3::getState(v3_bstream** stream) {
  if (!stream) return V3_FALSE;
  uint8_t bytes[OverdriveEngine::kStateSize];
  engine_.saveState(bytes);
  int32_t total = 0;
  while (total < static_cast<int32_t>(sizeof bytes)) {
    int32_t written = 0;
    const auto& table = tableOf<StreamTable>(stream).stream;
    if (table.write(stream, bytes + total, sizeof bytes - total, &written) != V3_OK ||
        written <= 0) {
      return V3_FALSE;
    }
    total += written;
  }
  return V3_OK;
}

// One stereo input and one stereo output, nothing else.
v3_result OverdriveVst3::setBusArrangements(v3_speaker_arrangement* inputs, int32_t inputCount,
                                            v3_speaker_arrangement* outputs, int32_t outputCount) {
  const bool stereo = inputCount == 1 && outputCount == 1 && inputs && outputs &&
                      inputs[0] == kStereo && outputs[0] == kStereo;
  return stereo ? V3_OK : V3_FALSE;
}

v3_result OverdriveVst3::getBusArrangement(int32_t direction, int32_t index,
                                           v3_speaker_arrangement* arrangement) {
  if (!arrangement || !isMainAudioBus(V3_AUDIO, direction, index)) return V3_INVALID_ARG;
  *arrangement = kStereo;
  return V3_OK;
}

v3_result OverdriveVst3::canProcessSampleSize(int32_t symbolicSize) {
  return symbolicSize == V3_SAMPLE_32 ? V3_OK : V3_FALSE;
}

uint32_t OverdriveVst3::getLatencySamples() { return 0; }
uint32_t OverdriveVst3::getTailSamples() { return 0; }

// Nothing depends on the sample rate or the block size.
v3_result OverdriveVst3::setupProcessing(v3_process_setup* setup) {
  if (!setup) return V3_INVALID_ARG;
  return setup->symbolic_sample_size == V3_SAMPLE_32 ? V3_OK : V3_FALSE;
}

v3_result OverdriveVst3::setProcessing(v3_bool) { return V3_OK; }

uint32_t OverdriveVst3::getProcessContextRequirements() { return 0; }
