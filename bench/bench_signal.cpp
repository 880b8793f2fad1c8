#include "bench/bench_signal.h"

#include <stdexcept>

#include "bench/baseline_chain.h"
#include "tests/support/split_mix.h"
#include "tools/hosting/host_callback.h"
#include "vst2/overdrive_plugin.h"

StereoBuffer::StereoBuffer(int32_t frames) : left(frames), right(frames) {}

float** StereoBuffer::at(int32_t offset) {
  pointers[0] = left.data() + offset;
  pointers[1] = right.data() + offset;
  return pointers;
}

NoiseRing::NoiseRing(float level, uint64_t seed) {
  SplitMix random{seed};
  auto next = [&random] { return random.unit() * 2.0f - 1.0f; };
  for (int32_t i = 0; i < kFrames; ++i) {
    samples_.left[i] = next() * level;
    samples_.right[i] = next() * level;
  }
}

float** NoiseRing::next(int32_t frames) {
  if (position_ + frames > kFrames) position_ = 0;
  float** block = samples_.at(position_);
  position_ += frames;
  return block;
}

OverdriveInstance::OverdriveInstance(int32_t program) : record_(pluginMain(answeringHost<>)) {
  if (!record_) throw std::runtime_error("the plug-in did not start");
  record_->dispatcher(record_, effSetProgram, 0, program, nullptr, 0.0f);
}

OverdriveInstance::~OverdriveInstance() {
  record_->dispatcher(record_, effClose, 0, 0, nullptr, 0.0f);
}

void OverdriveInstance::process(float** inputs, float** outputs, int32_t frames) {
  record_->processReplacing(record_, inputs, outputs, frames);
}

void OverdriveInstance::processBaseline(float** inputs, float** outputs, int32_t frames) {
  baselineProcessReplacing(engine(), inputs, outputs, frames);
}

void OverdriveInstance::moveParameters() {
  // A triangle of 64 steps on each parameter, each at its own phase.
  auto triangle = [this](int32_t phase) {
    const int32_t t = (moves_ + phase) % 64;
    return static_cast<float>(t < 32 ? t : 64 - t) / 32.0f;
  };
  record_->setParameter(record_, 1, 0.3f + 0.4f * triangle(0));
  record_->setParameter(record_, 2, 0.5f + 0.5f * triangle(21));
  record_->setParameter(record_, 4, triangle(42));
  ++moves_;
}

OverdriveEngine& OverdriveInstance::engine() {
  return static_cast<OverdriveEffect*>(effectOf(record_))->engine();
}
