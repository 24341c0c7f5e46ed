#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelvado::test {

// The first and last sample louder than a threshold.
struct LoudSpan {
  size_t first;
  size_t last;
  size_t length() const { return last - first + 1; }
};
std::optional<LoudSpan> FindLoudSpan(const std::vector<int16_t>& samples, int threshold);

// Frequency from the sign changes between two samples of a mono signal.
double ZeroCrossingFrequency(const std::vector<int16_t>& samples, LoudSpan span, int rate);

}  // namespace kelvado::test
