// The plug-in file itself, loaded by path and reached only through its exported entry.
#include "support/plugin_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/recording_host.h"

namespace {

TEST(PluginFileExports, OnlyTheEntryNamesAreVisible) {
  BuiltPlugin plugin;
  EXPECT_NE(plugin.symbol("main"), nullptr);
#ifdef _WIN32
  EXPECT_EQ(plugin.symbol("VSTPluginMain"), nullptr) << "the DLL exports main alone";
#else
  EXPECT_EQ(plugin.symbol("VSTPluginMain"), plugin.symbol("main")) << "one function, two names";
#endif
  for (const char* internal : {"pluginMain", "engineMemory", "moduleHandle", "dispatcherEntry"}) {
    EXPECT_EQ(plugin.symbol(internal), nullptr) << internal;
  }
}

TEST(PluginFileExports, EntrySoundsTheWorkedBlock) {
  BuiltPlugin plugin;
  RecordingHost host;
  AEffect* record = plugin.entry()(RecordingHost::callback);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->numInputs, 2);
  EXPECT_EQ(record->uniqueID, fourCharConstant("ZRVQ"));
  const float values[] = {0.0f, 0.5f, 0.0f, 0.33f, 0.0f, 1.0f};
  for (int32_t i = 0; i < 6; ++i) record->setParameter(record, i, values[i]);
  std::vector<float> left(4, 0.5f), right(4, -0.5f), outLeft(4), outRight(4);
  float* in[2] = {left.data(), right.data()};
  float* out[2] = {outLeft.data(), outRight.data()};
  record->processReplacing(record, in, out, 4);
  EXPECT_EQ(outLeft[3], 0.8177195191383362f);
  EXPECT_EQ(outRight[3], -0.8175846338272095f);
  EXPECT_EQ(record->dispatcher(record, effGetVu, 0, 0, nullptr, 0.0f),
            static_cast<intptr_t>(0.8397546410560608 * 32767.0));
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
}

}  // namespace
