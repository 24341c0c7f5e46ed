#include "ptt_line.h"

#include <algorithm>

namespace kelvado::e2e {

SerialLine ReadSerialLine(const std::vector<test::LineEvent>& events, int pid,
                          const std::string& path) {
  SerialLine line;
  std::string descriptor;  // of the port while the process holds it
  bool keyed = false;
  for (const test::LineEvent& event : events) {
    if (event.pid != pid) continue;
    bool level = keyed;
    if (event.call == "open" && event.field("path") == path &&
        !event.field("result").starts_with('-')) {
      descriptor = event.field("result");
      level = true;
    } else if (descriptor.empty() || event.field("fd") != descriptor) {
      continue;
    } else if (event.call == "close") {
      descriptor.clear();
    } else if (!event.field("DTR").empty()) {
      level = event.field("DTR") == "1";
    }
    if (level != keyed) line.edges.push_back({SteadyTime(event.time), level});
    keyed = level;
  }
  line.open = !descriptor.empty();
  return line;
}

std::vector<PttEdge> EdgesSince(const std::vector<PttEdge>& edges, Clock::time_point time) {
  std::vector<PttEdge> since;
  std::copy_if(edges.begin(), edges.end(), std::back_inserter(since),
               [time](const PttEdge& edge) { return edge.time >= time; });
  return since;
}

Clock::time_point SteadyTime(double monotonic_seconds) {
  return Clock::time_point(std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(monotonic_seconds)));
}

}  // namespace kelvado::e2e
