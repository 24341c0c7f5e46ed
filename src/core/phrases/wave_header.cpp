#include "phrases/wave_header.h"

#include <algorithm>

namespace kelvado {

namespace {

constexpr size_t kRiffSizeOffset = 4;
constexpr size_t kDataSizeOffset = 40;

void PutLe(uint8_t* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

WaveHeader CanonicalWaveHeader(uint32_t sample_rate, uint16_t channels, uint32_t data_bytes) {
  WaveHeader h{};
  std::copy_n("RIFF", 4, h.begin());
  PutLe(&h[kRiffSizeOffset], data_bytes + 36, 4);
  std::copy_n("WAVEfmt ", 8, h.begin() + 8);
  PutLe(&h[16], 16, 4);  // format chunk length
  PutLe(&h[20], 1, 2);   // PCM
  PutLe(&h[22], channels, 2);
  PutLe(&h[24], sample_rate, 4);
  PutLe(&h[28], sample_rate * channels * 2u, 4);  // bytes per second
  PutLe(&h[32], channels * 2u, 2);                // bytes per frame
  PutLe(&h[34], 16, 2);                           // bits per sample
  std::copy_n("data", 4, h.begin() + 36);
  PutLe(&h[kDataSizeOffset], data_bytes, 4);
  return h;
}

bool IsPhraseHeader(const uint8_t* header) {
  const WaveHeader expected = CanonicalWaveHeader(22050, 1, 0);
  return std::equal(header, header + kRiffSizeOffset, expected.begin()) &&
         std::equal(header + kRiffSizeOffset + 4, header + kDataSizeOffset,
                    expected.begin() + kRiffSizeOffset + 4);
}

}  // namespace kelvado
