#include "devices/wave_element.h"

#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>

#include "common/atomic_file.h"
#include "common/error.h"
#include "phrases/wave_header.h"

namespace kelvado {

namespace {

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};

std::vector<uint8_t> CanonicalWaveBytes(const WaveElement& element) {
  const auto data_bytes = static_cast<uint32_t>(element.samples.size() * 2);
  const WaveHeader header =
      CanonicalWaveHeader(static_cast<uint32_t>(element.sampleRate),
                          static_cast<uint16_t>(element.channels), data_bytes);
  std::vector<uint8_t> out(header.begin(), header.end());
  out.reserve(header.size() + data_bytes);
  for (int16_t sample : element.samples) {
    const auto u = static_cast<uint16_t>(sample);
    out.push_back(static_cast<uint8_t>(u));
    out.push_back(static_cast<uint8_t>(u >> 8));
  }
  return out;
}

}  // namespace

WaveLoadResult LoadWaveFile(const std::string& path, WaveElement& element) {
  if (::access(path.c_str(), R_OK) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? WaveLoadResult::NotFound
                                               : WaveLoadResult::AccessDenied;
  }
  SF_INFO info{};
  std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file || info.channels < 1 || info.samplerate < 1) return WaveLoadResult::NotDecodable;

  WaveElement loaded;
  loaded.sampleRate = info.samplerate;
  loaded.channels = info.channels;
  loaded.samples.reserve(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
  // Read as floats, which libsndfile scales to full range from every encoding (reading
  // floating-point files as integers would not scale them); a 16-bit file comes back exact.
  std::vector<float> block(4096 * static_cast<size_t>(info.channels));
  sf_count_t frames;
  while ((frames = sf_readf_float(file.get(), block.data(), 4096)) > 0) {
    const auto count = static_cast<size_t>(frames) * static_cast<size_t>(info.channels);
    for (size_t i = 0; i < count; ++i) {
      const float scaled = std::clamp(block[i] * 32768.0f, -32768.0f, 32767.0f);
      loaded.samples.push_back(static_cast<int16_t>(std::lrint(scaled)));
    }
  }
  if (sf_error(file.get()) != SF_ERR_NO_ERROR) return WaveLoadResult::NotDecodable;
  element = std::move(loaded);
  return WaveLoadResult::Loaded;
}

bool SaveCanonicalWave(const std::string& path, const WaveElement& element) {
  const std::vector<uint8_t> bytes = CanonicalWaveBytes(element);
  try {
    WriteFileAtomically(path, bytes.data(), bytes.size());
  } catch (const Error&) {
    return false;
  }
  return true;
}

}  // namespace kelvado
