// The plug-in instances that process a file, and how the file's channels reach their pins.
// A plug-in with one input and one output runs as one instance per channel; any other runs
// as one instance, with a mono file feeding both of its first two inputs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/render/host_session.h"
#include "tools/render/plugin_library.h"
#include "tools/render/render_loop.h"

struct ChannelPlan {
  struct Pin {
    int instance;
    int pin;
  };
  int instances = 1;
  // Per instance, per input pin: the file channel it reads, or -1 for silence.
  std::vector<std::vector<int>> inputFrom;
  // Per output channel: the instance and output pin it comes from.
  std::vector<Pin> outputFrom;
};

// Throws std::runtime_error for files of more than two channels and plug-ins without outputs.
ChannelPlan planChannels(int fileChannels, int32_t pluginInputs, int32_t pluginOutputs);

enum class ProcessMode { replacing, accumulating };

// `requested` is "replacing", "accumulating" or empty for the plug-in's preference.
ProcessMode chooseMode(const std::string& requested, int32_t pluginFlags);

class EffectRack : public BlockProcessor {
 public:
  EffectRack(const PluginLibrary& library, int fileChannels, const std::string& mode);

  // The instances in channel order; settings go to every one.
  std::vector<std::unique_ptr<HostSession>>& instances() { return instances_; }

  void start(float sampleRate, int32_t blockSize);
  void stop();

  int outputChannels() const override { return static_cast<int>(plan_.outputFrom.size()); }
  void process(const float* input, float* output, int32_t frames) override;

 private:
  struct Buffers {
    std::vector<std::vector<float>> inputs, outputs;
    std::vector<float*> inputPointers, outputPointers;
  };

  std::vector<std::unique_ptr<HostSession>> instances_;
  ChannelPlan plan_;
  ProcessMode mode_;
  int fileChannels_;
  std::vector<Buffers> buffers_;
};
