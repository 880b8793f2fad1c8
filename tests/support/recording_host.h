// A host callback that records every request and answers from a table, as a test host.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "tools/hosting/host_callback.h"
#include "vst2/aeffect.h"

struct HostRequest {
  AEffect* effect;
  int32_t opcode;
  int32_t index;
  intptr_t value;
  void* ptr;
  float opt;
};

class RecordingHost {
 public:
  RecordingHost() { current() = this; }
  ~RecordingHost() { current() = nullptr; }

  static intptr_t VSTCALL callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                   void* ptr, float opt) {
    RecordingHost* host = current();
    host->requests.push_back({effect, opcode, index, value, ptr, opt});
    const auto answer = host->answers.find(opcode);
    return answer == host->answers.end() ? 0 : answer->second;
  }

  std::vector<HostRequest> requests;
  std::map<int32_t, intptr_t> answers{{audioMasterVersion, kHostVersion}};

 private:
  static RecordingHost*& current() {
    static RecordingHost* host = nullptr;
    return host;
  }
};
