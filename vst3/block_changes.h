// The parameter changes of one process call, read by sample offset where the host keeps them:
// nothing is copied, so the audio thread allocates nothing. A host may send any ids, values and
// offsets, in any order; points are visited queue by queue, each queue in its own order.
#pragma once

#include <cstdint>

#include "travesty/audio_processor.h"
#include "vst3/com_face.h"

class BlockChanges {
 public:
  // No changes when changes is null.
  explicit BlockChanges(v3_param_changes** changes)
      : changes_(changes), queues_(changes ? table().get_param_count(changes) : 0) {}

  // Calls visitor(id, value, offset) for each point with from < offset <= to.
  template <class Visitor>
  void visit(int64_t from, int64_t to, Visitor&& visitor) const {
    visitQueues(nullptr, from, to, visitor);
  }
  // The same for the points of the parameter `only`; other queues' points are not read.
  template <class Visitor>
  void visit(v3_param_id only, int64_t from, int64_t to, Visitor&& visitor) const {
    visitQueues(&only, from, to, visitor);
  }

 private:
  template <class Visitor>
  void visitQueues(const v3_param_id* only, int64_t from, int64_t to, Visitor& visitor) const {
    for (int32_t q = 0; q < queues_; ++q) {
      v3_param_value_queue** queue = table().get_param_data(changes_, q);
      if (!queue) continue;
      const auto& points = tableOf<v3_param_value_queue_cpp>(queue).queue;
      const v3_param_id id = points.get_param_id(queue);
      if (only && id != *only) continue;
      const int32_t count = points.get_point_count(queue);
      for (int32_t p = 0; p < count; ++p) {
        int32_t offset = 0;
        double value = 0.0;
        if (points.get_point(queue, p, &offset, &value) != V3_OK) continue;
        if (offset > from && offset <= to) visitor(id, value, offset);
      }
    }
  }

  const v3_param_changes& table() const { return tableOf<v3_param_changes_cpp>(changes_).changes; }

  v3_param_changes** changes_;
  int32_t queues_;
};
