#include "tools/hosting/clap_byte_streams.h"

#include <algorithm>
#include <cstring>

ClapByteWriter::ClapByteWriter(std::vector<uint8_t>& bytes) : bytes_(bytes) {
  stream_.ctx = this;
  stream_.write = [](const clap_ostream_t* stream, const void* data, uint64_t size) -> int64_t {
    auto& bytes = static_cast<ClapByteWriter*>(stream->ctx)->bytes_;
    const auto* first = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), first, first + size);
    return static_cast<int64_t>(size);
  };
}

ClapByteReader::ClapByteReader(const std::vector<uint8_t>& bytes, uint64_t chunk)
    : bytes_(bytes), chunk_(std::max<uint64_t>(chunk, 1)) {
  stream_.ctx = this;
  stream_.read = [](const clap_istream_t* stream, void* buffer, uint64_t size) -> int64_t {
    auto* self = static_cast<ClapByteReader*>(stream->ctx);
    const uint64_t count =
        std::min({size, self->chunk_, uint64_t{self->bytes_.size() - self->at_}});
    if (count > 0) std::memcpy(buffer, self->bytes_.data() + self->at_, count);
    self->at_ += count;
    return static_cast<int64_t>(count);
  };
}
