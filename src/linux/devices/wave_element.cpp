#include "devices/wave_element.h"

#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>

#include "common/atomic_file.h"
#include "common/error.h"

namespace kelvado {

namespace {

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> CanonicalWaveBytes(const WaveElement& element) {
  const auto channels = static_cast<uint32_t>(element.channels);
  const auto rate = static_cast<uint32_t>(element.sampleRate);
  const auto data_bytes = static_cast<uint32_t>(element.samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + data_bytes);
  for (char c : {'R', 'I', 'F', 'F'}) out.push_back(static_cast<uint8_t>(c));
  PutLe(out, 36 + data_bytes, 4);
  for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) out.push_back(static_cast<uint8_t>(c));
  PutLe(out, 16, 4);  // fmt chunk size
  PutLe(out, 1, 2);   // PCM
  PutLe(out, channels, 2);
  PutLe(out, rate, 4);
  PutLe(out, rate * channels * 2, 4);  // bytes per second
  PutLe(out, channels * 2, 2);         // bytes per frame
  PutLe(out, 16, 2);                   // bits per sample
  for (char c : {'d', 'a', 't', 'a'}) out.push_back(static_cast<uint8_t>(c));
  PutLe(out, data_bytes, 4);
  for (int16_t sample : element.samples) PutLe(out, static_cast<uint16_t>(sample), 2);
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
