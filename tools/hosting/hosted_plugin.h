// A plug-in instance of any format as this project's programs host it (the renderer, the manual
// and the cross-format tests): its pins, parameters with the host's values 0 to 1, programs,
// processing and session state. Each format's host side implements it; nothing here throws
// across the plug-in's own entries, but the host side throws std::runtime_error with a message
// a user can read when a plug-in cannot be loaded or refuses to start.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class HostedPlugin {
 public:
  virtual ~HostedPlugin() = default;

  // The lines `vorra-render --info` prints before the parameters: the format's identity of
  // the plug-in, its pins and what the format says of its abilities.
  virtual std::vector<std::string> identityLines() = 0;
  // Whether this is Vorra OverDrive in any of its formats, whose settling can be measured.
  virtual bool isOverdrive() = 0;
  virtual int32_t inputCount() = 0;
  virtual int32_t outputCount() = 0;
  // Which processing calls the plug-in offers: every format replaces; only VST2 may add instead.
  virtual bool canReplace() { return true; }
  virtual bool canAccumulate() { return false; }

  virtual int32_t parameterCount() = 0;
  virtual std::string parameterName(int32_t index) = 0;
  // The key the format stores the parameter by (an LV2 symbol, a CLAP or VST3 id); empty where
  // it has none but the index.
  virtual std::string parameterId(int32_t index) = 0;
  virtual std::string parameterLabel(int32_t index) = 0;
  virtual std::string parameterDisplay(int32_t index) = 0;
  virtual float parameter(int32_t index) = 0;
  // Takes effect from the start of the next block.
  virtual void setParameter(int32_t index, float value) = 0;

  virtual std::vector<std::string> programNames() = 0;
  virtual int32_t program() = 0;
  virtual void setProgram(int32_t program) = 0;

  // Sample rate and the largest block; then blocks of at most that many frames.
  virtual void start(float sampleRate, int32_t blockSize) = 0;
  virtual void stop() = 0;
  virtual void processReplacing(float** inputs, float** outputs, int32_t frames) = 0;
  // Adds to what `outputs` hold; only where canAccumulate, else it throws.
  virtual void processAccumulating(float** inputs, float** outputs, int32_t frames);

  // The session as the format saves it; false where the format or the plug-in has none.
  virtual bool saveState(std::vector<uint8_t>& bytes) = 0;
  virtual bool loadState(const std::vector<uint8_t>& bytes) = 0;

  std::vector<std::string> parameterNames() {
    std::vector<std::string> names;
    for (int32_t i = 0; i < parameterCount(); ++i) names.push_back(parameterName(i));
    return names;
  }
  std::vector<std::string> parameterIds() {
    std::vector<std::string> ids;
    for (int32_t i = 0; i < parameterCount(); ++i) ids.push_back(parameterId(i));
    return ids;
  }
};

inline void HostedPlugin::processAccumulating(float**, float**, int32_t) {
  throw std::logic_error("this plug-in's format only replaces its outputs");
}

// A loaded plug-in file or bundle, from which instances are made.
class PluginFile {
 public:
  virtual ~PluginFile() = default;
  // Every instance must be destroyed before the file.
  virtual std::unique_ptr<HostedPlugin> newInstance() const = 0;
  virtual const std::string& location() const = 0;
};

// Opens a plug-in by where it lies; the format follows from the location (plugin_formats.cpp).
std::unique_ptr<PluginFile> openPluginFile(const std::string& location);
