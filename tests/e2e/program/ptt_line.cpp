#include "ptt_line.h"

#include <algorithm>

namespace kelvado::e2e {

std::vector<PttEdge> PttEdges(const std::vector<test::LineEvent>& events, int pid) {
  std::vector<PttEdge> edges;
  bool keyed = false;
  for (const test::LineEvent& event : events) {
    if (event.pid != pid) continue;
    bool level = keyed;
    if (event.call == "open" && !event.field("result").starts_with('-')) level = true;
    if (!event.field("DTR").empty()) level = event.field("DTR") == "1";
    if (level != keyed) edges.push_back({SteadyTime(event.time), level});
    keyed = level;
  }
  return edges;
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
