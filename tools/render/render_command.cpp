#include "tools/render/render_command.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "tools/render/audio_file.h"
#include "tools/render/demo_signal.h"
#include "tools/render/effect_rack.h"
#include "tools/render/plugin_info.h"
#include "tools/render/plugin_library.h"
#include "tools/render/plugin_settings.h"
#include "tools/render/progress.h"
#include "tools/render/render_loop.h"
#include "tools/render/summary.h"

namespace {

// Resolves --program and --set against the first instance's names and applies them, program
// first, to every instance.
void applySelection(const RenderOptions& options,
                    std::vector<std::unique_ptr<HostSession>>& instances) {
  HostSession& first = *instances.front();
  if (!options.program.empty()) {
    const int32_t program = resolveProgram(options.program, first.programNames());
    for (auto& instance : instances) instance->setProgram(program);
  }
  const std::vector<std::string> names = first.parameterNames();
  for (const std::string& assignment : options.settings) {
    const ParameterSetting setting = resolveSetting(assignment, names);
    for (auto& instance : instances) instance->setParameter(setting.index, setting.value);
  }
}

int describe(const RenderOptions& options) {
  const PluginLibrary library(options.plugin);
  std::vector<std::unique_ptr<HostSession>> instances;
  instances.push_back(std::make_unique<HostSession>(library.instantiate(renderHostCallback)));
  const std::vector<std::string> programNames = instances.front()->programNames();
  applySelection(options, instances);
  std::fputs(describePlugin(options.plugin, *instances.front(), programNames).c_str(), stdout);
  return 0;
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
  std::unique_ptr<FrameSource> source;
  if (demo) {
    source = std::make_unique<BufferSource>(synthesizeDemoRiff(), kDemoChannels, kDemoSampleRate);
  } else {
    checkDistinct(options.input, output);
    source = std::make_unique<AudioReader>(options.input);
  }

  // The library outlives the rack, whose instances are closed first.
  std::unique_ptr<PluginLibrary> library;
  std::unique_ptr<EffectRack> rack;
  PassThrough dry(source->channels());
  BlockProcessor* processor = &dry;
  if (!options.dry) {
    library = std::make_unique<PluginLibrary>(options.plugin);
    rack = std::make_unique<EffectRack>(*library, source->channels(), options.mode);
    applySelection(options, rack->instances());
    rack->start(static_cast<float>(source->sampleRate()), options.blockSize);
    processor = rack.get();
  }

  const int rate = static_cast<int>(source->sampleRate());
  AudioWriter writer(output, outputFormatFor(output, options.format, processor->outputChannels()),
                     processor->outputChannels(), rate);
  const bool showProgress =
      !options.quiet && isatty(STDERR_FILENO) && source->frames() >= kProgressMinimumSeconds * rate;
  const auto started = std::chrono::steady_clock::now();
  RenderStats stats;
  {
    ProgressBar bar(showProgress, source->frames(), stderr);
    stats = renderFrames(*source, *processor, writer, options.blockSize,
                         [&bar](int64_t done) { bar.update(done); });
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
  if (rack) rack->stop();
  writer.commit();
  std::printf("%s\n", summaryLine(output, stats, rate, elapsed.count()).c_str());
  return 0;
}
