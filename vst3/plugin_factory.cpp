#include "vst3/plugin_factory.h"

#include <atomic>
#include <cstring>

#include "vst3/class_identity.h"
#include "vst3/entry_guard.h"
#include "vst3/overdrive_vst3.h"
#include "vst3/utf16_text.h"

namespace {

constexpr int32_t kManyInstances = 0x7FFFFFFF;
constexpr int32_t kUnicodeNames = 0x10;
// Component and controller are one object, so the class cannot be split across computers.
constexpr uint32_t kClassFlags = 0;

template <class Text>
void copyText(Text& field, const char* text) {
  std::strncpy(field, text, sizeof field - 1);
}

class PluginFactory {
 public:
  constexpr PluginFactory();

  v3_result queryInterface(const uint8_t* iid, void** object);
  // The object lives as long as the module; the count only balances the hosts' calls.
  uint32_t addRef() { return references_.fetch_add(1, std::memory_order_relaxed) + 1; }
  uint32_t release() { return references_.fetch_sub(1, std::memory_order_relaxed) - 1; }

  v3_result getFactoryInfo(v3_factory_info* info);
  int32_t countClasses() { return 1; }
  v3_result getClassInfo(int32_t index, v3_class_info* info);
  v3_result createInstance(const uint8_t* classId, const uint8_t* iid, void** object);
  v3_result getClassInfo2(int32_t index, v3_class_info_2* info);
  v3_result getClassInfoUnicode(int32_t index, v3_class_info_3* info);
  v3_result setHostContext(v3_funknown** context);

  Face<PluginFactory> face;

 private:
  std::atomic<uint32_t> references_{0};
};

using F = PluginFactory;

constexpr v3_plugin_factory_cpp kFactoryTable = {
    unknownEntries<F>(),
    {&PluginEntry<&F::getFactoryInfo>::call, &PluginEntry<&F::countClasses>::call,
     &PluginEntry<&F::getClassInfo>::call, &PluginEntry<&F::createInstance>::call},
    {&PluginEntry<&F::getClassInfo2>::call},
    {&PluginEntry<&F::getClassInfoUnicode>::call, &PluginEntry<&F::setHostContext>::call}};

constexpr PluginFactory::PluginFactory() : face{&kFactoryTable, this} {}

// Constant-initialized: ready before any thread of the host can call.
PluginFactory factory;

v3_result PluginFactory::queryInterface(const uint8_t* iid, void** object) {
  if (!object) return V3_INVALID_ARG;
  *object = nullptr;
  if (!iid || !(v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_plugin_factory_iid) ||
                v3_tuid_match(iid, v3_plugin_factory_2_iid) ||
                v3_tuid_match(iid, v3_plugin_factory_3_iid))) {
    return V3_NO_INTERFACE;
  }
  *object = &face;
  addRef();
  return V3_OK;
}

v3_result PluginFactory::getFactoryInfo(v3_factory_info* info) {
  if (!info) return V3_INVALID_ARG;
  std::memset(info, 0, sizeof *info);
  copyText(info->vendor, kVendor);
  copyText(info->url, kVendorUrl);
  info->flags = kUnicodeNames;
  return V3_OK;
}

// What every version of the class info begins with; the later ones name the class in UTF-16.
template <class Info>
bool startClassInfo(int32_t index, Info* info) {
  if (!info || index != 0) return false;
  std::memset(info, 0, sizeof *info);
  std::memcpy(info->class_id, kOverdriveClassId, sizeof(v3_tuid));
  info->cardinality = kManyInstances;
  copyText(info->category, kAudioEffectCategory);
  return true;
}

v3_result PluginFactory::getClassInfo(int32_t index, v3_class_info* info) {
  if (!startClassInfo(index, info)) return V3_INVALID_ARG;
  copyText(info->name, kClassName);
  return V3_OK;
}

v3_result PluginFactory::getClassInfo2(int32_t index, v3_class_info_2* info) {
  if (!startClassInfo(index, info)) return V3_INVALID_ARG;
  copyText(info->name, kClassName);
  info->class_flags = kClassFlags;
  copyText(info->sub_categories, kSubCategories);
  copyText(info->vendor, kVendor);
  copyText(info->version, kVersion);
  copyText(info->sdk_version, kSdkVersion);
  return V3_OK;
}

v3_result PluginFactory::getClassInfoUnicode(int32_t index, v3_class_info_3* info) {
  if (!startClassInfo(index, info)) return V3_INVALID_ARG;
  toUtf16(kClassName, info->name, 64);
  info->class_flags = kClassFlags;
  copyText(info->sub_categories, kSubCategories);
  toUtf16(kVendor, info->vendor, 64);
  toUtf16(kVersion, info->version, 64);
  toUtf16(kSdkVersion, info->sdk_version, 64);
  return V3_OK;
}

v3_result PluginFactory::setHostContext(v3_funknown**) { return V3_OK; }

// Any of the object's interfaces the host asks for; the instance holds the only reference the
// host gets.
v3_result PluginFactory::createInstance(const uint8_t* classId, const uint8_t* iid, void** object) {
  if (!object) return V3_INVALID_ARG;
  *object = nullptr;
  if (!classId || !v3_tuid_match(classId, kOverdriveClassId)) return V3_NO_INTERFACE;
  OverdriveVst3* instance = OverdriveVst3::create();
  if (!instance) return V3_NOMEM;
  const v3_result answer = instance->queryInterface(iid, object);
  instance->release();
  return answer;
}

}  // namespace

v3_plugin_factory** pluginFactory() {
  factory.addRef();
  return interfaceOf<v3_plugin_factory>(factory.face);
}
