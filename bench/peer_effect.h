// The peer the benchmark measures against: a tube distortion from a Debian package, loaded
// through its entry as a host loads it. It is mono, so one instance runs per channel.
#pragma once

#include <memory>
#include <string>

#include "tools/hosting/host_session.h"
#include "tools/hosting/plugin_library.h"

constexpr const char* kPeerPath = "/usr/lib/vst/ZamTube-vst.so";

class PeerEffect {
 public:
  PeerEffect(const std::string& path, double sampleRate, int32_t blockSize);
  // The same stereo block as the overdrive gets: channel c through instance c.
  void process(float** inputs, float** outputs, int32_t frames);

 private:
  PluginLibrary library_;
  std::unique_ptr<HostSession> channels_[2];
};
