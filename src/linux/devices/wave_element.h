#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvado {

// The sound the device holds while it is open: 16-bit samples, channels interleaved. A new
// element has the recording format: mono, 22050 Hz.
struct WaveElement {
  int sampleRate = 22050;
  int channels = 1;
  std::vector<int16_t> samples;

  size_t frames() const { return samples.size() / static_cast<size_t>(channels); }
};

enum class WaveLoadResult { Loaded, NotFound, AccessDenied, NotDecodable };

// Decodes any file libsndfile reads into `element`, at the file's own rate and channels.
WaveLoadResult LoadWaveFile(const std::string& path, WaveElement& element);

// Replaces `path` atomically with the element in the canonical layout (a 44-byte header,
// then 16-bit PCM); false on failure.
bool SaveCanonicalWave(const std::string& path, const WaveElement& element);

}  // namespace kelvado
