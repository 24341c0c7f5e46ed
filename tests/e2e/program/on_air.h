#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "program/keyer_session.h"
#include "signal_analysis.h"

namespace kelvado::e2e {

// What a key press put on the air: the PTT edges that followed it and the sound that
// reached the sink "out", captured from its monitor with the time each block arrived.
struct OnAir {
  Clock::time_point pressed;        // just before the first xdotool started
  Clock::time_point pressReturned;  // the last xdotool has ended: the keys are in the X server
  std::vector<PttEdge> edges;
  std::vector<int16_t> samples;
  std::optional<test::LoudSpan> sound;  // where the loud part lies in `samples`
  Clock::time_point firstArrived;       // of the sound's first and last sample
  Clock::time_point lastArrived;
};

// Does what the operator does in `act` and listens until the transmitter has been keyed and
// released `keyings` times, and a little longer, so that whatever was played has reached the
// monitor. Throws when the transmitter does not follow in time.
OnAir Listen(KeyerSession& session, const std::function<void()>& act, size_t keyings = 1);
OnAir PressAndListen(KeyerSession& session, const std::string& key, size_t keyings = 1);

}  // namespace kelvado::e2e
