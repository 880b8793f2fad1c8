#include "tools/hosting/urid_table.h"

UridTable::UridTable()
    : mapData{this, [](LV2_URID_Map_Handle table,
                       const char* uri) { return static_cast<UridTable*>(table)->map(uri); }},
      unmapData{this, [](LV2_URID_Unmap_Handle table, LV2_URID urid) {
                  return static_cast<UridTable*>(table)->unmap(urid);
                }} {}

LV2_URID UridTable::map(const char* uri) {
  const std::lock_guard<std::mutex> guard(lock);
  for (size_t i = 0; i < uris.size(); ++i) {
    if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
  }
  uris.emplace_back(uri);
  return static_cast<LV2_URID>(uris.size());
}

const char* UridTable::unmap(LV2_URID urid) {
  const std::lock_guard<std::mutex> guard(lock);
  return urid >= 1 && urid <= uris.size() ? uris[urid - 1].c_str() : nullptr;
}
