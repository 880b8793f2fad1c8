#include "tools/render/effect_rack.h"

#include <algorithm>
#include <stdexcept>

namespace {

std::string count(int32_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

ChannelPlan planChannels(int fileChannels, int32_t pluginInputs, int32_t pluginOutputs,
                         const std::string& plugin) {
  if (fileChannels < 1 || fileChannels > 2) {
    throw std::runtime_error("the input has " + std::to_string(fileChannels) +
                             " channels; only mono and stereo are supported");
  }
  const std::string layout =
      plugin + " has " + count(pluginInputs, "input") + " and " + count(pluginOutputs, "output");
  ChannelPlan plan;
  if ((pluginInputs == 2 || pluginInputs == 3) && pluginOutputs == 2) {
    // A third input is a side-chain, keyed by the mean of the channels.
    plan.inputFrom.push_back({0, fileChannels - 1});
    if (pluginInputs == 3) plan.inputFrom.back().push_back(ChannelPlan::kMean);
    plan.outputFrom = {{0, 0}, {0, 1}};
  } else if ((pluginInputs == 1 || pluginInputs == 2) && pluginOutputs == 1) {
    // One instance per channel; a second input is a side-chain, keyed by the channel itself.
    plan.instances = fileChannels;
    for (int c = 0; c < fileChannels; ++c) {
      plan.inputFrom.push_back(std::vector<int>(pluginInputs, c));
      plan.outputFrom.push_back({c, 0});
    }
  } else if (pluginInputs == 1 && pluginOutputs == 2) {
    if (fileChannels != 1) {
      throw std::runtime_error(layout + ": it takes mono files only, and the input is stereo");
    }
    plan.inputFrom.push_back({0});
    plan.outputFrom = {{0, 0}, {0, 1}};
  } else {
    throw std::runtime_error(
        layout + "; only 2 in 2 out, 3 in 2 out, 1 in 1 out, 2 in 1 out and 1 in 2 out are wired");
  }
  return plan;
}

ProcessMode chooseMode(const std::string& requested, bool canReplace, bool canAccumulate) {
  if (requested == "accumulating" && !canAccumulate) {
    throw std::runtime_error("the plug-in cannot process accumulating; use --mode replacing");
  }
  if (requested == "replacing" && !canReplace) {
    throw std::runtime_error("the plug-in cannot process replacing; use --mode accumulating");
  }
  if (requested == "accumulating" || !canReplace) return ProcessMode::accumulating;
  return ProcessMode::replacing;
}

EffectRack::EffectRack(const PluginFile& file, int fileChannels, const std::string& mode)
    : fileChannels_(fileChannels) {
  instances_.push_back(file.newInstance());
  HostedPlugin& first = *instances_.front();
  plan_ = planChannels(fileChannels, first.inputCount(), first.outputCount(),
                       "plug-in '" + file.location() + "'");
  mode_ = chooseMode(mode, first.canReplace(), first.canAccumulate());
  while (static_cast<int>(instances_.size()) < plan_.instances)
    instances_.push_back(file.newInstance());
}

void EffectRack::start(float sampleRate, int32_t blockSize) {
  buffers_.clear();
  for (auto& instance : instances_) {
    Buffers b;
    b.inputs.assign(instance->inputCount(), std::vector<float>(blockSize));
    b.outputs.assign(instance->outputCount(), std::vector<float>(blockSize));
    for (auto& channel : b.inputs) b.inputPointers.push_back(channel.data());
    for (auto& channel : b.outputs) b.outputPointers.push_back(channel.data());
    buffers_.push_back(std::move(b));
    instance->start(sampleRate, blockSize);
  }
}

void EffectRack::stop() {
  for (auto& instance : instances_) instance->stop();
}

void EffectRack::process(const float* input, float* output, int32_t frames) {
  for (size_t i = 0; i < instances_.size(); ++i) {
    Buffers& b = buffers_[i];
    for (size_t pin = 0; pin < b.inputs.size(); ++pin) {
      const int from = plan_.inputFrom[i][pin];
      for (int32_t f = 0; f < frames; ++f) {
        const float* frame = input + static_cast<size_t>(f) * fileChannels_;
        b.inputs[pin][f] = from != ChannelPlan::kMean ? frame[from]
                           : fileChannels_ == 1       ? frame[0]
                                                      : 0.5f * (frame[0] + frame[1]);
      }
    }
    if (mode_ == ProcessMode::replacing) {
      instances_[i]->processReplacing(b.inputPointers.data(), b.outputPointers.data(), frames);
    } else {
      for (auto& channel : b.outputs) std::fill_n(channel.begin(), frames, 0.0f);
      instances_[i]->processAccumulating(b.inputPointers.data(), b.outputPointers.data(), frames);
    }
  }
  const size_t outChannels = plan_.outputFrom.size();
  for (size_t c = 0; c < outChannels; ++c) {
    const std::vector<float>& from =
        buffers_[plan_.outputFrom[c].instance].outputs[plan_.outputFrom[c].pin];
    for (int32_t f = 0; f < frames; ++f) output[static_cast<size_t>(f) * outChannels + c] = from[f];
  }
}
