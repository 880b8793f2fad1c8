#include "tools/render/float_wav_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "samples are written in memory order");

namespace {

constexpr uint16_t kIeeeFloat = 3;
constexpr uint64_t kHeaderBytes = 58;

void putLittle(std::string& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

[[noreturn]] void systemError() { throw std::runtime_error(std::strerror(errno)); }

}  // namespace

std::string floatWavHeader(int channels, int sampleRate, int bytesPerSample, uint64_t frames) {
  const uint32_t frameBytes = static_cast<uint32_t>(channels * bytesPerSample);
  const auto dataBytes = static_cast<uint32_t>(frames * frameBytes);
  std::string h = "RIFF";
  putLittle(h, static_cast<uint32_t>(kHeaderBytes - 8 + dataBytes), 4);
  h += "WAVEfmt ";
  putLittle(h, 18, 4);
  putLittle(h, kIeeeFloat, 2);
  putLittle(h, static_cast<uint32_t>(channels), 2);
  putLittle(h, static_cast<uint32_t>(sampleRate), 4);
  putLittle(h, static_cast<uint32_t>(sampleRate) * frameBytes, 4);
  putLittle(h, frameBytes, 2);
  putLittle(h, static_cast<uint32_t>(8 * bytesPerSample), 2);
  putLittle(h, 0, 2);  // no extension follows
  h += "fact";
  putLittle(h, 4, 4);
  putLittle(h, static_cast<uint32_t>(frames), 4);
  h += "data";
  putLittle(h, dataBytes, 4);
  return h;
}

FloatWavFile::FloatWavFile(int fd, int channels, int sampleRate, int bytesPerSample)
    : fd_(fd), channels_(channels), sampleRate_(sampleRate), bytesPerSample_(bytesPerSample) {
  const std::string header = floatWavHeader(channels, sampleRate, bytesPerSample, 0);
  put(header.data(), header.size());
}

FloatWavFile::~FloatWavFile() {
  if (fd_ >= 0) close(fd_);
}

void FloatWavFile::put(const void* bytes, size_t size) {
  const char* at = static_cast<const char*>(bytes);
  while (size > 0) {
    const ssize_t done = ::write(fd_, at, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      systemError();
    }
    at += done;
    size -= static_cast<size_t>(done);
  }
}

void FloatWavFile::write(const float* interleaved, int64_t count) {
  const auto samples = static_cast<size_t>(count) * channels_;
  const uint64_t dataBytes = (frames_ + count) * channels_ * bytesPerSample_;
  if (kHeaderBytes - 8 + dataBytes > UINT32_MAX) {
    throw std::runtime_error("a WAV file holds at most 4 GiB; use .flac or a smaller format");
  }
  if (bytesPerSample_ == 4) {
    put(interleaved, samples * sizeof(float));
  } else {
    widened_.assign(interleaved, interleaved + samples);
    put(widened_.data(), samples * sizeof(double));
  }
  frames_ += count;
}

void FloatWavFile::finish() {
  const std::string header = floatWavHeader(channels_, sampleRate_, bytesPerSample_, frames_);
  if (lseek(fd_, 0, SEEK_SET) != 0) systemError();
  put(header.data(), header.size());
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) systemError();
}
