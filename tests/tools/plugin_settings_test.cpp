// --program and --set resolved against the names a plug-in reports.
#include "tools/render/plugin_settings.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kPrograms = {"Reset", "Boost", "Drive"};
const std::vector<std::string> kParameters = {" PreBand  ", "  Color   ", "  PreAmp  ",
                                              "  x 100   ", "PostFilter", " PostGain "};

std::string messageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(PluginSettings, ProgramsByNumberOrNameInAnyCase) {
  EXPECT_EQ(resolveProgram("0", kPrograms), 0);
  EXPECT_EQ(resolveProgram("2", kPrograms), 2);
  EXPECT_EQ(resolveProgram("Boost", kPrograms), 1);
  EXPECT_EQ(resolveProgram("drive", kPrograms), 2);
  EXPECT_EQ(messageOf([] { resolveProgram("3", kPrograms); }),
            "unknown program '3' (the plug-in has Reset, Boost, Drive)");
  EXPECT_EQ(messageOf([] { resolveProgram("Crunch", kPrograms); }),
            "unknown program 'Crunch' (the plug-in has Reset, Boost, Drive)");
  EXPECT_EQ(messageOf([] { resolveProgram("", kPrograms); }),
            "unknown program '' (the plug-in has Reset, Boost, Drive)");
  EXPECT_EQ(messageOf([] { resolveProgram("0", {}); }),
            "unknown program '0' (the plug-in has none)");
}

TEST(PluginSettings, ParametersByPaddedNameOrIndex) {
  const ParameterSetting preAmp = resolveSetting("preamp=0.75", kParameters);
  EXPECT_EQ(preAmp.index, 2);
  EXPECT_EQ(preAmp.value, 0.75f);
  EXPECT_EQ(resolveSetting("x100=1", kParameters).index, 3);
  EXPECT_EQ(resolveSetting("x 100 = 1", kParameters).index, 3);
  const ParameterSetting byIndex = resolveSetting("5=2.5e-1", kParameters);
  EXPECT_EQ(byIndex.index, 5);
  EXPECT_EQ(byIndex.value, 0.25f);
}

TEST(PluginSettings, BadSettingsSayWhatIsWrong) {
  EXPECT_EQ(messageOf([] { resolveSetting("Gain=1", kParameters); }),
            "unknown parameter 'Gain' (the plug-in has PreBand, Color, PreAmp, x 100, PostFilter, "
            "PostGain)");
  EXPECT_NE(messageOf([] { resolveSetting("6=1", kParameters); }).find("unknown parameter '6'"),
            std::string::npos);
  EXPECT_EQ(messageOf([] { resolveSetting("PreAmp", kParameters); }),
            "--set 'PreAmp' is not NAME=VALUE");
  for (const char* value :
       {"PreAmp=", "PreAmp=loud", "PreAmp=0.5x", "PreAmp=nan", "PreAmp=inf", "PreAmp=1e99"}) {
    EXPECT_NE(messageOf([&] { resolveSetting(value, kParameters); }).find("is not a number"),
              std::string::npos)
        << value;
  }
}

}  // namespace
