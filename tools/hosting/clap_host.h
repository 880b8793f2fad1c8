// The clap_host_t this project's programs give a CLAP plug-in, with the host extensions such a
// plug-in asks for: params (flush requests and rescans counted), state, latency, gui (resize
// requests recorded) and timer-support, whose timers fire when the owner says, on its thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

#include "clap/host.h"
#include "clap/plugin.h"

class ClapHost {
 public:
  ClapHost();
  ClapHost(const ClapHost&) = delete;
  ClapHost& operator=(const ClapHost&) = delete;

  const clap_host_t* host() const { return &host_; }
  // The instance whose timers fire.
  void attach(const clap_plugin_t* plugin) { plugin_ = plugin; }

  // Every registered timer once, as a host's loop does when their periods have passed.
  void fireTimers();
  size_t timerCount() const { return timers_.size(); }

  std::atomic<uint32_t> flushRequests{0};
  uint32_t rescans = 0;

 private:
  static ClapHost& of(const clap_host_t* host) { return *static_cast<ClapHost*>(host->host_data); }
  static const void* extension(const clap_host_t* host, const char* id);

  clap_host_t host_;
  const clap_plugin_t* plugin_ = nullptr;
  std::vector<std::pair<clap_id, uint32_t>> timers_;  // id, period in ms
  clap_id nextTimer_ = 1;
};
