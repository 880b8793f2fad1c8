#include "tools/hosting/vst3_bundle.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "tools/hosting/library_handle.h"
#include "tools/hosting/vst3_session.h"
#include "vst3/com_face.h"

namespace {

using ModuleExit = bool (*)();
using GetPluginFactory = v3_plugin_factory**(V3_API*)();

constexpr char kAudioEffectClass[] = "Audio Module Class";

std::filesystem::path binaryOf(const std::filesystem::path& bundle) {
#ifdef _WIN32
  if (std::filesystem::is_regular_file(bundle)) return bundle;
  return bundle / "Contents" / "x86_64-win" / (bundle.stem().string() + ".vst3");
#else
  return bundle / "Contents" / "x86_64-linux" / (bundle.stem().string() + ".so");
#endif
}

template <size_t size>
std::string textOf(const char (&field)[size]) {
  return std::string(field, strnlen(field, size));
}

}  // namespace

std::string classIdText(const uint8_t* classId) {
#ifdef _WIN32
  constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
#else
  constexpr int kOrder[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
#endif
  char text[33];
  for (int i = 0; i < 16; ++i) std::snprintf(text + 2 * i, 3, "%02X", classId[kOrder[i]]);
  return text;
}

Vst3Bundle::Vst3Bundle(const std::string& location) : location_(location) {
  std::filesystem::path bundle = std::filesystem::absolute(location);
  if (bundle.filename().empty()) bundle = bundle.parent_path();  // a trailing separator
  if (!std::filesystem::exists(bundle))
    throw std::runtime_error("plug-in '" + location + "' not found");
  std::string reason;
  library_ = openLibrary(binaryOf(bundle).string(), reason);
  if (!library_) throw std::runtime_error("cannot load VST3 bundle '" + location + "': " + reason);
  std::string problem;
#ifdef _WIN32
  // InitDll is optional on Windows.
  const auto enter = reinterpret_cast<bool (*)()>(librarySymbol(library_, "InitDll"));
  entered_ = !enter || enter();
#else
  const auto enter = reinterpret_cast<bool (*)(void*)>(librarySymbol(library_, "ModuleEntry"));
  entered_ = enter && enter(library_);
#endif
  const auto get = reinterpret_cast<GetPluginFactory>(librarySymbol(library_, "GetPluginFactory"));
  if (!entered_) {
    problem = "its module entry is missing or failed";
  } else if (!get || !(factory_ = get())) {
    problem = "it offers no plug-in factory";
  } else {
    const auto& factory = tableOf<v3_plugin_factory_cpp>(factory_).v1;
    const int32_t count = factory.num_classes(factory_);
    bool found = false;
    for (int32_t i = 0; i < count && !found; ++i) {
      v3_class_info info{};
      if (factory.get_class_info(factory_, i, &info) != V3_OK) continue;
      if (textOf(info.category) != kAudioEffectClass) continue;
      found = true;
      std::memcpy(class_.classId, info.class_id, sizeof(v3_tuid));
      class_.name = textOf(info.name);
      class_.category = textOf(info.category);
      v3_factory_info vendor{};
      if (factory.get_factory_info(factory_, &vendor) == V3_OK)
        class_.vendor = textOf(vendor.vendor);
      v3_plugin_factory_2** second = nullptr;
      v3_class_info_2 more{};
      if (queryOf(factory_, v3_plugin_factory_2_iid, &second)) {
        if (tableOf<v3_plugin_factory_cpp>(second).v2.get_class_info_2(second, i, &more) == V3_OK) {
          class_.vendor = textOf(more.vendor);
          class_.category = textOf(more.sub_categories);
          class_.version = textOf(more.version);
          class_.sdkVersion = textOf(more.sdk_version);
        }
        releaseOf(second);
      }
    }
    if (!found) problem = "it holds no audio effect class";
  }
  if (!problem.empty()) {
    unload();
    throw std::runtime_error("'" + location + "' is not a VST3 effect we can host: " + problem);
  }
}

Vst3Bundle::~Vst3Bundle() { unload(); }

void Vst3Bundle::unload() {
  if (factory_) releaseOf(factory_);
  factory_ = nullptr;
#ifdef _WIN32
  const char* exitName = "ExitDll";
#else
  const char* exitName = "ModuleExit";
#endif
  if (entered_) {
    if (const auto exit = reinterpret_cast<ModuleExit>(librarySymbol(library_, exitName))) exit();
  }
  entered_ = false;
  closeLibrary(library_);
  library_ = nullptr;
}

std::unique_ptr<HostedPlugin> Vst3Bundle::newInstance() const { return openSession(); }

std::unique_ptr<Vst3Session> Vst3Bundle::openSession() const {
  return std::make_unique<Vst3Session>(*this);
}
