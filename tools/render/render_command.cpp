#include "tools/render/render_command.h"

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "tools/hosting/hosted_plugin.h"
#include "tools/render/audio_file.h"
#include "tools/render/demo_signal.h"
#include "tools/render/effect_rack.h"
#include "tools/render/output_path.h"
#include "tools/render/plugin_info.h"
#include "tools/render/plugin_settings.h"
#include "tools/render/preroll.h"
#include "tools/render/progress.h"
#include "tools/render/render_loop.h"
#include "tools/render/summary.h"

namespace {

// Resolves --program and --set against the first instance's names and applies them, program
// first, to every instance.
void applySelection(const RenderOptions& options, const std::vector<HostedPlugin*>& instances) {
  HostedPlugin& first = *instances.front();
  if (!options.program.empty()) {
    const int32_t program = resolveProgram(options.program, first.programNames());
    for (auto& instance : instances) instance->setProgram(program);
  }
  const std::vector<std::string> names = first.parameterNames(), ids = first.parameterIds();
  for (const std::string& assignment : options.settings) {
    const ParameterSetting setting = resolveSetting(assignment, names, ids);
    for (auto& instance : instances) instance->setParameter(setting.index, setting.value);
  }
}

int describe(const RenderOptions& options) {
  const std::unique_ptr<PluginFile> file = openPluginFile(options.plugin);
  const std::unique_ptr<HostedPlugin> instance = file->newInstance();
  const std::vector<std::string> programNames = instance->programNames();
  applySelection(options, {instance.get()});
  std::fputs(describePlugin(options.plugin, *instance, programNames).c_str(), stdout);
  return 0;
}

// --preroll or --no-preroll as given; else, for Vorra OverDrive, until its smoothed values
// settle; else the default.
int64_t prerollFrames(const RenderOptions& options, EffectRack& rack, float sampleRate) {
  if (options.prerollSeconds) return std::llround(*options.prerollSeconds * sampleRate);
  HostedPlugin& first = *rack.instances().front();
  if (first.isOverdrive()) {
    std::vector<float> values;
    for (int32_t i = 0; i < first.parameterCount(); ++i) values.push_back(first.parameter(i));
    return overdriveSettlingFrames(values, sampleRate, options.blockSize);
  }
  return std::llround(kDefaultPrerollSeconds * sampleRate);
}

void checkDistinct(const std::string& input, const std::string& output) {
  namespace fs = std::filesystem;
  std::error_code error;
  const bool same = fs::weakly_canonical(input, error) == fs::weakly_canonical(output, error) ||
                    fs::equivalent(input, output, error);
  if (same) throw std::runtime_error("output '" + output + "' is the input file");
}

}  // namespace

int runRender(const RenderOptions& options) {
  if (options.info) return describe(options);

  const bool demo = !options.demoOutput.empty();
  const std::string output = demo ? options.demoOutput : options.output;
  const std::string target = resolveOutputPath(output);
  std::unique_ptr<FrameSource> source;
  if (demo) {
    source = std::make_unique<BufferSource>(synthesizeDemoRiff(), kDemoChannels, kDemoSampleRate);
  } else {
    checkDistinct(options.input, target);
    source = std::make_unique<AudioReader>(options.input);
  }

  // The library outlives the rack, whose instances are closed first.
  std::unique_ptr<PluginFile> library;
  std::unique_ptr<EffectRack> rack;
  PassThrough dry(source->channels());
  BlockProcessor* processor = &dry;
  int64_t preroll = 0;
  if (!options.dry) {
    library = openPluginFile(options.plugin);
    rack = std::make_unique<EffectRack>(*library, source->channels(), options.mode);
    std::vector<HostedPlugin*> instances;
    for (auto& instance : rack->instances()) instances.push_back(instance.get());
    applySelection(options, instances);
    const auto sampleRate = static_cast<float>(source->sampleRate());
    preroll = prerollFrames(options, *rack, sampleRate);
    rack->start(sampleRate, options.blockSize);
    processor = rack.get();
  }

  const int rate = static_cast<int>(source->sampleRate());
  AudioWriter writer(target, outputFormatFor(target, options.format, processor->outputChannels()),
                     processor->outputChannels(), rate, options.dither);
  const bool showProgress =
      !options.quiet && isatty(STDERR_FILENO) && source->frames() >= kProgressMinimumSeconds * rate;
  const auto started = std::chrono::steady_clock::now();
  RenderStats stats;
  {
    ProgressBar bar(showProgress, source->frames(), stderr);
    runSilence(*processor, source->channels(), preroll, options.blockSize);
    stats = renderFrames(*source, *processor, writer, options.blockSize,
                         [&bar](int64_t done) { bar.update(done); });
  }
  stats.prerollFrames = preroll;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
  if (rack) rack->stop();
  writer.commit();
  if (!options.quiet)
    std::printf("%s\n", summaryLine(output, stats, rate, elapsed.count()).c_str());
  return 0;
}
