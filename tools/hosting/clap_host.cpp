#include "tools/hosting/clap_host.h"

#include <algorithm>
#include <cstring>

#include "clap/ext/gui.h"
#include "clap/ext/latency.h"
#include "clap/ext/params.h"
#include "clap/ext/state.h"
#include "clap/ext/timer-support.h"

ClapHost::ClapHost() {
  host_ = {CLAP_VERSION_INIT,
           this,
           "Vorra OverDrive hosting",
           "Tonquill",
           "http://www.tonquill.example",
           "1.0.0",
           &ClapHost::extension,
           [](const clap_host_t*) {},
           [](const clap_host_t*) {},
           [](const clap_host_t*) {}};
}

void ClapHost::fireTimers() {
  const auto* timer = plugin_ ? static_cast<const clap_plugin_timer_support_t*>(
                                    plugin_->get_extension(plugin_, CLAP_EXT_TIMER_SUPPORT))
                              : nullptr;
  if (!timer) return;
  // A timer may be unregistered while the others fire: fire a copy of the list.
  const auto due = timers_;
  for (const auto& [id, period] : due) timer->on_timer(plugin_, id);
}

const void* ClapHost::extension(const clap_host_t*, const char* id) {
  static const clap_host_params_t params = {
      [](const clap_host_t* host, clap_param_rescan_flags) { ++of(host).rescans; },
      [](const clap_host_t*, clap_id, clap_param_clear_flags) {},
      [](const clap_host_t* host) { ++of(host).flushRequests; }};
  static const clap_host_state_t state = {[](const clap_host_t*) {}};
  static const clap_host_latency_t latency = {[](const clap_host_t*) {}};
  static const clap_host_gui_t gui = {
      [](const clap_host_t*) {}, [](const clap_host_t*, uint32_t, uint32_t) { return true; },
      [](const clap_host_t*) { return false; }, [](const clap_host_t*) { return false; },
      [](const clap_host_t*, bool) {}};
  static const clap_host_timer_support_t timers = {
      [](const clap_host_t* host, uint32_t period, clap_id* timer) {
        ClapHost& self = of(host);
        if (!timer) return false;
        *timer = self.nextTimer_++;
        self.timers_.emplace_back(*timer, period);
        return true;
      },
      [](const clap_host_t* host, clap_id timer) {
        auto& list = of(host).timers_;
        const auto found = std::find_if(
            list.begin(), list.end(), [timer](const auto& entry) { return entry.first == timer; });
        if (found == list.end()) return false;
        list.erase(found);
        return true;
      }};
  if (!id) return nullptr;
  if (!std::strcmp(id, CLAP_EXT_PARAMS)) return &params;
  if (!std::strcmp(id, CLAP_EXT_STATE)) return &state;
  if (!std::strcmp(id, CLAP_EXT_LATENCY)) return &latency;
  if (!std::strcmp(id, CLAP_EXT_GUI)) return &gui;
  if (!std::strcmp(id, CLAP_EXT_TIMER_SUPPORT)) return &timers;
  return nullptr;
}
