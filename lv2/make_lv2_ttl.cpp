// Writes the LV2 bundle's Turtle files from the parameter descriptors and the engine's programs,
// so that the ports and presets are never written down twice:
//   make_lv2_ttl BUNDLE_DIR DSP_BINARY [UI_BINARY]
// manifest.ttl names the plug-in, its UI (when UI_BINARY is given) and the presets;
// vorra-overdrive.ttl describes the plug-in, its ports and its UI; presets.ttl holds the factory
// programs.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/overdrive_engine.h"
#include "engine/parameter_descriptors.h"
#include "lv2/plugin_uris.h"
#include "lv2/port_layout.h"

namespace {

constexpr char kPrefixes[] =
    "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
    "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix opts:  <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .\n";

constexpr char kDescriptionFile[] = "vorra-overdrive.ttl";
constexpr char kPresetsFile[] = "presets.ttl";

struct AudioPortText {
  const char* symbol;
  const char* name;
};
constexpr AudioPortText kAudioPorts[kAudioPortCount] = {{"left_in", "Left In"},
                                                        {"right_in", "Right In"},
                                                        {"left_out", "Left Out"},
                                                        {"right_out", "Right Out"}};

// The shortest decimal that reads back as `value`: the host gets the very float.
std::string decimal(float value) {
  char text[32];
  for (int digits = 1; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtof(text, nullptr) == value) break;
  }
  std::string number = text;
  if (number.find_first_of(".e") == std::string::npos) number += ".0";
  return number;
}

std::string presetUri(int32_t program) { return kPresetUriPrefix + std::to_string(program); }

const char* portTypes(uint32_t port) {
  switch (port) {
    case kLeftIn:
    case kRightIn: return "lv2:InputPort , lv2:AudioPort";
    case kLeftOut:
    case kRightOut: return "lv2:OutputPort , lv2:AudioPort";
    case kMeterPort: return "lv2:OutputPort , lv2:ControlPort";
    default: return "lv2:InputPort , lv2:ControlPort";
  }
}

std::string portText(uint32_t port) {
  std::ostringstream ttl;
  ttl << "\t\ta " << portTypes(port) << " ;\n\t\tlv2:index " << port << " ;\n";
  if (port < kAudioPortCount) {
    ttl << "\t\tlv2:symbol \"" << kAudioPorts[port].symbol << "\" ;\n"
        << "\t\tlv2:name \"" << kAudioPorts[port].name << "\"\n";
  } else if (const int32_t index = parameterOfPort(port); index >= 0) {
    const ParameterDescriptor& parameter = kParameterDescriptors[index];
    ttl << "\t\tlv2:symbol \"" << parameter.symbol << "\" ;\n"
        << "\t\tlv2:name \"" << parameter.name << "\" ;\n"
        << "\t\tlv2:default " << decimal(portValueOf(index, parameter.defaultValue)) << " ;\n"
        << "\t\tlv2:minimum " << decimal(parameter.minimum) << " ;\n"
        << "\t\tlv2:maximum " << decimal(parameter.maximum) << (parameter.toggle ? " ;\n" : "\n");
    if (parameter.toggle) ttl << "\t\tlv2:portProperty lv2:toggled\n";
  } else {
    // The engine's meter: the largest final value of the last block.
    ttl << "\t\tlv2:symbol \"meter\" ;\n"
        << "\t\tlv2:name \"Meter\" ;\n"
        << "\t\tlv2:minimum 0.0 ;\n"
        << "\t\tlv2:maximum 1.0\n";
  }
  return ttl.str();
}

std::string manifest(const std::string& dspBinary, const std::string& uiBinary) {
  std::ostringstream ttl;
  ttl << kPrefixes << "\n<" << kPluginUri << ">\n\ta lv2:Plugin ;\n\tlv2:binary <" << dspBinary
      << "> ;\n\trdfs:seeAlso <" << kDescriptionFile << "> .\n";
  if (!uiBinary.empty()) {
    ttl << "\n<" << kUiUri << ">\n\ta ui:X11UI ;\n\tui:binary <" << uiBinary
        << "> ;\n\trdfs:seeAlso <" << kDescriptionFile << "> .\n";
  }
  // Typed and tied to the plug-in here, so hosts find the presets without reading them all.
  for (int32_t program = 0; program < OverdriveEngine::kProgramCount; ++program) {
    ttl << "\n<" << presetUri(program) << ">\n\ta pset:Preset ;\n\tlv2:appliesTo <" << kPluginUri
        << "> ;\n\trdfs:seeAlso <" << kPresetsFile << "> .\n";
  }
  return ttl.str();
}

// No feature is required, so every host can load it; urid:map gives it a state.
std::string description(bool withUi) {
  std::ostringstream ttl;
  ttl << kPrefixes << "\n<" << kPluginUri << ">\n"
      << "\ta lv2:Plugin , lv2:DistortionPlugin ;\n"
      << "\tdoap:name \"Vorra OverDrive\" ;\n"
      << "\tlv2:minorVersion 2 ;\n"
      << "\tlv2:microVersion 0 ;\n"
      << "\tlv2:optionalFeature lv2:hardRTCapable , urid:map ;\n"
      << "\tlv2:extensionData state:interface ;\n";
  if (withUi) ttl << "\tui:ui <" << kUiUri << "> ;\n";
  ttl << "\tlv2:port ";
  for (uint32_t port = 0; port < kPortCount; ++port)
    ttl << (port ? " , " : "") << "[\n" << portText(port) << "\t]";
  ttl << " .\n";
  if (withUi) {
    // The window is a child of the host's and handles its events in the host's idle calls.
    ttl << "\n<" << kUiUri << ">\n"
        << "\ta ui:X11UI ;\n"
        << "\tlv2:requiredFeature ui:idleInterface , ui:parent ;\n"
        << "\tlv2:optionalFeature ui:resize , ui:touch , opts:options , urid:map ;\n"
        << "\tlv2:extensionData ui:idleInterface ;\n"
        << "\topts:supportedOption ui:scaleFactor .\n";
  }
  return ttl.str();
}

std::string presets() {
  OverdriveEngine engine;
  std::ostringstream ttl;
  ttl << kPrefixes;
  for (int32_t program = 0; program < OverdriveEngine::kProgramCount; ++program) {
    engine.loadProgram(program);
    ttl << "\n<" << presetUri(program) << ">\n\ta pset:Preset ;\n\tlv2:appliesTo <" << kPluginUri
        << "> ;\n\trdfs:label \"" << engine.programName(program) << "\" ;\n\tlv2:port ";
    for (int32_t i = 0; i < kParameterCount; ++i) {
      ttl << (i ? " , " : "") << "[\n\t\tlv2:symbol \"" << kParameterDescriptors[i].symbol
          << "\" ;\n\t\tpset:value " << decimal(portValueOf(i, engine.parameter(i))) << "\n\t]";
    }
    ttl << " .\n";
  }
  return ttl.str();
}

bool writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  file.close();
  if (file) return true;
  std::fprintf(stderr, "make_lv2_ttl: cannot write %s\n", path.string().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: make_lv2_ttl BUNDLE_DIR DSP_BINARY [UI_BINARY]\n");
    return 2;
  }
  const std::filesystem::path bundle = argv[1];
  const std::string uiBinary = argc == 4 ? argv[3] : "";
  std::error_code error;
  std::filesystem::create_directories(bundle, error);
  const bool written = writeFile(bundle / "manifest.ttl", manifest(argv[2], uiBinary)) &&
                       writeFile(bundle / kDescriptionFile, description(!uiBinary.empty())) &&
                       writeFile(bundle / kPresetsFile, presets());
  return written ? 0 : 1;
}
