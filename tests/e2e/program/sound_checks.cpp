#include "sound_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace kelvado::e2e {

std::vector<int16_t> Tone(double seconds, double frequency, int amplitude) {
  std::vector<int16_t> samples(static_cast<size_t>(seconds * kRate));
  for (size_t i = 0; i < samples.size(); ++i) {
    // A cosine starts at its peak, so the tone's edges are sharp.
    const double phase = 2 * std::numbers::pi * frequency * static_cast<double>(i) / kRate;
    samples[i] = static_cast<int16_t>(std::lround(amplitude * std::cos(phase)));
  }
  return samples;
}

double Seconds(size_t samples) {
  return static_cast<double>(samples) / kRate;
}

double Rms(const std::vector<int16_t>& samples, test::LoudSpan span) {
  double sum = 0;
  for (size_t i = span.first; i <= span.last; ++i) sum += double(samples[i]) * samples[i];
  return std::sqrt(sum / static_cast<double>(span.length()));
}

size_t LongestQuietRun(const std::vector<int16_t>& samples, test::LoudSpan span) {
  size_t longest = 0, run = 0;
  for (size_t i = span.first; i <= span.last; ++i) {
    run = std::abs(samples[i]) <= kLoudness ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

}  // namespace kelvado::e2e
