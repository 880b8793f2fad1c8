// The DSP library's instance as a host drives it through lv2_descriptor: the meter port after
// each run, and the state that brings a session back bit for bit although the host writes the
// control ports back with 8 decimal places, as lilv does.
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/overdrive_engine.h"
#include "lv2/port_layout.h"
#include "support/split_mix.h"
#include "tools/hosting/urid_table.h"

namespace {

constexpr int32_t kBlock = 256;
// Blocks after which the smoothed values have glided from "Reset" to the settings, so that a
// difference in the last bits of a setting shows in the output.
constexpr int kSettled = 200;

// The host's urid:map, the table vorra-render hosts LV2 plug-ins with.
struct UridMap {
  UridTable table;
  LV2_Feature feature{LV2_URID__map, table.mapFeature()};
  const LV2_Feature* features[2] = {&feature, nullptr};
};

// What a state save stored: one property.
struct Stored {
  uint32_t key = 0, type = 0, flags = 0;
  std::vector<uint8_t> value;
};

LV2_State_Status store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size,
                       uint32_t type, uint32_t flags) {
  auto& stored = *static_cast<Stored*>(handle);
  const auto* bytes = static_cast<const uint8_t*>(value);
  stored = {key, type, flags, std::vector<uint8_t>(bytes, bytes + size)};
  return LV2_STATE_SUCCESS;
}

const void* retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                     uint32_t* flags) {
  const auto& stored = *static_cast<Stored*>(handle);
  if (key != stored.key) return nullptr;
  *size = stored.value.size();
  *type = stored.type;
  *flags = stored.flags;
  return stored.value.data();
}

class Instance {
 public:
  explicit Instance(const LV2_Feature* const* features, const std::vector<float>& values)
      : descriptor(lv2_descriptor(0)),
        handle(descriptor->instantiate(descriptor, 44100.0, "", features)) {
    for (int32_t i = 0; i < kParameterCount; ++i) controls[i] = values[i];
    for (uint32_t port = 0; port < kAudioPortCount; ++port)
      descriptor->connect_port(handle, port, audio[port].data());
    for (int32_t i = 0; i < kParameterCount; ++i)
      descriptor->connect_port(handle, portOfParameter(i), &controls[i]);
    descriptor->connect_port(handle, kMeterPort, &meter);
    descriptor->activate(handle);
  }
  ~Instance() {
    descriptor->deactivate(handle);
    descriptor->cleanup(handle);
  }

  LV2_State_Status save(Stored& stored, const LV2_Feature* const* features) {
    return state().save(handle, store, &stored, 0, features);
  }
  LV2_State_Status restore(Stored& stored, const LV2_Feature* const* features) {
    return state().restore(handle, retrieve, &stored, 0, features);
  }

  // Both channels of `blocks` blocks of the same noise every instance gets.
  std::vector<float> run(int blocks) {
    SplitMix random{7};
    std::vector<float> out;
    for (int b = 0; b < blocks; ++b) {
      for (uint32_t channel : {kLeftIn, kRightIn}) {
        for (float& sample : audio[channel]) sample = random.unit() * 1.6f - 0.8f;
      }
      descriptor->run(handle, kBlock);
      for (uint32_t channel : {kLeftOut, kRightOut})
        out.insert(out.end(), audio[channel].begin(), audio[channel].end());
    }
    return out;
  }

  std::vector<float> audio[kAudioPortCount] = {
      std::vector<float>(kBlock), std::vector<float>(kBlock), std::vector<float>(kBlock),
      std::vector<float>(kBlock)};
  float controls[kParameterCount] = {};
  float meter = -1.0f;

 private:
  const LV2_State_Interface& state() const {
    return *static_cast<const LV2_State_Interface*>(
        descriptor->extension_data(LV2_STATE__interface));
  }

  const LV2_Descriptor* descriptor;
  LV2_Handle handle;
};

// The program's values, with PostGain where 8 decimal places no longer hold a float exactly.
std::vector<float> sessionValues() {
  OverdriveEngine engine;
  engine.loadProgram(2);
  std::vector<float> values;
  for (int32_t i = 0; i < kParameterCount; ++i) values.push_back(engine.parameter(i));
  values[kPostGain] = 0.0123456789f;
  return values;
}

// What lilv writes for a port and reads back: 8 decimal places.
std::vector<float> writtenBack(std::vector<float> values) {
  for (float& value : values) value = static_cast<float>(std::round(value * 1e8) / 1e8);
  return values;
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

Stored savedSession(const UridMap& host, const std::vector<float>& values) {
  Instance original(host.features, values);
  original.run(1);  // the ports reach the engine
  Stored stored;
  EXPECT_EQ(original.save(stored, host.features), LV2_STATE_SUCCESS);
  return stored;
}

TEST(Lv2Instance, TheMeterPortShowsTheEnginesMeterAfterEachRun) {
  const std::vector<float> values = sessionValues();
  Instance instance(nullptr, values);
  OverdriveEngine engine;
  for (int32_t i = 0; i < kParameterCount; ++i) engine.setParameter(i, values[i]);
  for (int block = 0; block < 3; ++block) {
    instance.run(1);
    std::vector<float> left = instance.audio[kLeftIn], right = instance.audio[kRightIn];
    float* inputs[2] = {left.data(), right.data()};
    engine.processReplacing(inputs, inputs, kBlock);
    const float meter = engine.meter();
    EXPECT_EQ(std::memcmp(&instance.meter, &meter, sizeof meter), 0) << instance.meter;
  }
}

TEST(Lv2Instance, ASessionComesBackBitForBitThoughTheHostWritesThePortsWithEightDecimals) {
  UridMap host;
  const std::vector<float> exact = sessionValues(), rounded = writtenBack(exact);
  ASSERT_NE(exact[kPostGain], rounded[kPostGain]);
  Stored stored = savedSession(host, exact);

  Instance restored(host.features, rounded);
  ASSERT_EQ(restored.restore(stored, host.features), LV2_STATE_SUCCESS);
  const std::vector<float> fromSession = restored.run(kSettled);
  EXPECT_TRUE(sameBits(fromSession, Instance(host.features, exact).run(kSettled)));
  // Without the state the rounded port would sound: the case means something.
  EXPECT_FALSE(sameBits(fromSession, Instance(host.features, rounded).run(kSettled)));
}

TEST(Lv2Instance, APortAwayFromTheRestoredValueTakesOverAtTheFirstRun) {
  UridMap host;
  const std::vector<float> saved = sessionValues();
  Stored stored = savedSession(host, saved);
  std::vector<float> moved = saved;
  moved[kPreAmp] = 0.7f;
  moved[kPostGain] = 0.25f;

  Instance restored(host.features, moved);
  ASSERT_EQ(restored.restore(stored, host.features), LV2_STATE_SUCCESS);
  EXPECT_TRUE(sameBits(restored.run(kSettled), Instance(host.features, moved).run(kSettled)));
}

}  // namespace
