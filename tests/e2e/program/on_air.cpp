#include "program/on_air.h"

#include <stdexcept>

#include "program/sound_checks.h"
#include "pulse_capture.h"
#include "support/polling.h"

namespace kelvado::e2e {

using namespace std::chrono_literals;

OnAir Listen(KeyerSession& session, const std::function<void()>& act, size_t keyings) {
  test::PulseCapture capture("out.monitor", kRate);
  if (!capture.waitForSamplesAfter(Clock::now(), 10s))
    throw std::runtime_error("nothing arrives from out.monitor");

  OnAir air;
  air.pressed = Clock::now();
  act();
  air.pressReturned = Clock::now();
  const bool released = WaitUntil(
      [&] {
        air.edges = EdgesSince(session.pttEdges(), air.pressed);
        return air.edges.size() >= 2 * keyings;
      },
      std::chrono::seconds(10 + 10 * keyings));
  if (!released) throw std::runtime_error("the transmitter was not keyed and released");
  // A sample reaches the monitor well within this after it reached the sink.
  capture.waitForSamplesAfter(Clock::now() + 300ms, 10s);
  capture.stop();

  air.samples = capture.samples();
  air.sound = test::FindLoudSpan(air.samples, kLoudness);
  if (air.sound) {
    air.firstArrived = capture.arrivalOf(air.sound->first);
    air.lastArrived = capture.arrivalOf(air.sound->last);
  }
  return air;
}

OnAir PressAndListen(KeyerSession& session, const std::string& key, size_t keyings) {
  return Listen(
      session, [&] { session.press({key}); }, keyings);
}

}  // namespace kelvado::e2e
