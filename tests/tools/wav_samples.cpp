// What the host tests need of audio files, read and written with the renderer's own code:
//   wav_samples frames FILE          prints "frames N"
//   wav_samples head IN OUT FRAMES   the first FRAMES frames of IN as a float WAV
//   wav_samples compare EXPECTED ACTUAL
//        the frame counts and every sample's bits; prints the samples compared and how many
//        differ, and what of EXPECTED a host could not pass on unchanged (subnormal samples,
//        which some flush, and samples beyond +-1, which some clip). Exit 0 when all agree.
// Exit 1 when they do not, 2 on usage or file errors.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "tools/render/audio_file.h"

namespace {

struct Samples {
  int channels = 0, rate = 0;
  std::vector<float> interleaved;
};

Samples readAll(const std::string& path) {
  AudioReader reader(path);
  Samples samples{reader.channels(), static_cast<int>(reader.sampleRate()), {}};
  samples.interleaved.resize(static_cast<size_t>(reader.frames()) * reader.channels());
  reader.read(samples.interleaved.data(), reader.frames());
  return samples;
}

int head(const std::string& in, const std::string& out, long frames) {
  Samples samples = readAll(in);
  samples.interleaved.resize(
      std::min(samples.interleaved.size(), static_cast<size_t>(frames) * samples.channels));
  AudioWriter writer(out, outputFormatFor(out, "float", samples.channels), samples.channels,
                     samples.rate);
  writer.write(samples.interleaved.data(),
               static_cast<int64_t>(samples.interleaved.size() / samples.channels));
  writer.commit();
  return 0;
}

int frames(const std::string& path) {
  std::printf("frames %lld\n", static_cast<long long>(AudioReader(path).frames()));
  return 0;
}

int compare(const std::string& expectedPath, const std::string& actualPath) {
  const Samples expected = readAll(expectedPath), actual = readAll(actualPath);
  if (expected.channels != actual.channels ||
      expected.interleaved.size() != actual.interleaved.size()) {
    std::printf("%s has %zu samples in %d channels, %s %zu in %d\n", expectedPath.c_str(),
                expected.interleaved.size(), expected.channels, actualPath.c_str(),
                actual.interleaved.size(), actual.channels);
    return 1;
  }
  size_t differing = 0, subnormal = 0, beyondFullScale = 0;
  for (size_t i = 0; i < expected.interleaved.size(); ++i) {
    const float value = expected.interleaved[i];
    differing += std::memcmp(&value, &actual.interleaved[i], sizeof value) != 0;
    subnormal += std::fpclassify(value) == FP_SUBNORMAL;
    beyondFullScale += std::fabs(value) > 1.0f;
  }
  std::printf("%zu samples compared, %zu differ", expected.interleaved.size(), differing);
  if (subnormal || beyondFullScale)
    std::printf(" (expected: %zu subnormal, %zu beyond +-1)", subnormal, beyondFullScale);
  std::printf("\n");
  return differing ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "frames" && argc == 3) return frames(argv[2]);
    if (command == "head" && argc == 5) return head(argv[2], argv[3], std::atol(argv[4]));
    if (command == "compare" && argc == 4) return compare(argv[2], argv[3]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "wav_samples: %s\n", error.what());
    return 2;
  }
  std::fprintf(stderr,
               "usage: wav_samples frames FILE | head IN OUT FRAMES | compare EXPECTED ACTUAL\n");
  return 2;
}
