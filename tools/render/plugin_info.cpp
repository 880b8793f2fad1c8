#include "tools/render/plugin_info.h"

#include <algorithm>
#include <array>
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

// Every bit has a name: the interface's own, or its number.
std::string flagNames(int32_t flags) {
  static const std::pair<int32_t, const char*> names[] = {{effFlagsHasEditor, "editor"},
                                                          {effFlagsHasClip, "clip"},
                                                          {effFlagsHasVu, "meter"},
                                                          {effFlagsCanMono, "mono"},
                                                          {effFlagsCanReplacing, "replacing"},
                                                          {effFlagsProgramChunks, "chunks"},
                                                          {1 << 8, "synth"},
                                                          {1 << 9, "no sound in stop"},
                                                          {1 << 10, "async"},
                                                          {1 << 11, "buffer"},
                                                          {1 << 12, "double replacing"}};
  std::string text;
  for (int bit = 0; bit < 32; ++bit) {
    const auto mask = static_cast<int32_t>(1u << bit);
    if (!(flags & mask)) continue;
    std::string name = "bit " + std::to_string(bit);
    for (const auto& [known, knownName] : names) {
      if (known == mask) name = knownName;
    }
    text += (text.empty() ? "" : ", ") + name;
  }
  return text;
}

// `text` padded with spaces to `width` characters.
std::string padded(const std::string& text, size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
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
  // Each column as wide as its longest entry, at least as wide as the usual texts.
  std::vector<std::array<std::string, 3>> rows;
  std::array<size_t, 3> widths = {16, 12, 8};
  for (int32_t i = 0; i < r.numParams; ++i) {
    rows.push_back({trimmed(session.parameterName(i)), trimmed(session.parameterDisplay(i)),
                    trimmed(session.parameterLabel(i))});
    for (size_t c = 0; c < widths.size(); ++c) widths[c] = std::max(widths[c], rows.back()[c].size());
  }
  for (int32_t i = 0; i < r.numParams; ++i) {
    std::snprintf(line, sizeof line, "  %3d  ", i);
    out += line;
    for (size_t c = 0; c < widths.size(); ++c) out += padded(rows[i][c], widths[c]) + " ";
    std::snprintf(line, sizeof line, "value %g\n", session.parameter(i));
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
