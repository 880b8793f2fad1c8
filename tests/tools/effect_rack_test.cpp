// How file channels reach plug-in pins, which processing call is used, and the protocol each
// instance sees, against the logging mono test plug-in.
#include "tools/render/effect_rack.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "tools/hosting/host_callback.h"
#include "tools/hosting/host_session.h"
#include "tools/hosting/plugin_library.h"

namespace {

std::string pluginLog() {
  void* handle = dlopen(MONO_GAIN_PLUGIN, RTLD_NOW | RTLD_NOLOAD);
  auto log = reinterpret_cast<const char* (*)()>(dlsym(handle, "testPluginLog"));
  const std::string text = log();
  dlclose(handle);
  return text;
}

size_t count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(ChannelPlan, MonoPluginsRunOnePerChannel) {
  const ChannelPlan stereo = planChannels(2, 1, 1);
  EXPECT_EQ(stereo.instances, 2);
  EXPECT_EQ(stereo.inputFrom, (std::vector<std::vector<int>>{{0}, {1}}));
  ASSERT_EQ(stereo.outputFrom.size(), 2u);
  EXPECT_EQ(stereo.outputFrom[1].instance, 1);
  EXPECT_EQ(stereo.outputFrom[1].pin, 0);
  EXPECT_EQ(planChannels(1, 1, 1).instances, 1);
}

TEST(ChannelPlan, MonoFilesFeedBothInputsOfAStereoPlugin) {
  const ChannelPlan mono = planChannels(1, 2, 2);
  EXPECT_EQ(mono.instances, 1);
  EXPECT_EQ(mono.inputFrom, (std::vector<std::vector<int>>{{0, 0}}));
  EXPECT_EQ(mono.outputFrom.size(), 2u);
  EXPECT_EQ(planChannels(2, 2, 2).inputFrom, (std::vector<std::vector<int>>{{0, 1}}));
}

// A side-chained mono plug-in keys each channel's instance from that channel, a side-chained
// stereo one hears the channels' mean, a mono-to-stereo one takes a mono file; the messages of
// the refusals are checked through the program.
TEST(ChannelPlan, OtherLayoutsAreWiredOnlyWhereTheWiringIsObvious) {
  const ChannelPlan sideChain = planChannels(2, 2, 1);
  EXPECT_EQ(sideChain.instances, 2);
  EXPECT_EQ(sideChain.inputFrom, (std::vector<std::vector<int>>{{0, 0}, {1, 1}}));
  ASSERT_EQ(sideChain.outputFrom.size(), 2u);
  EXPECT_EQ(sideChain.outputFrom[1].instance, 1);
  EXPECT_EQ(planChannels(2, 3, 2).inputFrom,
            (std::vector<std::vector<int>>{{0, 1, ChannelPlan::kMean}}));
  const ChannelPlan spread = planChannels(1, 1, 2);
  EXPECT_EQ(spread.inputFrom, (std::vector<std::vector<int>>{{0}}));
  EXPECT_EQ(spread.outputFrom.size(), 2u);
  EXPECT_THROW(planChannels(2, 1, 2), std::runtime_error) << "1 in 2 out takes mono files only";
  EXPECT_THROW(planChannels(2, 2, 6), std::runtime_error);
}

TEST(ChannelPlan, MoreThanStereoOrNoOutputsIsAnError) {
  EXPECT_THROW(planChannels(3, 2, 2), std::runtime_error);
  EXPECT_THROW(planChannels(0, 2, 2), std::runtime_error);
  EXPECT_THROW(planChannels(2, 2, 0), std::runtime_error);
}

TEST(ProcessMode, ReplacingWhenThePluginCan) {
  EXPECT_EQ(chooseMode("", true, true), ProcessMode::replacing);
  EXPECT_EQ(chooseMode("", false, true), ProcessMode::accumulating);
  EXPECT_EQ(chooseMode("accumulating", true, true), ProcessMode::accumulating);
  EXPECT_EQ(chooseMode("replacing", true, true), ProcessMode::replacing);
  EXPECT_THROW(chooseMode("replacing", false, true), std::runtime_error);
  EXPECT_THROW(chooseMode("accumulating", true, false), std::runtime_error);
}

TEST(EffectRack, EachInstanceSeesTheWholeProtocolInOrder) {
  const PluginLibrary library(MONO_GAIN_PLUGIN);
  const std::string before = pluginLog();
  {
    EffectRack rack(library, 1, "");
    rack.start(48000.0f, 64);
    const float in[3] = {1.0f, 2.0f, 3.0f};
    float out[3];
    rack.process(in, out, 3);
    rack.stop();
  }
  const std::string log = pluginLog().substr(before.size());
  const std::string n = log.substr(0, log.find(' '));
  EXPECT_EQ(log, n + " host version 2400\n" + n + " open\n" + n + " rate 48000.000000\n" + n +
                     " block 64\n" + n + " mains 1\n" + n + " mains 0\n" + n +
                     " close, largest block 3\n");
}

TEST(EffectRack, StereoThroughAMonoPluginKeepsChannelsApartInBothModes) {
  const PluginLibrary library(MONO_GAIN_PLUGIN);
  const float in[8] = {1.0f, -1.0f, 2.0f, -2.0f, 3.0f, -3.0f, 4.0f, -4.0f};
  for (const char* mode : {"replacing", "accumulating"}) {
    const std::string before = pluginLog();
    {
      EffectRack rack(library, 2, mode);
      ASSERT_EQ(rack.instances().size(), 2u);
      EXPECT_EQ(rack.outputChannels(), 2);
      rack.instances()[1]->setProgram(1);  // the right channel at half gain
      rack.start(44100.0f, 3);
      float out[8];
      rack.process(in, out, 3);
      rack.process(in + 6, out + 6, 1);
      EXPECT_EQ(std::vector<float>(out, out + 8),
                (std::vector<float>{1.0f, -0.5f, 2.0f, -1.0f, 3.0f, -1.5f, 4.0f, -2.0f}))
          << mode;
    }
    const std::string log = pluginLog().substr(before.size());
    EXPECT_EQ(count(log, " mains 1\n"), 2u);
    EXPECT_EQ(count(log, " mains 0\n"), 2u) << "a destroyed rack stops its instances";
    EXPECT_EQ(count(log, "close"), 2u);
  }
}

TEST(HostSession, ProgramNamesLeaveTheCurrentProgramSelected) {
  const PluginLibrary library(MONO_GAIN_PLUGIN);
  HostSession session(library.instantiate(answeringHost<>));
  session.setProgram(1);
  EXPECT_EQ(session.programNames(), (std::vector<std::string>{"Unity", "Half"}));
  EXPECT_EQ(session.program(), 1);
  EXPECT_EQ(session.parameterNames(), std::vector<std::string>{"Gain"});
  session.setParameter(0, 0.25f);
  EXPECT_EQ(session.parameter(0), 0.25f);
  EXPECT_EQ(session.parameterDisplay(0), "0.250");
  EXPECT_EQ(session.parameterLabel(0), "x");
}

}  // namespace
