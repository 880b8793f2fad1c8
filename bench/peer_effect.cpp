#include "bench/peer_effect.h"

#include <stdexcept>

#include "tools/hosting/host_callback.h"

PeerEffect::PeerEffect(const std::string& path, double sampleRate, int32_t blockSize)
    : library_(path) {
  for (auto& channel : channels_) {
    channel = std::make_unique<HostSession>(library_.instantiate(answeringHost<>));
    if (channel->record().numInputs != 1 || channel->record().numOutputs != 1) {
      throw std::runtime_error(path + " is not a mono effect");
    }
    channel->start(static_cast<float>(sampleRate), blockSize);
  }
}

void PeerEffect::process(float** inputs, float** outputs, int32_t frames) {
  for (int c = 0; c < 2; ++c) channels_[c]->processReplacing(&inputs[c], &outputs[c], frames);
}
