// Compares two audio files sample by sample, bit for bit:
//   sample_bits_compare FILE           prints "frames N"
//   sample_bits_compare A B            prints the samples compared and how many differ;
//                                      exit status 1 when any differ or the shapes differ.
#include <cstdio>
#include <cstring>
#include <exception>
#include <vector>

#include "tools/render/audio_file.h"

namespace {

std::vector<float> samplesOf(AudioReader& file) {
  std::vector<float> samples(static_cast<size_t>(file.frames() * file.channels()));
  file.read(samples.data(), file.frames());
  return samples;
}

}  // namespace

int main(int argc, char** argv) try {
  if (argc == 2) {
    AudioReader file(argv[1]);
    std::printf("frames %lld\n", static_cast<long long>(file.frames()));
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: sample_bits_compare FILE | A B\n");
    return 2;
  }
  AudioReader a(argv[1]), b(argv[2]);
  if (a.channels() != b.channels() || a.frames() != b.frames()) {
    std::printf("shapes differ: %d x %lld and %d x %lld\n", a.channels(),
                static_cast<long long>(a.frames()), b.channels(),
                static_cast<long long>(b.frames()));
    return 1;
  }
  const std::vector<float> first = samplesOf(a), second = samplesOf(b);
  size_t differing = 0;
  for (size_t i = 0; i < first.size(); ++i)
    differing += std::memcmp(&first[i], &second[i], sizeof(float)) != 0;
  std::printf("samples compared %zu, differing %zu\n", first.size(), differing);
  return differing == 0 ? 0 : 1;
} catch (const std::exception& error) {
  std::fprintf(stderr, "sample_bits_compare: %s\n", error.what());
  return 2;
}
