#include "tools/hosting/clap_plugin_file.h"

#include <filesystem>
#include <stdexcept>

#include "tools/hosting/library_handle.h"

ClapPluginFile::ClapPluginFile(const std::string& path) : path_(path) {
  if (!std::filesystem::exists(path)) throw std::runtime_error("plug-in '" + path + "' not found");
  const std::string absolute = std::filesystem::absolute(path).string();
  std::string reason;
  library_ = openLibrary(absolute, reason);
  if (!library_) throw std::runtime_error("cannot load plug-in '" + path + "': " + reason);
  // clap_entry is exported data: the symbol's address is the structure's.
  entry_ = static_cast<const clap_plugin_entry_t*>(librarySymbol(library_, "clap_entry"));
  const char* problem = nullptr;
  if (!entry_) {
    problem = "it exports no clap_entry";
  } else if (!clap_version_is_compatible(entry_->clap_version)) {
    problem = "its CLAP version is not one this host speaks";
  } else if (!entry_->init(absolute.c_str())) {
    problem = "its clap_entry.init failed";
  } else {
    factory_ =
        static_cast<const clap_plugin_factory_t*>(entry_->get_factory(CLAP_PLUGIN_FACTORY_ID));
    descriptor_ = factory_ && factory_->get_plugin_count(factory_) > 0
                      ? factory_->get_plugin_descriptor(factory_, 0)
                      : nullptr;
    if (!descriptor_) {
      entry_->deinit();
      problem = "its factory offers no plug-in";
    }
  }
  if (problem) {
    closeLibrary(library_);
    throw std::runtime_error("'" + path + "' is not a CLAP plug-in: " + problem);
  }
}

ClapPluginFile::~ClapPluginFile() {
  entry_->deinit();
  closeLibrary(library_);
}

std::unique_ptr<ClapInstance> ClapPluginFile::newClapInstance() const {
  return std::make_unique<ClapInstance>(*factory_, *descriptor_);
}
