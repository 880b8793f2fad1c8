#include "tools/render/command_line.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

constexpr int kLargestBlock = 1 << 20;
constexpr double kLongestPreroll = 600.0;  // seconds

constexpr const char* kUsage =
    "Usage:\n"
    "  vorra-render [--plugin PATH] [--program N|NAME] [--set NAME|ID|INDEX=VALUE]...\n"
    "               [--block FRAMES] [--mode replacing|accumulating]\n"
    "               [--format float|double|pcm16|pcm24|pcm32] [--no-dither]\n"
    "               [--preroll SECONDS | --no-preroll] [--quiet] INPUT OUTPUT\n"
    "  vorra-render --info [--plugin PATH] [--program N|NAME] [--set NAME|ID|INDEX=VALUE]...\n"
    "  vorra-render --demo OUTPUT [--dry] [and the render options above but INPUT]\n"
    "  vorra-render --help | --version\n"
    "\n"
    "Each --set takes one assignment; repeat it for more (--set PreAmp=0.5 --set PostGain=0.2).\n"
    "VALUE is the host's value, 0 to 1, as --info shows it.\n"
    "Plug-in layouts: 2 in 2 out (a mono file feeds both inputs); 3 in 2 out, the third input\n"
    "a side-chain fed the mean of the channels; 1 in 1 out, one instance per channel; 2 in 1 out\n"
    "(the second input a side-chain), one instance per channel, each channel feeding both\n"
    "inputs; 1 in 2 out, mono files only. Others are refused.\n"
    "Formats: --plugin takes a VST2 library (.so), a CLAP file (.clap), a VST3 bundle (.vst3)\n"
    "or an LV2 bundle folder (.lv2) or plug-in URI, found on LV2_PATH or in ~/.lv2,\n"
    "/usr/local/lib/lv2 and /usr/lib/lv2. --program takes a program's or preset's name, --set\n"
    "a parameter's name, its id in the format (an LV2 symbol, a CLAP or VST3 id) or index.";

// A whole number of frames, said in the message when it is not.
std::string checkBlock(std::string& text) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || value < 1 || value > kLargestBlock) {
    return "'" + text + "' is not a number of frames from 1 to " + std::to_string(kLargestBlock);
  }
  return "";
}

std::string checkSeconds(std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(value >= 0.0 && value <= kLongestPreroll)) {
    return "'" + text + "' is not a number of seconds from 0 to " +
           std::to_string(static_cast<int>(kLongestPreroll));
  }
  return "";
}

// Assigns INPUT and OUTPUT from the positional words, or says why they are wrong.
void assignFiles(const std::vector<std::string>& files, RenderOptions& o) {
  if (files.size() > 2) {
    for (size_t i = 0; i + 2 < files.size(); ++i) {
      if (files[i].find('=') != std::string::npos) {
        throw CLI::ValidationError("'" + files[i] +
                                   "' is not a file: each --set takes one assignment, so write "
                                   "--set " +
                                   files[i]);
      }
    }
    throw CLI::ValidationError("too many files: '" + files[2] + "' follows INPUT and OUTPUT");
  }
  if (files.size() >= 1) o.input = files[0];
  if (files.size() == 2) o.output = files[1];
}

}  // namespace

std::string defaultPluginPath() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return (executable.parent_path() / "Vorra OverDrive.so").string();
}

ParsedCommandLine parseCommandLine(int argc, const char* const* argv) {
  RenderOptions o;
  o.plugin = defaultPluginPath();
  std::vector<std::string> files;
  double prerollSeconds = 0.0;
  bool noDither = false;
  CLI::App app{
      "Runs an audio file through an effect plug-in (VST2, LV2, CLAP or VST3) and writes "
      "the result.",
      "vorra-render"};
  app.set_version_flag("--version", "vorra-render " VORRA_RENDER_VERSION);
  app.add_option("--plugin", o.plugin,
                 "the plug-in: a VST2 library, a CLAP file, a VST3 or LV2 bundle, an LV2 URI")
      ->capture_default_str();
  app.add_option("--program", o.program, "select a program by number or name");
  app.add_option("--set", o.settings,
                 "set one parameter by name, id or number to the host's 0-to-1 value, e.g. "
                 "PreAmp=0.8; repeat --set for each parameter")
      ->allow_extra_args(false)  // one value per --set, so INPUT and OUTPUT may follow
      ->type_name("NAME|ID|INDEX=VALUE");
  app.add_option("--block", o.blockSize, "frames per processing call, 1 to 1048576")
      ->check(CLI::Validator(checkBlock, "FRAMES"))
      ->capture_default_str();
  app.add_option("--mode", o.mode, "processing call (default: replacing when the plug-in can)")
      ->check(CLI::IsMember({"replacing", "accumulating"}));
  app.add_option("--format", o.format, "output samples (default: float; pcm24 for FLAC)")
      ->check(CLI::IsMember({"float", "double", "pcm16", "pcm24", "pcm32"}));
  app.add_flag("--no-dither", noDither, "round 16-bit output to nearest without TPDF dither");
  auto* preroll = app.add_option("--preroll", prerollSeconds,
                                 "seconds of silence through the plug-in before the file (default: "
                                 "until Vorra OverDrive's settings have settled; 2 s for others)")
                      ->check(CLI::Validator(checkSeconds, "SECONDS"));
  auto* noPreroll = app.add_flag("--no-preroll",
                                 "start from the plug-in's power-on values, "
                                 "gliding to the settings as a host does");
  preroll->excludes(noPreroll);
  app.add_flag("--quiet", o.quiet, "print no progress bar and no summary line (errors still)");
  app.add_flag("--info", o.info,
               "describe the plug-in: its identity in its format, parameters, programs");
  app.add_flag("--dry", o.dry, "write the signal without a plug-in");
  app.add_option("--demo", o.demoOutput, "render the built-in demo riff into OUTPUT")
      ->type_name("OUTPUT");
  app.add_option("INPUT OUTPUT", files,
                 "audio file to process (WAV, AIFF, FLAC), file to write; "
                 "the output's extension sets its format")
      ->type_name("");
  app.footer(kUsage);
  try {
    app.parse(argc, argv);
    assignFiles(files, o);
    if (preroll->count() > 0) o.prerollSeconds = prerollSeconds;
    if (noPreroll->count() > 0) o.prerollSeconds = 0.0;
    o.dither = !noDither;
    const bool demo = !o.demoOutput.empty();
    const bool hasFiles = !files.empty();
    if (o.info && (demo || hasFiles || o.dry)) throw CLI::ValidationError("--info takes no files");
    if (demo && hasFiles) throw CLI::ValidationError("--demo takes OUTPUT only, no INPUT");
    if (o.dry && (!o.program.empty() || !o.settings.empty())) {
      throw CLI::ValidationError("--dry uses no plug-in, so no --program or --set");
    }
    if (!o.info && !demo && files.size() < 2) {
      throw CLI::ValidationError("INPUT and OUTPUT are required (see --help)");
    }
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return {std::nullopt, 0};
  } catch (const CLI::CallForVersion& version) {
    std::cout << version.what() << "\n";
    return {std::nullopt, 0};
  } catch (const CLI::ParseError& e) {
    std::cerr << "vorra-render: " << e.what() << "\n";
    return {std::nullopt, 2};
  }
  return {o, 0};
}
