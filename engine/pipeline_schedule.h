// The schedule of the pipelined chain: which frame each stage works on in each iteration of a
// block. Everything about filling and draining the pipeline follows from the number of stages,
// so a stage added to or moved in `PipelineStage` needs no other change here.
#pragma once

#include <algorithm>
#include <cstdint>

// The stages in the order a frame passes them. In iteration i, stage s works on frame i - s.
enum PipelineStage : int32_t {
  kToneStage,    // tone filter, then drive
  kSplitStage,   // split filter: the shaper's table offsets
  kShaperStage,  // the three bands' shaper entries, summed
  kOutputStage,  // gain, clamp and both post-filter stages
  kStageCount,
};

// A block of `frames` frames (at least 1) takes `frames + kStageCount - 1` iterations. In the
// first kStageCount - 1 the pipeline fills (the later stages have no frame yet), in the last
// kStageCount - 1 it drains (the earlier stages have none left); in between every stage is busy.
struct PipelineSchedule {
  explicit PipelineSchedule(int32_t frames) : frames(frames) {}

  static constexpr int32_t kLatency = kStageCount - 1;  // iterations a frame spends in flight

  int32_t iterations() const { return frames + kLatency; }
  int32_t fillEnd() const { return kLatency; }
  int32_t drainBegin() const { return std::max(frames, fillEnd()); }

  // The frame `stage` works on in `iteration`, and whether there is one.
  static int32_t frameOf(PipelineStage stage, int32_t iteration) { return iteration - stage; }
  bool busy(PipelineStage stage, int32_t iteration) const {
    return static_cast<uint32_t>(frameOf(stage, iteration)) < static_cast<uint32_t>(frames);
  }

  int32_t frames;
};
