// A plug-in instance created through `main`, driven through its record as a host would.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_probe.h"
#include "support/recording_host.h"
#include "vst2/overdrive_plugin.h"

// The engine behind a record the plug-in's entry answered.
inline OverdriveEngine& engineOf(AEffect* record) {
  return static_cast<OverdriveEffect*>(effectOf(record))->engine();
}

// The bits of a float, for exact comparisons with the documented patterns.
inline uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// A stereo block of samples, laid out as the host's channel pointers.
struct StereoBuffer {
  explicit StereoBuffer(size_t frames, float leftValue = 0.0f, float rightValue = 0.0f)
      : left(frames, leftValue), right(frames, rightValue) {}
  float** channels() {
    pointers[0] = left.data();
    pointers[1] = right.data();
    return pointers;
  }
  std::vector<float> left, right;
  float* pointers[2];
};

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    record = pluginMain(RecordingHost::callback);
    ASSERT_NE(record, nullptr);
    effect = static_cast<OverdriveEffect*>(effectOf(record));
  }
  void TearDown() override {
    if (record) record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  }

  // The engine's state, read and set through its one seam.
  EngineSnapshot state() const { return EngineProbe::snapshot(effect->engine()); }
  const OverdriveProgram& program(int32_t index) const {
    return EngineProbe::program(effect->engine(), index);
  }
  const float* shaperTable() const { return EngineProbe::shaperTable(effect->engine()); }
  template <typename Change>
  void changeState(Change change) {
    EngineSnapshot changed = state();
    change(changed);
    EngineProbe::restore(effect->engine(), changed);
  }

  intptr_t send(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                float opt = 0.0f) {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
  }
  std::string text(int32_t opcode, int32_t index = 0) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    buffer[sizeof buffer - 1] = '\0';
    send(opcode, index, 0, buffer);
    return buffer;
  }
  std::vector<std::string> displays() {
    std::vector<std::string> texts;
    for (int32_t i = 0; i < 6; ++i) texts.push_back(text(effGetParamDisplay, i));
    return texts;
  }
  void setAll(const std::vector<float>& values) {
    for (size_t i = 0; i < values.size(); ++i) {
      record->setParameter(record, static_cast<int32_t>(i), values[i]);
    }
  }
  void replacing(StereoBuffer& in, StereoBuffer& out) {
    record->processReplacing(record, in.channels(), out.channels(),
                             static_cast<int32_t>(in.left.size()));
  }
  void accumulating(StereoBuffer& in, StereoBuffer& out) {
    record->process(record, in.channels(), out.channels(), static_cast<int32_t>(in.left.size()));
  }

  RecordingHost host;
  AEffect* record = nullptr;
  OverdriveEffect* effect = nullptr;
};
