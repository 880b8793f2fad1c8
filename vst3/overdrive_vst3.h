// The VST3 face of the overdrive engine: one object that is the component, its audio processor
// and its edit controller at once, with the program list (IUnitInfo). Controller and component
// read and write the same engine, so their states always agree, and a value the host or the
// window sets is in the engine (and in getState) at once.
//
// Threads: process() runs on the host's audio thread and neither allocates nor locks; every other
// entry runs on the host's main (UI) thread. The engine takes changes from any thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/overdrive_engine.h"
#include "travesty/audio_processor.h"
#include "travesty/component.h"
#include "travesty/edit_controller.h"
#include "travesty/unit.h"
#include "vst3/com_face.h"

class BlockChanges;

class OverdriveVst3 {
 public:
  // A new object holding one reference, or null when an allocation failed.
  static OverdriveVst3* create();

  OverdriveEngine& engine() { return engine_; }
  // The host's handler for the window's gestures; null until the host sets one.
  v3_component_handler** componentHandler() const { return handler_; }

  // FUnknown, on every face.
  v3_result queryInterface(const uint8_t* iid, void** object);
  uint32_t addRef();
  uint32_t release();

  // IPluginBase, on the component's face and the controller's: the same object is initialized
  // and terminated once through each, so only the last terminate acts.
  v3_result initialize(v3_funknown** context);
  v3_result terminate();

  // IComponent
  v3_result getControllerClassId(uint8_t* classId);
  v3_result setIoMode(int32_t mode);
  int32_t getBusCount(int32_t mediaType, int32_t direction);
  v3_result getBusInfo(int32_t mediaType, int32_t direction, int32_t index, v3_bus_info* info);
  v3_result getRoutingInfo(v3_routing_info* input, v3_routing_info* output);
  v3_result activateBus(int32_t mediaType, int32_t direction, int32_t index, v3_bool state);
  v3_result setActive(v3_bool state);
  // The state is the engine's blob; a blob the engine refuses changes nothing.
  v3_result setState(v3_bstream** stream);
  v3_result getState(v3_bstream** stream);

  // IAudioProcessor
  v3_result setBusArrangements(v3_speaker_arrangement* inputs, int32_t inputCount,
                               v3_speaker_arrangement* outputs, int32_t outputCount);
  v3_result getBusArrangement(int32_t direction, int32_t index,
                              v3_speaker_arrangement* arrangement);
  v3_result canProcessSampleSize(int32_t symbolicSize);
  uint32_t getLatencySamples();
  v3_result setupProcessing(v3_process_setup* setup);
  v3_result setProcessing(v3_bool state);
  v3_result process(v3_process_data* data);
  uint32_t getTailSamples();

  // IProcessContextRequirements: the effect needs no transport information.
  uint32_t getProcessContextRequirements();

  // IEditController. The controller keeps no state of its own: setComponentState loads the
  // component's blob, as setState does.
  v3_result setComponentState(v3_bstream** stream);
  v3_result setControllerState(v3_bstream** stream);
  v3_result getControllerState(v3_bstream** stream);
  int32_t getParameterCount();
  v3_result getParameterInfo(int32_t index, v3_param_info* info);
  v3_result getParamStringByValue(v3_param_id id, double normalized, int16_t* text);
  v3_result getParamValueByString(v3_param_id id, int16_t* text, double* normalized);
  double normalizedParamToPlain(v3_param_id id, double normalized);
  double plainParamToNormalized(v3_param_id id, double plain);
  double getParamNormalized(v3_param_id id);
  v3_result setParamNormalized(v3_param_id id, double normalized);
  v3_result setComponentHandler(v3_component_handler** handler);
  v3_plugin_view** createView(const char* name);

  // IUnitInfo: the root unit and its list of the factory programs.
  int32_t getUnitCount();
  v3_result getUnitInfo(int32_t index, v3_unit_info* info);
  int32_t getProgramListCount();
  v3_result getProgramListInfo(int32_t index, v3_program_list_info* info);
  v3_result getProgramName(int32_t listId, int32_t program, int16_t* name);
  v3_result getProgramInfo(int32_t listId, int32_t program, const char* attribute, int16_t* value);
  v3_result hasProgramPitchNames(int32_t listId, int32_t program);
  v3_result getProgramPitchName(int32_t listId, int32_t program, int16_t pitch, int16_t* name);
  int32_t getSelectedUnit();
  v3_result selectUnit(int32_t unitId);
  v3_result getUnitByBus(int32_t mediaType, int32_t direction, int32_t index, int32_t channel,
                         int32_t* unitId);
  v3_result setUnitProgramData(int32_t listOrUnitId, int32_t program, v3_bstream** data);

 private:
  OverdriveVst3();
  ~OverdriveVst3() = default;

  // Applies the changes of one process call with from < offset <= to: program changes first,
  // so that a program and values sent at one offset end with the values. In the same pass
  // `next` comes down to the offset of any later point below it, where the block splits next.
  // True when a program was loaded.
  bool applyChanges(const BlockChanges& changes, int64_t from, int64_t to, int32_t& next);
  // Tells the host the values a program load gave every parameter, through the output changes.
  void reportValues(v3_param_changes** output, int32_t offset);

  Face<OverdriveVst3> component_, processor_, contextRequirements_, controller_, units_;
  std::atomic<uint32_t> references_{1};
  int32_t initializations_ = 0;
  v3_component_handler** handler_ = nullptr;
  OverdriveEngine engine_;
};
