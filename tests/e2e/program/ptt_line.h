#pragma once

#include <chrono>
#include <vector>

#include "line_log.h"

namespace kelvado::e2e {

using Clock = std::chrono::steady_clock;

// A change of the transmitter's PTT as the line recorder saw the program drive DTR.
struct PttEdge {
  Clock::time_point time;
  bool keyed;
};

// The edges that process `pid` made: every recorded DTR level that differs from the one
// before it. A serial port opens with its lines asserted, so an open counts as keying.
std::vector<PttEdge> PttEdges(const std::vector<test::LineEvent>& events, int pid);

// The edges at or after `time`.
std::vector<PttEdge> EdgesSince(const std::vector<PttEdge>& edges, Clock::time_point time);

// The line recorder's CLOCK_MONOTONIC seconds on the steady clock, which is the same clock.
Clock::time_point SteadyTime(double monotonic_seconds);

}  // namespace kelvado::e2e
