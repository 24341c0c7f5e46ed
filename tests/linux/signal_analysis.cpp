#include "signal_analysis.h"

#include <cstdlib>

namespace kelvado::test {

std::optional<LoudSpan> FindLoudSpan(const std::vector<int16_t>& samples, int threshold) {
  std::optional<LoudSpan> span;
  for (size_t i = 0; i < samples.size(); ++i) {
    if (std::abs(samples[i]) <= threshold) continue;
    if (!span) span = LoudSpan{i, i};
    span->last = i;
  }
  return span;
}

double ZeroCrossingFrequency(const std::vector<int16_t>& samples, LoudSpan span, int rate) {
  size_t crossings = 0;
  for (size_t i = span.first + 1; i <= span.last; ++i) {
    if ((samples[i - 1] < 0) != (samples[i] < 0)) ++crossings;
  }
  const double seconds = static_cast<double>(span.length()) / rate;
  return static_cast<double>(crossings) / 2.0 / seconds;
}

}  // namespace kelvado::test
