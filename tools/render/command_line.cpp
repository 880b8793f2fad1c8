#include "tools/render/command_line.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>

std::string defaultPluginPath() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return (executable.parent_path() / "Vorra OverDrive.so").string();
}

ParsedCommandLine parseCommandLine(int argc, const char* const* argv) {
  RenderOptions o;
  o.plugin = defaultPluginPath();
  CLI::App app{"Runs an audio file through a VST2 effect plug-in and writes the result.",
               "vorra-render"};
  app.add_option("--plugin", o.plugin, "the plug-in library (.so)")->capture_default_str();
  app.add_option("--program", o.program, "select a program by number or name");
  app.add_option("--set", o.settings, "set a parameter by name or number, e.g. PreAmp=0.8")
      ->allow_extra_args(false)  // one value per --set, so INPUT and OUTPUT may follow
      ->type_name("NAME|INDEX=VALUE");
  app.add_option("--block", o.blockSize, "frames per processing call")
      ->check(CLI::Range(1, 1 << 20))
      ->capture_default_str();
  app.add_option("--mode", o.mode, "processing call (default: replacing when the plug-in can)")
      ->check(CLI::IsMember({"replacing", "accumulating"}));
  app.add_option("--format", o.format, "output samples (default: float; pcm24 for FLAC)")
      ->check(CLI::IsMember({"float", "double", "pcm16", "pcm24", "pcm32"}));
  app.add_flag("--quiet", o.quiet, "no progress bar");
  app.add_flag("--info", o.info, "describe the plug-in: record, parameters, programs");
  app.add_flag("--dry", o.dry, "write the signal without a plug-in");
  app.add_option("--demo", o.demoOutput, "render the built-in demo riff into OUTPUT")
      ->type_name("OUTPUT");
  app.add_option("INPUT", o.input, "audio file to process (WAV, AIFF, FLAC)");
  app.add_option("OUTPUT", o.output, "file to write; its extension sets the format");
  app.footer(
      "Usage:\n"
      "  vorra-render [--plugin PATH] [--program N|NAME] [--set NAME|INDEX=VALUE]... [--block "
      "FRAMES]\n"
      "               [--mode replacing|accumulating] [--quiet] INPUT OUTPUT\n"
      "  vorra-render --info [--plugin PATH]\n"
      "  vorra-render --demo OUTPUT");
  try {
    app.parse(argc, argv);
    const bool demo = !o.demoOutput.empty();
    const bool files = !o.input.empty() || !o.output.empty();
    if (o.info && (demo || files || o.dry)) throw CLI::ValidationError("--info takes no files");
    if (demo && files) throw CLI::ValidationError("--demo takes OUTPUT only, no INPUT");
    if (o.dry && (!o.program.empty() || !o.settings.empty())) {
      throw CLI::ValidationError("--dry uses no plug-in, so no --program or --set");
    }
    if (!o.info && !demo && o.output.empty()) {
      throw CLI::ValidationError("INPUT and OUTPUT are required (see --help)");
    }
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return {std::nullopt, 0};
  } catch (const CLI::ParseError& e) {
    std::cerr << "vorra-render: " << e.what() << "\n";
    return {std::nullopt, 2};
  }
  return {o, 0};
}
