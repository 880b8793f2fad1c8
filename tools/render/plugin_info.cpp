#include "tools/render/plugin_info.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

#include "tools/render/plugin_settings.h"

namespace {

// `text` padded with spaces to `width` characters.
std::string padded(const std::string& text, size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

}  // namespace

std::string describePlugin(const std::string& path, HostedPlugin& plugin,
                           const std::vector<std::string>& programNames) {
  std::string out = "plug-in    " + path + "\n";
  for (const std::string& line : plugin.identityLines()) out += line + "\n";
  char line[512];
  const int32_t count = plugin.parameterCount();
  std::snprintf(line, sizeof line, "parameters %d\n", count);
  out += line;
  // Each column as wide as its longest entry, at least as wide as the usual texts.
  std::vector<std::array<std::string, 3>> rows;
  std::array<size_t, 3> widths = {16, 12, 8};
  for (int32_t i = 0; i < count; ++i) {
    rows.push_back({trimmed(plugin.parameterName(i)), trimmed(plugin.parameterDisplay(i)),
                    trimmed(plugin.parameterLabel(i))});
    for (size_t c = 0; c < widths.size(); ++c)
      widths[c] = std::max(widths[c], rows.back()[c].size());
  }
  for (int32_t i = 0; i < count; ++i) {
    std::snprintf(line, sizeof line, "  %3d  ", i);
    out += line;
    for (size_t c = 0; c < widths.size(); ++c) out += padded(rows[i][c], widths[c]) + " ";
    std::snprintf(line, sizeof line, "value %g\n", plugin.parameter(i));
    out += line;
  }
  std::snprintf(line, sizeof line, "programs   %d, current %d\n",
                static_cast<int>(programNames.size()), plugin.program());
  out += line;
  for (size_t i = 0; i < programNames.size(); ++i) {
    std::snprintf(line, sizeof line, "  %3zu  %s\n", i, trimmed(programNames[i]).c_str());
    out += line;
  }
  return out;
}
