#include "tools/hosting/vst3_session.h"

#include <cstring>
#include <initializer_list>
#include <stdexcept>

#include "travesty/unit.h"
#include "vst3/class_identity.h"
#include "vst3/utf16_text.h"

namespace {

constexpr v3_speaker_arrangement kStereo = V3_SPEAKER_L | V3_SPEAKER_R;
constexpr size_t kTextUnits = 128;

std::string textOf(const int16_t* text) {
  char bytes[kTextUnits + 1];
  fromUtf16(text, bytes, sizeof bytes);
  return bytes;
}

}  // namespace

Vst3Session::Vst3Session(const Vst3Bundle& bundle) : bundle_(bundle) {
  v3_plugin_factory** factory = bundle.factory();
  void* object = nullptr;
  if (tableOf<v3_plugin_factory_cpp>(factory).v1.create_instance(
          factory, bundle.effectClass().classId, v3_component_iid, &object) != V3_OK ||
      !object) {
    fail("the factory made no component");
  }
  component_ = static_cast<v3_component**>(object);
  if (tableOf<v3_component_cpp>(component_).base.initialize(component_, host_.context()) != V3_OK)
    fail("the component refused to initialize");
  if (!queryOf(component_, v3_audio_processor_iid, &processor_)) fail("it processes no audio");
  if (!queryOf(component_, v3_edit_controller_iid, &controller_))
    fail("its controller is a class of its own, which this host does not load");
  // The controller starts from the component's state, as hosts hand it over.
  MemoryStream state;
  if (componentTable().get_state(component_, state.stream()) == V3_OK) {
    state.rewind();
    controllerTable().set_component_state(controller_, state.stream());
  }
  readParameters();
  findProgramList();
  inputChannels_ = mainBusChannels(V3_INPUT);
  outputChannels_ = mainBusChannels(V3_OUTPUT);
}

Vst3Session::~Vst3Session() { close(); }

void Vst3Session::fail(const std::string& why) {
  close();
  throw std::runtime_error("cannot host '" + bundle_.location() + "': " + why);
}

void Vst3Session::close() {
  stop();
  if (controller_) releaseOf(controller_);
  if (processor_) releaseOf(processor_);
  if (component_) {
    tableOf<v3_component_cpp>(component_).base.terminate(component_);
    releaseOf(component_);
  }
  controller_ = nullptr;
  processor_ = nullptr;
  component_ = nullptr;
}

const v3_component& Vst3Session::componentTable() const {
  return tableOf<v3_component_cpp>(component_).comp;
}
const v3_audio_processor& Vst3Session::processorTable() const {
  return tableOf<v3_audio_processor_cpp>(processor_).proc;
}
const v3_edit_controller& Vst3Session::controllerTable() const {
  return tableOf<v3_edit_controller_cpp>(controller_).ctrl;
}

void Vst3Session::readParameters() {
  const int32_t count = controllerTable().get_parameter_count(controller_);
  for (int32_t i = 0; i < count; ++i) {
    v3_param_info info{};
    if (controllerTable().get_parameter_info(controller_, i, &info) != V3_OK) continue;
    if (info.flags & V3_PARAM_PROGRAM_CHANGE) {
      if (hasProgramChange_) continue;
      hasProgramChange_ = true;
      programChangeId_ = info.param_id;
      programSteps_ = info.step_count;
      continue;
    }
    parameters_.push_back({info.param_id, textOf(info.title), textOf(info.units)});
  }
}

// The root unit's program list, else the first one.
void Vst3Session::findProgramList() {
  v3_unit_information** units = nullptr;
  if (!queryOf(controller_, v3_unit_information_iid, &units)) return;
  const auto& table = tableOf<v3_unit_information_cpp>(units).unit;
  for (int32_t i = 0; i < table.get_unit_count(units); ++i) {
    v3_unit_info unit{};
    if (table.get_unit_info(units, i, &unit) == V3_OK && unit.id == 0)
      programListId_ = unit.program_list_id;
  }
  for (int32_t i = 0; i < table.get_program_list_count(units); ++i) {
    v3_program_list_info list{};
    if (table.get_program_list_info(units, i, &list) != V3_OK) continue;
    if (list.id == programListId_ || (programListId_ == -1 && i == 0)) {
      programListId_ = list.id;
      programCount_ = list.programCount;
    }
  }
  releaseOf(units);
}

int32_t Vst3Session::mainBusChannels(int32_t direction) {
  v3_bus_info info{};
  if (componentTable().get_bus_count(component_, V3_AUDIO, direction) < 1 ||
      componentTable().get_bus_info(component_, V3_AUDIO, direction, 0, &info) != V3_OK) {
    return 0;
  }
  return info.channel_count;
}

std::vector<std::string> Vst3Session::identityLines() {
  const Vst3ClassInfo& c = bundle_.effectClass();
  const auto busCount = [&](int32_t media, int32_t direction) {
    return std::to_string(componentTable().get_bus_count(component_, media, direction));
  };
  std::string controller =
      std::to_string(controllerTable().get_parameter_count(controller_)) + " parameters";
  if (hasProgramChange_)
    controller += ", the program change id " + std::to_string(programChangeId_);
  return {
      "class id   " + classIdText(c.classId) + " (" + c.sdkVersion + ")",
      "class      " + c.name + " by " + c.vendor + ", " + c.category + ", version " + c.version,
      "buses      audio " + busCount(V3_AUDIO, V3_INPUT) + " in (" +
          std::to_string(inputChannels_) + " channels), " + busCount(V3_AUDIO, V3_OUTPUT) +
          " out (" + std::to_string(outputChannels_) + " channels); events " +
          busCount(V3_EVENT, V3_INPUT) + " in, " + busCount(V3_EVENT, V3_OUTPUT) + " out",
      "controller " + controller + "; latency " +
          std::to_string(processorTable().get_latency_samples(processor_)) + ", tail " +
          std::to_string(processorTable().get_tail_samples(processor_)),
  };
}

bool Vst3Session::isOverdrive() {
  return v3_tuid_match(bundle_.effectClass().classId, kOverdriveClassId);
}

std::string Vst3Session::parameterId(int32_t index) {
  return std::to_string(parameters_[index].id);
}

std::string Vst3Session::parameterDisplay(int32_t index) {
  const v3_param_id id = parameters_[index].id;
  int16_t text[kTextUnits] = {};
  controllerTable().get_parameter_string_for_value(
      controller_, id, controllerTable().get_parameter_normalised(controller_, id), text);
  text[kTextUnits - 1] = 0;
  return textOf(text);
}

float Vst3Session::parameter(int32_t index) {
  return static_cast<float>(
      controllerTable().get_parameter_normalised(controller_, parameters_[index].id));
}

void Vst3Session::setParameter(int32_t index, float value) {
  const v3_param_id id = parameters_[index].id;
  controllerTable().set_parameter_normalised(controller_, id, value);
  pending_.add(id, 0, value);
}

std::vector<std::string> Vst3Session::programNames() {
  std::vector<std::string> names;
  v3_unit_information** units = nullptr;
  if (programCount_ <= 0 || !queryOf(controller_, v3_unit_information_iid, &units)) return names;
  for (int32_t i = 0; i < programCount_; ++i) {
    int16_t name[kTextUnits] = {};
    tableOf<v3_unit_information_cpp>(units).unit.get_program_name(units, programListId_, i, name);
    name[kTextUnits - 1] = 0;
    names.push_back(textOf(name));
  }
  releaseOf(units);
  return names;
}

int32_t Vst3Session::program() {
  if (!hasProgramChange_ || programSteps_ <= 0) return 0;
  const double value = controllerTable().get_parameter_normalised(controller_, programChangeId_);
  if (!(value >= 0.0)) return 0;
  return value >= 1.0 ? programSteps_ : static_cast<int32_t>(value * programSteps_ + 0.5);
}

void Vst3Session::setProgram(int32_t program) {
  if (!hasProgramChange_ || program < 0 || program > programSteps_) return;
  const double value = programSteps_ > 0 ? static_cast<double>(program) / programSteps_ : 0.0;
  pending_.clear();
  controllerTable().set_parameter_normalised(controller_, programChangeId_, value);
  pending_.add(programChangeId_, 0, value);
}

void Vst3Session::start(float sampleRate, int32_t blockSize) {
  v3_speaker_arrangement in = kStereo, out = kStereo;
  if (inputChannels_ == 2 && outputChannels_ == 2 &&
      processorTable().set_bus_arrangements(processor_, &in, 1, &out, 1) != V3_OK) {
    throw std::runtime_error("'" + bundle_.location() +
                             "' refuses one stereo input and one stereo output");
  }
  for (int32_t direction : {V3_INPUT, V3_OUTPUT})
    componentTable().activate_bus(component_, V3_AUDIO, direction, 0, 1);
  v3_process_setup setup{V3_OFFLINE, V3_SAMPLE_32, blockSize, sampleRate};
  if (processorTable().setup_processing(processor_, &setup) != V3_OK ||
      componentTable().set_active(component_, 1) != V3_OK) {
    throw std::runtime_error("'" + bundle_.location() + "' declined to start");
  }
  // A processor may answer that it has nothing to do here.
  processorTable().set_processing(processor_, 1);
  running_ = true;
}

void Vst3Session::stop() {
  if (!running_) return;
  processorTable().set_processing(processor_, 0);
  componentTable().set_active(component_, 0);
  running_ = false;
}

void Vst3Session::processReplacing(float** inputs, float** outputs, int32_t frames) {
  v3_audio_bus_buffers in{inputChannels_, 0, {inputs}};
  v3_audio_bus_buffers out{outputChannels_, 0, {outputs}};
  v3_process_data data{};
  data.process_mode = V3_OFFLINE;
  data.symbolic_sample_size = V3_SAMPLE_32;
  data.nframes = frames;
  data.num_input_buses = inputChannels_ > 0 ? 1 : 0;
  data.num_output_buses = outputChannels_ > 0 ? 1 : 0;
  data.inputs = &in;
  data.outputs = &out;
  data.input_params = pending_.changes();
  data.output_params = reported_.changes();
  processorTable().process(processor_, &data);
  pending_.clear();
  reported_.clear();
}

bool Vst3Session::componentState(std::vector<uint8_t>& bytes) {
  MemoryStream state;
  if (componentTable().get_state(component_, state.stream()) != V3_OK) return false;
  bytes = state.bytes();
  return true;
}

// The component's state with its size (4 bytes, little-endian) before it, then the controller's.
bool Vst3Session::saveState(std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> component;
  MemoryStream controller;
  if (!componentState(component) ||
      controllerTable().get_state(controller_, controller.stream()) != V3_OK) {
    return false;
  }
  bytes.clear();
  for (int shift = 0; shift < 32; shift += 8)
    bytes.push_back(static_cast<uint8_t>(component.size() >> shift));
  bytes.insert(bytes.end(), component.begin(), component.end());
  bytes.insert(bytes.end(), controller.bytes().begin(), controller.bytes().end());
  return true;
}

bool Vst3Session::loadState(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 4) return false;
  size_t size = 0;
  for (int i = 0; i < 4; ++i) size |= static_cast<size_t>(bytes[i]) << (8 * i);
  if (size > bytes.size() - 4) return false;
  const auto componentEnd = bytes.begin() + 4 + static_cast<std::ptrdiff_t>(size);
  MemoryStream component(std::vector<uint8_t>(bytes.begin() + 4, componentEnd));
  MemoryStream controller(std::vector<uint8_t>(componentEnd, bytes.end()));
  if (componentTable().set_state(component_, component.stream()) != V3_OK) return false;
  component.rewind();
  return controllerTable().set_component_state(controller_, component.stream()) == V3_OK &&
         controllerTable().set_state(controller_, controller.stream()) == V3_OK;
}
