#pragma once

#include <portaudio.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "devices/portaudio_stream.h"
#include "devices/wave_element.h"

namespace kelvado {

// Plays an element once on the default output device, on PortAudio's thread. It counts as
// playing until its last sample has been heard, by the device's own estimate of the moment
// plus a margin, so whoever keys a transmitter while this plays may release it as soon as
// playing() turns false; a device that stalls stops counting as playing some seconds after
// the sound should have ended. The stream then runs on with silence for a while.
class PlaybackStream {
 public:
  // Starts at once; null when the device refuses the element's format. The element must stay
  // unchanged while the stream exists.
  static std::unique_ptr<PlaybackStream> Start(const WaveElement& element);

  // Atomics only: never waits for the audio thread.
  bool playing() const;

 private:
  explicit PlaybackStream(const WaveElement& element) : element_(element) {}

  static int Callback(const void* input, void* output, unsigned long frames,
                      const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags,
                      void* self);
  static void Finished(void* self);
  int fill(int16_t* out, unsigned long frames, const PaStreamCallbackTimeInfo& time);

  const WaveElement& element_;
  // Audio thread only: frames handed to PortAudio, whether that was all of them, and when
  // the last one is heard in PortAudio's clock.
  size_t position_ = 0;
  bool all_written_ = false;
  double last_sample_dac_time_ = 0.0;
  // Steady-clock times in nanoseconds: when the last sample is heard, and when a stalled
  // device is given up (set before the stream starts).
  std::atomic<int64_t> last_sample_out_ns_{INT64_MAX};
  int64_t give_up_ns_ = INT64_MAX;
  PaStreamPtr stream_;  // last member: closed first, while the state above still exists
};

}  // namespace kelvado
