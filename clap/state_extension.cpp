// clap.state: the engine's blob, the same bytes every format's session holds. Streams may move
// fewer bytes per call than asked, so both directions loop.
#include "clap/overdrive_clap.h"

namespace {

bool save(const clap_plugin_t* plugin, const clap_ostream_t* stream) {
  if (!stream) return false;
  uint8_t blob[OverdriveEngine::kStateSize];
  OverdriveClap::of(plugin).engine.saveState(blob);
  for (size_t done = 0; done < sizeof blob;) {
    const int64_t written = stream->write(stream, blob + done, sizeof blob - done);
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

// A blob the engine refuses (another size, tag or version) leaves the instance as it was. One
// byte more than a blob is read, so that a longer stream is refused too.
bool load(const clap_plugin_t* plugin, const clap_istream_t* stream) {
  if (!stream) return false;
  uint8_t blob[OverdriveEngine::kStateSize + 1];
  size_t size = 0;
  while (size < sizeof blob) {
    const int64_t read = stream->read(stream, blob + size, sizeof blob - size);
    if (read < 0) return false;
    if (read == 0) break;
    size += static_cast<size_t>(read);
  }
  OverdriveClap& self = OverdriveClap::of(plugin);
  if (!self.engine.loadState(blob, size)) return false;
  // Every value, the program and its name may have changed.
  if (self.hostParams)
    self.hostParams->rescan(self.host, CLAP_PARAM_RESCAN_VALUES | CLAP_PARAM_RESCAN_TEXT);
  return true;
}

}  // namespace

const clap_plugin_state_t kStateExtension = {&save, &load};
