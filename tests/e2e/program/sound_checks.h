#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "signal_analysis.h"

namespace kelvado::e2e {

inline constexpr int kRate = 22050;
// Well above what resampling leaves of silence, well below the test tones' peaks.
inline constexpr int kLoudness = 2000;

// A sine tone at kRate, starting and ending at full amplitude.
std::vector<int16_t> Tone(double seconds, double frequency, int amplitude);

double Seconds(size_t samples);
double Rms(const std::vector<int16_t>& samples, test::LoudSpan span);
// The longest run of samples no louder than kLoudness inside `span`: a dropout on air.
size_t LongestQuietRun(const std::vector<int16_t>& samples, test::LoudSpan span);

}  // namespace kelvado::e2e
