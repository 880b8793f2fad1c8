// The objects our host hands a VST3 plug-in: the application context, a stream over bytes and
// parameter changes. The host owns them; their reference counts only balance the plug-in's calls
// (the context's refs() shows whether it did). Host code fills and reads them between the
// plug-in's calls.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "travesty/audio_processor.h"
#include "travesty/bstream.h"
#include "travesty/host.h"
#include "vst3/com_face.h"

// The references a plug-in takes and gives back; the object itself belongs to the host.
class ReferenceCount {
 public:
  uint32_t add() { return count_.fetch_add(1, std::memory_order_relaxed) + 1; }
  uint32_t remove() { return count_.fetch_sub(1, std::memory_order_relaxed) - 1; }
  uint32_t value() const { return count_.load(std::memory_order_relaxed); }

 private:
  std::atomic<uint32_t> count_{1};
};

class HostApplication {
 public:
  HostApplication();
  v3_funknown** context() { return interfaceOf<v3_funknown>(face_); }

  v3_result queryInterface(const uint8_t* iid, void** object);
  uint32_t addRef() { return references_.add(); }
  uint32_t release() { return references_.remove(); }
  uint32_t refs() const { return references_.value(); }
  v3_result getName(int16_t* name);
  // Messages and attribute lists, which plug-ins with a separate controller ask for: none here.
  v3_result createInstance(uint8_t* classId, uint8_t* iid, void** object);

 private:
  Face<HostApplication> face_;
  ReferenceCount references_;
};

// IBStream over a byte vector.
class MemoryStream {
 public:
  MemoryStream();
  explicit MemoryStream(std::vector<uint8_t> bytes) : MemoryStream() { bytes_ = std::move(bytes); }
  v3_bstream** stream() { return interfaceOf<v3_bstream>(face_); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  void rewind() { position_ = 0; }

  v3_result queryInterface(const uint8_t* iid, void** object);
  uint32_t addRef() { return references_.add(); }
  uint32_t release() { return references_.remove(); }
  v3_result read(void* buffer, int32_t size, int32_t* done);
  v3_result write(void* buffer, int32_t size, int32_t* done);
  v3_result seek(int64_t position, int32_t mode, int64_t* result);
  v3_result tell(int64_t* position);

 private:
  Face<MemoryStream> face_;
  ReferenceCount references_;
  std::vector<uint8_t> bytes_;
  int64_t position_ = 0;
};

// One parameter's points within a block, in the order they were added.
class ParameterQueue {
 public:
  explicit ParameterQueue(v3_param_id id);
  v3_param_value_queue** queue() { return interfaceOf<v3_param_value_queue>(face_); }
  v3_param_id id() const { return id_; }
  const std::vector<std::pair<int32_t, double>>& points() const { return points_; }

  v3_result queryInterface(const uint8_t* iid, void** object);
  uint32_t addRef() { return references_.add(); }
  uint32_t release() { return references_.remove(); }
  v3_param_id getParameterId() { return id_; }
  int32_t getPointCount() { return static_cast<int32_t>(points_.size()); }
  v3_result getPoint(int32_t index, int32_t* offset, double* value);
  v3_result addPoint(int32_t offset, double value, int32_t* index);

 private:
  Face<ParameterQueue> face_;
  ReferenceCount references_;
  v3_param_id id_;
  std::vector<std::pair<int32_t, double>> points_;
};

// IParameterChanges: one queue per parameter id. The host's changes for a block, or the ones a
// plug-in reports back.
class ParameterChanges {
 public:
  ParameterChanges();
  v3_param_changes** changes() { return interfaceOf<v3_param_changes>(face_); }
  // Adds a point to the queue of `id`, making the queue first if needed.
  void add(v3_param_id id, int32_t offset, double value);
  void clear() { queues_.clear(); }
  const std::deque<ParameterQueue>& queues() const { return queues_; }

  v3_result queryInterface(const uint8_t* iid, void** object);
  uint32_t addRef() { return references_.add(); }
  uint32_t release() { return references_.remove(); }
  int32_t getParameterCount() { return static_cast<int32_t>(queues_.size()); }
  v3_param_value_queue** getParameterData(int32_t index);
  v3_param_value_queue** addParameterData(v3_param_id* id, int32_t* index);

 private:
  Face<ParameterChanges> face_;
  ReferenceCount references_;
  std::deque<ParameterQueue> queues_;  // a deque keeps every queue where the plug-in saw it
};
