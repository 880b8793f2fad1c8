#include "tools/render/output_path.h"

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

std::string resolveOutputPath(const std::string& output) {
  constexpr int kMostLinks = 40;  // as the kernel allows in one path
  fs::path path(output);
  std::error_code error;
  for (int links = 0; fs::is_symlink(path, error); ++links) {
    if (links == kMostLinks) {
      throw std::runtime_error("output '" + output + "': too many levels of symbolic links");
    }
    const fs::path target = fs::read_symlink(path, error);
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  if (fs::is_directory(path, error)) {
    throw std::runtime_error("output '" + output + "' is a directory");
  }
  return path.string();
}
