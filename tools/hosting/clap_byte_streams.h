// CLAP's state streams over a byte vector, as a host saves a session into memory and reads it
// back. The reader may hand out fewer bytes per call than asked, as file and network streams do.
#pragma once

#include <cstdint>
#include <vector>

#include "clap/stream.h"

class ClapByteWriter {
 public:
  explicit ClapByteWriter(std::vector<uint8_t>& bytes);
  const clap_ostream_t* stream() const { return &stream_; }

 private:
  clap_ostream_t stream_;
  std::vector<uint8_t>& bytes_;
};

class ClapByteReader {
 public:
  // At most `chunk` bytes per read (at least 1).
  explicit ClapByteReader(const std::vector<uint8_t>& bytes, uint64_t chunk = UINT64_MAX);
  const clap_istream_t* stream() const { return &stream_; }

 private:
  clap_istream_t stream_;
  const std::vector<uint8_t>& bytes_;
  uint64_t chunk_;
  size_t at_ = 0;
};
