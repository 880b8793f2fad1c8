#include "tools/render/audio_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <stdexcept>

namespace {

// libsndfile opens a WAV or AIFF whose data ends early and reports only the frames present; its
// log notes the shortfall as "data : <declared> (should be <present>)".
bool headerPromisesMore(SNDFILE* file) {
  char log[8192] = {};
  sf_command(file, SFC_GET_LOG_INFO, log, sizeof log);
  const std::string text = log;
  for (const char* chunk : {"data :", "SSND :"}) {
    const auto at = text.find(chunk);
    if (at == std::string::npos) continue;
    const auto end = text.find('\n', at);
    if (text.substr(at, end - at).find("should be") != std::string::npos) return true;
  }
  return false;
}

std::string lowercaseExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

// The temporary file being written, removed when a signal ends the program mid-render. One
// writer at a time registers; the handler does only async-signal-safe work.
char pendingPath[4096];
volatile std::sig_atomic_t pathPending = 0;
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

void removePendingAndEnd(int signal) {
  if (pathPending) unlink(pendingPath);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// mkstemp with the file registered for removal; the signals wait until both are done.
int createPending(std::string& pattern) {
  sigset_t ending, previous;
  sigemptyset(&ending);
  for (int signal : kEndingSignals) sigaddset(&ending, signal);
  sigprocmask(SIG_BLOCK, &ending, &previous);
  const int fd = mkstemp(pattern.data());
  const int reason = errno;
  if (fd >= 0 && pattern.size() < sizeof pendingPath) {
    std::memcpy(pendingPath, pattern.c_str(), pattern.size() + 1);
    pathPending = 1;
    for (int signal : kEndingSignals) std::signal(signal, removePendingAndEnd);
  }
  sigprocmask(SIG_SETMASK, &previous, nullptr);
  errno = reason;
  return fd;
}

}  // namespace

AudioReader::AudioReader(const std::string& path) : path_(path) {
  if (!std::filesystem::exists(path)) throw std::runtime_error("input '" + path + "' not found");
  if (std::filesystem::is_directory(path)) {
    throw std::runtime_error("input '" + path + "' is a directory");
  }
  if (access(path.c_str(), R_OK) != 0) {
    throw std::runtime_error("cannot read '" + path + "': " + std::strerror(errno));
  }
  file_ = sf_open(path.c_str(), SFM_READ, &info_);
  if (!file_) {
    throw std::runtime_error("cannot read '" + path + "' as audio: " + sf_strerror(nullptr));
  }
  if (headerPromisesMore(file_)) {
    sf_close(file_);
    throw std::runtime_error("input '" + path + "' is cut short: it ends before its header says");
  }
}

AudioReader::~AudioReader() { sf_close(file_); }

void AudioReader::read(float* interleaved, int64_t count) {
  const sf_count_t got = sf_readf_float(file_, interleaved, count);
  if (got != count) {
    throw std::runtime_error("input '" + path_ + "' is cut short: it ends after " +
                             std::to_string(position_ + std::max<sf_count_t>(got, 0)) + " of " +
                             std::to_string(info_.frames) + " frames");
  }
  position_ += got;
}

int outputFormatFor(const std::string& path, const std::string& sampleFormat, int channels) {
  static const std::map<std::string, int> containers = {{".wav", SF_FORMAT_WAV},
                                                        {".aif", SF_FORMAT_AIFF},
                                                        {".aiff", SF_FORMAT_AIFF},
                                                        {".flac", SF_FORMAT_FLAC}};
  static const std::map<std::string, int> samples = {{"float", SF_FORMAT_FLOAT},
                                                     {"double", SF_FORMAT_DOUBLE},
                                                     {"pcm16", SF_FORMAT_PCM_16},
                                                     {"pcm24", SF_FORMAT_PCM_24},
                                                     {"pcm32", SF_FORMAT_PCM_32}};
  const std::string extension = lowercaseExtension(path);
  const auto container = containers.find(extension);
  if (container == containers.end()) {
    throw std::runtime_error("output '" + path + "': unknown extension (use .wav, .aiff or .flac)");
  }
  const std::string chosen = !sampleFormat.empty()
                                 ? sampleFormat
                                 : (container->second == SF_FORMAT_FLAC ? "pcm24" : "float");
  const auto sample = samples.find(chosen);
  if (sample == samples.end()) throw std::runtime_error("unknown sample format '" + chosen + "'");
  SF_INFO info{};
  info.format = container->second | sample->second;
  info.channels = channels;
  info.samplerate = 44100;
  if (!sf_format_check(&info)) {
    throw std::runtime_error("a " + extension + " file cannot hold " + chosen + " samples");
  }
  return info.format;
}

AudioWriter::AudioWriter(const std::string& path, int format, int channels, int sampleRate,
                         bool dither)
    : path_(path), channels_(channels) {
  const std::filesystem::path target(path);
  std::string pattern =
      (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = createPending(pattern);
  if (fd < 0) {
    throw std::runtime_error("cannot create a file beside '" + path + "': " +
                             std::strerror(errno));
  }
  temporaryPath_ = pattern;
  // mkstemp makes the file private; the finished file gets the usual permissions.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  const int samples = format & SF_FORMAT_SUBMASK;
  if ((format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV &&
      (samples == SF_FORMAT_FLOAT || samples == SF_FORMAT_DOUBLE)) {
    floatWav_.emplace(fd, channels, sampleRate, samples == SF_FORMAT_FLOAT ? 4 : 8);
    return;
  }
  SF_INFO info{};
  info.format = format;
  info.channels = channels;
  info.samplerate = sampleRate;
  file_ = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
  if (!file_) {  // libsndfile has closed the descriptor
    pathPending = 0;
    std::remove(temporaryPath_.c_str());
    throw std::runtime_error("cannot write '" + path + "': " + sf_strerror(nullptr));
  }
  // A peak chunk carries the time of writing.
  sf_command(file_, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
  switch (samples) {
    case SF_FORMAT_PCM_16: quantizer_.emplace(16, dither); break;
    case SF_FORMAT_PCM_24: quantizer_.emplace(24, false); break;
    case SF_FORMAT_PCM_32: quantizer_.emplace(32, false); break;
  }
}

AudioWriter::~AudioWriter() {
  if (temporaryPath_.empty()) return;
  pathPending = 0;
  if (file_) sf_close(file_);
  std::remove(temporaryPath_.c_str());
}

void AudioWriter::write(const float* interleaved, int64_t count) {
  if (floatWav_) {
    try {
      floatWav_->write(interleaved, count);
    } catch (const std::runtime_error& error) {
      throw std::runtime_error("cannot write '" + path_ + "': " + error.what());
    }
    return;
  }
  sf_count_t written;
  if (quantizer_) {
    integers_.resize(static_cast<size_t>(count) * channels_);
    quantizer_->convert(interleaved, integers_.data(), integers_.size());
    written = sf_writef_int(file_, integers_.data(), count);
  } else {
    written = sf_writef_float(file_, interleaved, count);
  }
  if (written != count) {
    throw std::runtime_error("cannot write '" + path_ + "': " + sf_strerror(file_));
  }
}

void AudioWriter::commit() {
  if (floatWav_) {
    try {
      floatWav_->finish();
    } catch (const std::runtime_error& error) {
      throw std::runtime_error("cannot finish '" + path_ + "': " + error.what());
    }
  } else {
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0)
      throw std::runtime_error("cannot finish '" + path_ + "': " + sf_error_number(closed));
  }
  pathPending = 0;
  if (std::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
    throw std::runtime_error("cannot rename the finished file to '" + path_ + "': " +
                             std::strerror(errno));
  }
  temporaryPath_.clear();
}
