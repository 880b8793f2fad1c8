// The URI-to-number map a host gives LV2 plug-ins (urid:map and urid:unmap): each URI gets the
// next number on first sight and keeps it. Plug-ins may map from any thread, so a lock guards
// the table.
#pragma once

#include <lv2/urid/urid.h>

#include <deque>
#include <mutex>
#include <string>

class UridTable {
 public:
  UridTable();
  UridTable(const UridTable&) = delete;
  UridTable& operator=(const UridTable&) = delete;

  LV2_URID map(const char* uri);
  // Null for a number never given out.
  const char* unmap(LV2_URID urid);

  LV2_URID_Map* mapFeature() { return &mapData; }
  LV2_URID_Unmap* unmapFeature() { return &unmapData; }

 private:
  std::mutex lock;
  std::deque<std::string> uris;  // urid n is uris[n - 1]; a deque keeps the texts in place
  LV2_URID_Map mapData;
  LV2_URID_Unmap unmapData;
};
