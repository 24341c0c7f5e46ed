#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "line_log.h"

namespace kelvado::e2e {

using Clock = std::chrono::steady_clock;

// A change of the transmitter's PTT as the line recorder saw the program drive DTR.
struct PttEdge {
  Clock::time_point time;
  bool keyed;
};

// What process `pid` did to the serial port at `path`, as the line recorder logged it.
struct SerialLine {
  // Every DTR level that differs from the one before it. A port opens with its lines
  // asserted, so an open counts as keying.
  std::vector<PttEdge> edges;
  bool open = false;  // the process holds the port at the end of the log
};
SerialLine ReadSerialLine(const std::vector<test::LineEvent>& events, int pid,
                          const std::string& path);

// The edges at or after `time`.
std::vector<PttEdge> EdgesSince(const std::vector<PttEdge>& edges, Clock::time_point time);

// The line recorder's CLOCK_MONOTONIC seconds on the steady clock, which is the same clock.
Clock::time_point SteadyTime(double monotonic_seconds);

}  // namespace kelvado::e2e
