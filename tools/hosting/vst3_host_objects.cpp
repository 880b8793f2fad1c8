#include "tools/hosting/vst3_host_objects.h"

#include <cstring>

#include "vst3/interface_tables.h"
#include "vst3/utf16_text.h"

namespace {

const v3_host_application_cpp kApplicationTable = {
    unknownEntries<HostApplication>(),
    {&Entry<&HostApplication::getName>::call, &Entry<&HostApplication::createInstance>::call}};

const StreamTable kStreamTable = {
    unknownEntries<MemoryStream>(),
    {&Entry<&MemoryStream::read>::call, &Entry<&MemoryStream::write>::call,
     &Entry<&MemoryStream::seek>::call, &Entry<&MemoryStream::tell>::call}};

const v3_param_value_queue_cpp kQueueTable = {
    unknownEntries<ParameterQueue>(),
    {&Entry<&ParameterQueue::getParameterId>::call, &Entry<&ParameterQueue::getPointCount>::call,
     &Entry<&ParameterQueue::getPoint>::call, &Entry<&ParameterQueue::addPoint>::call}};

const v3_param_changes_cpp kChangesTable = {unknownEntries<ParameterChanges>(),
                                            {&Entry<&ParameterChanges::getParameterCount>::call,
                                             &Entry<&ParameterChanges::getParameterData>::call,
                                             &Entry<&ParameterChanges::addParameterData>::call}};

}  // namespace

HostApplication::HostApplication() : face_{&kApplicationTable, this} {}

v3_result HostApplication::queryInterface(const uint8_t* iid, void** object) {
  return answerQuery(*this, iid, v3_host_application_iid, &face_, object);
}

v3_result HostApplication::getName(int16_t* name) {
  if (!name) return V3_INVALID_ARG;
  toUtf16("Vorra OverDrive hosting", name, 128);
  return V3_OK;
}

v3_result HostApplication::createInstance(uint8_t*, uint8_t*, void** object) {
  if (object) *object = nullptr;
  return V3_NOT_IMPLEMENTED;
}

MemoryStream::MemoryStream() : face_{&kStreamTable, this} {}

v3_result MemoryStream::queryInterface(const uint8_t* iid, void** object) {
  return answerQuery(*this, iid, v3_bstream_iid, &face_, object);
}

v3_result MemoryStream::read(void* buffer, int32_t size, int32_t* done) {
  if (!buffer || size < 0) return V3_INVALID_ARG;
  const int64_t left = static_cast<int64_t>(bytes_.size()) - position_;
  const int32_t taken = left <= 0 ? 0 : left < size ? static_cast<int32_t>(left) : size;
  if (taken > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(taken));
  position_ += taken;
  if (done) *done = taken;
  return V3_OK;
}

v3_result MemoryStream::write(void* buffer, int32_t size, int32_t* done) {
  if (!buffer || size < 0) return V3_INVALID_ARG;
  const auto end = static_cast<size_t>(position_) + static_cast<size_t>(size);
  if (end > bytes_.size()) bytes_.resize(end);
  std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(size));
  position_ += size;
  if (done) *done = size;
  return V3_OK;
}

v3_result MemoryStream::seek(int64_t position, int32_t mode, int64_t* result) {
  const int64_t base = mode == V3_SEEK_SET   ? 0
                       : mode == V3_SEEK_CUR ? position_
                                             : static_cast<int64_t>(bytes_.size());
  if (base + position < 0) return V3_INVALID_ARG;
  position_ = base + position;
  if (result) *result = position_;
  return V3_OK;
}

v3_result MemoryStream::tell(int64_t* position) {
  if (!position) return V3_INVALID_ARG;
  *position = position_;
  return V3_OK;
}

ParameterQueue::ParameterQueue(v3_param_id id) : face_{&kQueueTable, this}, id_(id) {}

v3_result ParameterQueue::queryInterface(const uint8_t* iid, void** object) {
  return answerQuery(*this, iid, v3_param_value_queue_iid, &face_, object);
}

v3_result ParameterQueue::getPoint(int32_t index, int32_t* offset, double* value) {
  if (index < 0 || index >= getPointCount() || !offset || !value) return V3_INVALID_ARG;
  *offset = points_[index].first;
  *value = points_[index].second;
  return V3_OK;
}

v3_result ParameterQueue::addPoint(int32_t offset, double value, int32_t* index) {
  points_.emplace_back(offset, value);
  if (index) *index = getPointCount() - 1;
  return V3_OK;
}

ParameterChanges::ParameterChanges() : face_{&kChangesTable, this} {}

v3_result ParameterChanges::queryInterface(const uint8_t* iid, void** object) {
  return answerQuery(*this, iid, v3_param_changes_iid, &face_, object);
}

void ParameterChanges::add(v3_param_id id, int32_t offset, double value) {
  int32_t index = 0;
  addParameterData(&id, &index);
  queues_[index].addPoint(offset, value, nullptr);
}

v3_param_value_queue** ParameterChanges::getParameterData(int32_t index) {
  return index >= 0 && index < getParameterCount() ? queues_[index].queue() : nullptr;
}

v3_param_value_queue** ParameterChanges::addParameterData(v3_param_id* id, int32_t* index) {
  if (!id || !index) return nullptr;
  for (size_t i = 0; i < queues_.size(); ++i) {
    if (queues_[i].getParameterId() == *id) {
      *index = static_cast<int32_t>(i);
      return queues_[i].queue();
    }
  }
  queues_.emplace_back(*id);
  *index = getParameterCount() - 1;
  return queues_.back().queue();
}
