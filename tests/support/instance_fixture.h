// A test that creates instances of a loaded plug-in through its entry, with a recording host,
// and closes every instance the test left open. Each platform's fixture names the entry.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "support/recording_host.h"
#include "tools/hosting/plugin_library.h"
#include "vst2/aeffect.h"

class InstanceFixture : public ::testing::Test {
 protected:
  virtual PluginEntry pluginEntry() = 0;

  // A new instance (null when the entry refused); the fixture closes it unless the test did.
  virtual AEffect* createInstance() {
    AEffect* instance = pluginEntry()(RecordingHost::callback);
    if (instance) instances.push_back(instance);
    return instance;
  }
  virtual void closeInstance(AEffect* instance) {
    instances.erase(std::remove(instances.begin(), instances.end(), instance), instances.end());
    send(instance, effClose);
  }
  void closeInstances() {
    while (!instances.empty()) closeInstance(instances.back());
  }
  intptr_t send(AEffect* instance, int32_t opcode, intptr_t value = 0, void* ptr = nullptr) {
    return instance->dispatcher(instance, opcode, 0, value, ptr, 0.0f);
  }
  std::vector<HostRequest> automations() const {
    std::vector<HostRequest> found;
    for (const HostRequest& request : host.requests) {
      if (request.opcode == audioMasterAutomate) found.push_back(request);
    }
    return found;
  }

  RecordingHost host;
  std::vector<AEffect*> instances;
};
