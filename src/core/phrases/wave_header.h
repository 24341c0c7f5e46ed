#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kelvado {

inline constexpr size_t kWaveHeaderBytes = 44;
using WaveHeader = std::array<uint8_t, kWaveHeaderBytes>;

// The canonical 44-byte header of a RIFF WAVE file of 16-bit PCM, followed by `data_bytes`
// of samples. Recordings are saved with it; the silence trimmer reads only files that have it.
WaveHeader CanonicalWaveHeader(uint32_t sample_rate, uint16_t channels, uint32_t data_bytes);

// The header of a recording in the keyer's own format: 16-bit mono at 22050 Hz, whatever its
// two size fields say.
bool IsPhraseHeader(const uint8_t* header);

}  // namespace kelvado
