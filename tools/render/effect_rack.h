// The plug-in instances that process a file, and how the file's channels reach their pins.
// Only layouts with one obvious wiring are taken: 2 in 2 out runs as one instance, a mono file
// feeding both inputs, and 3 in 2 out likewise with the mean of the channels on the third, a
// side-chain; 1 in 1 out and 2 in 1 out (the second input a side-chain, fed the channel itself)
// run as one instance per channel; 1 in 2 out takes mono files only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/hosting/hosted_plugin.h"
#include "tools/render/render_loop.h"

struct ChannelPlan {
  struct Pin {
    int instance;
    int pin;
  };
  static constexpr int kMean = -1;  // the mean of the file's channels
  int instances = 1;
  // Per instance, per input pin: the file channel it reads, or kMean.
  std::vector<std::vector<int>> inputFrom;
  // Per output channel: the instance and output pin it comes from.
  std::vector<Pin> outputFrom;
};

// Throws std::runtime_error, naming the plug-in's counts, for any other layout, and for files of
// more than two channels.
// `plugin` is how the message names the plug-in.
ChannelPlan planChannels(int fileChannels, int32_t pluginInputs, int32_t pluginOutputs,
                         const std::string& plugin = "the plug-in");

enum class ProcessMode { replacing, accumulating };

// `requested` is "replacing", "accumulating" or empty for the plug-in's preference: replacing
// where it can.
ProcessMode chooseMode(const std::string& requested, bool canReplace, bool canAccumulate);

class EffectRack : public BlockProcessor {
 public:
  EffectRack(const PluginFile& file, int fileChannels, const std::string& mode);

  // The instances in channel order; settings go to every one.
  std::vector<std::unique_ptr<HostedPlugin>>& instances() { return instances_; }

  void start(float sampleRate, int32_t blockSize);
  void stop();

  int outputChannels() const override { return static_cast<int>(plan_.outputFrom.size()); }
  void process(const float* input, float* output, int32_t frames) override;

 private:
  struct Buffers {
    std::vector<std::vector<float>> inputs, outputs;
    std::vector<float*> inputPointers, outputPointers;
  };

  std::vector<std::unique_ptr<HostedPlugin>> instances_;
  ChannelPlan plan_;
  ProcessMode mode_;
  int fileChannels_;
  std::vector<Buffers> buffers_;
};
