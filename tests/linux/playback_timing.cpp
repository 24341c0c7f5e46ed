#include "playback_timing.h"

#include <stdexcept>
#include <thread>

namespace kelvado::test {

namespace {

constexpr int kCaptureRate = 22050;
// Well above the noise of resampling silence, well below the test signals' peaks.
constexpr int kLoudness = 2000;

uint8_t ModeOf(WaveAudioDevice& device) {
  uint8_t mode = kModeNotReady;
  if (device.mode(mode) != 0) throw std::runtime_error("mode failed");
  return mode;
}

}  // namespace

double Ms(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

double PlaybackTiming::releaseGapMs() const {
  return Ms(modeLeftPlaying - lastArrived);
}

double PlaybackTiming::startDelayMs() const {
  return Ms(firstArrived - playCalled);
}

double PlaybackTiming::soundSeconds() const {
  return sound ? static_cast<double>(sound->length()) / kCaptureRate : 0.0;
}

PlaybackTiming PlayAndWatch(WaveAudioDevice& device, const std::string& file) {
  using namespace std::chrono_literals;
  PulseCapture capture("out.monitor", kCaptureRate);
  if (!capture.waitForSamplesAfter(Clock::now(), 10s)) throw std::runtime_error("no capture");
  if (device.open(file) != 0) throw std::runtime_error("open failed: " + file);

  PlaybackTiming timing;
  timing.playCalled = Clock::now();
  if (device.play() != 0) throw std::runtime_error("play failed");
  timing.playingWhenPlayReturned = ModeOf(device) == kModePlaying;
  const auto deadline = Clock::now() + 60s;
  while (ModeOf(device) == kModePlaying) {
    if (Clock::now() > deadline) throw std::runtime_error("playback does not end");
    std::this_thread::sleep_for(1ms);
  }
  timing.modeLeftPlaying = Clock::now();
  // Whatever the device played has reached the monitor well within this.
  capture.waitForSamplesAfter(timing.modeLeftPlaying + 300ms, 10s);
  capture.stop();

  timing.captured = capture.samples();
  timing.sound = FindLoudSpan(timing.captured, kLoudness);
  if (timing.sound) {
    timing.firstArrived = capture.arrivalOf(timing.sound->first);
    timing.lastArrived = capture.arrivalOf(timing.sound->last);
  }
  return timing;
}

}  // namespace kelvado::test
