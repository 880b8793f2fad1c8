// The edit controller: the parameters from the engine's descriptors with the VST2 face's texts,
// values read from and written to the engine, the program list, and the window.
#include <cstring>

#include "vst3/overdrive_vst3.h"
#include "vst3/parameter_ids.h"
#include "vst3/utf16_text.h"
#ifdef VORRA_HAVE_EDITOR
#include "vst3/overdrive_view.h"
#endif

namespace {

constexpr size_t kTextUnits = 128;  // a v3_str_128
constexpr char kProgramParameterTitle[] = "Program";
constexpr char kRootUnitName[] = "Root";
constexpr char kProgramListName[] = "Factory Programs";

}  // namespace

v3_result OverdriveVst3::setComponentState(v3_bstream** stream) { return setState(stream); }

// Everything the controller shows lives in the component's state.
v3_result OverdriveVst3::setControllerState(v3_bstream**) { return V3_OK; }
v3_result OverdriveVst3::getControllerState(v3_bstream**) { return V3_OK; }

int32_t OverdriveVst3::getParameterCount() { return kParameterCount + 1; }

// The descriptors' range is 0 to 1, so a normalized value is the engine's value itself.
v3_result OverdriveVst3::getParameterInfo(int32_t index, v3_param_info* info) {
  if (!info || index < 0 || index > kParameterCount) return V3_INVALID_ARG;
  std::memset(info, 0, sizeof *info);
  info->unit_id = kRootUnitId;
  if (index == kParameterCount) {
    info->param_id = kProgramChangeId;
    toUtf16(kProgramParameterTitle, info->title, kTextUnits);
    toUtf16(kProgramParameterTitle, info->short_title, kTextUnits);
    info->step_count = kProgramSteps;
    info->flags = V3_PARAM_CAN_AUTOMATE | V3_PARAM_IS_LIST | V3_PARAM_PROGRAM_CHANGE;
    return V3_OK;
  }
  const ParameterDescriptor& parameter = kParameterDescriptors[index];
  info->param_id = static_cast<v3_param_id>(index);
  toUtf16(parameter.name, info->title, kTextUnits);
  toUtf16(parameter.name, info->short_title, kTextUnits);
  toUtf16(parameter.unit, info->units, kTextUnits);
  info->step_count = parameter.toggle ? 1 : 0;
  info->default_normalised_value = parameter.defaultValue;
  info->flags = V3_PARAM_CAN_AUTOMATE;
  return V3_OK;
}

v3_result OverdriveVst3::getParamStringByValue(v3_param_id id, double normalized, int16_t* text) {
  if (!text) return V3_INVALID_ARG;
  if (id == kProgramChangeId) {
    toUtf16(engine_.programName(programOf(normalized)), text, kTextUnits);
    return V3_OK;
  }
  if (!isEngineParameter(id)) return V3_INVALID_ARG;
  char display[kDisplaySize];
  formatParameterValue(static_cast<int32_t>(id), static_cast<float>(normalized), display);
  toUtf16(display, text, kTextUnits);
  return V3_OK;
}

v3_result OverdriveVst3::getParamValueByString(v3_param_id id, int16_t* text, double* normalized) {
  if (!text || !normalized) return V3_INVALID_ARG;
  char spelled[kTextUnits];
  fromUtf16(text, spelled, sizeof spelled);
  if (id == kProgramChangeId) {
    const int32_t program = engine_.programIndexOf(spelled);
    if (program < 0) return V3_FALSE;
    *normalized = normalizedOf(program);
    return V3_OK;
  }
  float value = 0.0f;
  if (!isEngineParameter(id) || !parseParameterText(static_cast<int32_t>(id), spelled, value))
    return V3_FALSE;
  *normalized = value;
  return V3_OK;
}

// The program-change parameter's plain values are the program numbers; the others' plain values
// are their normalized ones.
double OverdriveVst3::normalizedParamToPlain(v3_param_id id, double normalized) {
  return id == kProgramChangeId ? programOf(normalized) : normalized;
}

double OverdriveVst3::plainParamToNormalized(v3_param_id id, double plain) {
  return id == kProgramChangeId ? normalizedOf(programOf(plain / kProgramSteps)) : plain;
}

double OverdriveVst3::getParamNormalized(v3_param_id id) {
  if (id == kProgramChangeId) return normalizedOf(engine_.currentProgram());
  return engine_.parameter(isEngineParameter(id) ? static_cast<int32_t>(id) : -1);
}

// The engine takes the value at once, so a state the host saves before its next process call
// holds it. A program load moves the other parameters, which the host learns from the
// processor's output changes when the program change reaches it (see reportValues).
v3_result OverdriveVst3::setParamNormalized(v3_param_id id, double normalized) {
  if (id == kProgramChangeId) {
    engine_.loadProgram(programOf(normalized));
    return V3_OK;
  }
  if (!isEngineParameter(id)) return V3_INVALID_ARG;
  engine_.setParameter(static_cast<int32_t>(id), static_cast<float>(normalized));
  return V3_OK;
}

v3_result OverdriveVst3::setComponentHandler(v3_component_handler** handler) {
  if (handler) addRefOf(handler);
  if (handler_) releaseOf(handler_);
  handler_ = handler;
  return V3_OK;
}

v3_plugin_view** OverdriveVst3::createView(const char* name) {
#ifdef VORRA_HAVE_EDITOR
  if (name && std::strcmp(name, "editor") == 0) return OverdriveView::create(*this);
#else
  (void)name;
#endif
  return nullptr;
}

int32_t OverdriveVst3::getUnitCount() { return 1; }

v3_result OverdriveVst3::getUnitInfo(int32_t index, v3_unit_info* info) {
  if (!info || index != 0) return V3_INVALID_ARG;
  std::memset(info, 0, sizeof *info);
  info->id = kRootUnitId;
  info->parent_unit_id = -1;
  toUtf16(kRootUnitName, info->name, kTextUnits);
  info->program_list_id = kProgramListId;
  return V3_OK;
}

int32_t OverdriveVst3::getProgramListCount() { return 1; }

v3_result OverdriveVst3::getProgramListInfo(int32_t index, v3_program_list_info* info) {
  if (!info || index != 0) return V3_INVALID_ARG;
  std::memset(info, 0, sizeof *info);
  info->id = kProgramListId;
  toUtf16(kProgramListName, info->name, kTextUnits);
  info->programCount = OverdriveEngine::kProgramCount;
  return V3_OK;
}

v3_result OverdriveVst3::getProgramName(int32_t listId, int32_t program, int16_t* name) {
  const char* text = engine_.programName(program);
  if (!name || listId != kProgramListId || !text) return V3_INVALID_ARG;
  toUtf16(text, name, kTextUnits);
  return V3_OK;
}

v3_result OverdriveVst3::getProgramInfo(int32_t, int32_t, const char*, int16_t*) {
  return V3_FALSE;
}
v3_result OverdriveVst3::hasProgramPitchNames(int32_t, int32_t) { return V3_FALSE; }

v3_result OverdriveVst3::getProgramPitchName(int32_t, int32_t, int16_t, int16_t*) {
  return V3_FALSE;
}

int32_t OverdriveVst3::getSelectedUnit() { return kRootUnitId; }

v3_result OverdriveVst3::selectUnit(int32_t unitId) {
  return unitId == kRootUnitId ? V3_OK : V3_INVALID_ARG;
}

v3_result OverdriveVst3::getUnitByBus(int32_t, int32_t, int32_t, int32_t, int32_t* unitId) {
  if (!unitId) return V3_INVALID_ARG;
  *unitId = kRootUnitId;
  return V3_OK;
}

v3_result OverdriveVst3::setUnitProgramData(int32_t, int32_t, v3_bstream**) {
  return V3_NOT_IMPLEMENTED;
}
