#include "tools/render/plugin_info.h"

#include <cctype>
#include <cstdio>

#include "tools/render/plugin_settings.h"

namespace {

std::string fourCharacters(int32_t id) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<unsigned char>((static_cast<uint32_t>(id) >> shift) & 0xff);
    text += std::isprint(c) ? static_cast<char>(c) : '?';
  }
  return text;
}

std::string flagNames(int32_t flags) {
  static const std::pair<int32_t, const char*> names[] = {{effFlagsHasEditor, "editor"},
                                                          {effFlagsHasClip, "clip"},
                                                          {effFlagsHasVu, "meter"},
                                                          {effFlagsCanMono, "mono"},
                                                          {effFlagsCanReplacing, "replacing"},
                                                          {effFlagsProgramChunks, "chunks"}};
  std::string text;
  for (const auto& [bit, name] : names) {
    if (flags & bit) text += std::string(text.empty() ? "" : ", ") + name;
  }
  return text;
}

}  // namespace

std::string describePlugin(const std::string& path, HostSession& session,
                           const std::vector<std::string>& programNames) {
  const AEffect& r = session.record();
  std::string out = "plug-in    " + path + "\n";
  char line[512];
  std::snprintf(line, sizeof line, "unique id  %s (0x%08x), version %d\n",
                fourCharacters(r.uniqueID).c_str(), static_cast<unsigned>(r.uniqueID), r.version);
  out += line;
  std::snprintf(line, sizeof line, "audio      %d in, %d out, flags %d (%s), delay %d\n",
                r.numInputs, r.numOutputs, r.flags, flagNames(r.flags).c_str(), r.initialDelay);
  out += line;
  std::snprintf(line, sizeof line, "parameters %d\n", r.numParams);
  out += line;
  for (int32_t i = 0; i < r.numParams; ++i) {
    std::snprintf(line, sizeof line, "  %3d  %-16s %-12s %-8s value %g\n", i,
                  trimmed(session.parameterName(i)).c_str(),
                  trimmed(session.parameterDisplay(i)).c_str(),
                  trimmed(session.parameterLabel(i)).c_str(), session.parameter(i));
    out += line;
  }
  std::snprintf(line, sizeof line, "programs   %d, current %d\n", r.numPrograms, session.program());
  out += line;
  for (size_t i = 0; i < programNames.size(); ++i) {
    std::snprintf(line, sizeof line, "  %3zu  %s\n", i, trimmed(programNames[i]).c_str());
    out += line;
  }
  return out;
}
