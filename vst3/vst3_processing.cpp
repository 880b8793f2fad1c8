// The processor's block. Parameter changes take effect at their sample offsets: the block is
// split there, and each part is one engine block. Every split adds a block edge, whose flush of
// tiny filter states can change the last bits against the same audio in one block; changes at
// offset 0 split nothing, so such blocks give the bits of the VST2 file's.
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "vst3/block_changes.h"
#include "vst3/overdrive_vst3.h"
#include "vst3/parameter_ids.h"

namespace {

constexpr int64_t kBefore = std::numeric_limits<int64_t>::min();
constexpr int64_t kAfter = std::numeric_limits<int64_t>::max();

// Whether the call carries a stereo input and a stereo output to render.
bool hasAudio(const v3_process_data& data) {
  if (data.nframes <= 0 || data.symbolic_sample_size != V3_SAMPLE_32) return false;
  if (data.num_input_buses < 1 || data.num_output_buses < 1 || !data.inputs || !data.outputs)
    return false;
  for (const v3_audio_bus_buffers* bus : {data.inputs, data.outputs}) {
    if (bus->num_channels < 2 || !bus->channel_buffers_32) return false;
    if (!bus->channel_buffers_32[0] || !bus->channel_buffers_32[1]) return false;
  }
  return true;
}

}  // namespace

v3_result OverdriveVst3::process(v3_process_data* data) {
  if (!data) return V3_INVALID_ARG;
  const BlockChanges changes(data->input_params);
  // A call without audio (no buses, no frames) is a parameter flush.
  if (!hasAudio(*data)) {
    int32_t next = 0;
    if (applyChanges(changes, kBefore, kAfter, next)) reportValues(data->output_params, 0);
    return V3_OK;
  }
  const int32_t frames = data->nframes;
  float** in = data->inputs[0].channel_buffers_32;
  float** out = data->outputs[0].channel_buffers_32;
  int32_t next = frames;
  if (applyChanges(changes, kBefore, 0, next)) reportValues(data->output_params, 0);
  for (int32_t done = 0; done < frames;) {
    const int32_t end = next;
    float* inputs[2] = {in[0] + done, in[1] + done};
    float* outputs[2] = {out[0] + done, out[1] + done};
    engine_.processReplacing(inputs, outputs, end - done);
    // Changes at the block's end or beyond it take effect with the next block.
    next = frames;
    if (applyChanges(changes, done, end < frames ? end : kAfter, next))
      reportValues(data->output_params, end < frames ? end : frames - 1);
    done = end;
  }
  data->outputs[0].channel_silence_bitset = 0;
  return V3_OK;
}

bool OverdriveVst3::applyChanges(const BlockChanges& changes, int64_t from, int64_t to,
                                 int32_t& next) {
  bool programLoaded = false;
  changes.visit(kProgramChangeId, from, to, [&](v3_param_id, double value, int32_t) {
    if (engine_.loadProgram(programOf(value))) programLoaded = true;
  });
  // Values go to the engine unclamped, as the host sent them. A point of any id past `to` may
  // split the block.
  changes.visit(from, kAfter, [&](v3_param_id id, double value, int32_t offset) {
    if (offset > to) {
      if (offset < next) next = offset;
    } else if (isEngineParameter(id)) {
      engine_.setParameter(static_cast<int32_t>(id), static_cast<float>(value));
    }
  });
  return programLoaded;
}

// The host learns a program's values here rather than from restartComponent, which a host may
// not take from inside setParamNormalized (Ardour 7 waits on a lock it holds there).
void OverdriveVst3::reportValues(v3_param_changes** output, int32_t offset) {
  if (!output) return;
  const auto& table = tableOf<v3_param_changes_cpp>(output).changes;
  for (int32_t i = 0; i < kParameterCount; ++i) {
    v3_param_id id = static_cast<v3_param_id>(i);
    int32_t queueIndex = 0, pointIndex = 0;
    v3_param_value_queue** queue = table.add_param_data(output, &id, &queueIndex);
    if (queue) {
      tableOf<v3_param_value_queue_cpp>(queue).queue.add_point(queue, offset, engine_.parameter(i),
                                                               &pointIndex);
    }
  }
}
