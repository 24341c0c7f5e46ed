#pragma once

#include <optional>
#include <string>
#include <vector>

#include "phrases/wave_device.h"
#include "pulse_capture.h"
#include "signal_analysis.h"

namespace kelvado::test {

// One playback through the device, watched from both ends: the device's mode, polled every
// millisecond, and what reached the sink "out", captured from its monitor at 22050 Hz.
struct PlaybackTiming {
  bool playingWhenPlayReturned = false;
  Clock::time_point playCalled;
  Clock::time_point modeLeftPlaying;
  std::vector<int16_t> captured;
  std::optional<LoudSpan> sound;  // where the played sound lies in `captured`
  Clock::time_point firstArrived;
  Clock::time_point lastArrived;

  // From the last sample reaching the sink to the mode leaving playing: never negative.
  double releaseGapMs() const;
  // From play() to the first sample reaching the sink.
  double startDelayMs() const;
  double soundSeconds() const;
};

// Opens `file` in the device and plays it; the sink must carry only silence otherwise.
// Throws when the device fails or never ends playing.
PlaybackTiming PlayAndWatch(WaveAudioDevice& device, const std::string& file);

double Ms(Clock::duration duration);

}  // namespace kelvado::test
