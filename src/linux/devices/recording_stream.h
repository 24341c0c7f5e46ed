#pragma once

#include <portaudio.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "devices/portaudio_stream.h"
#include "devices/sample_ring.h"
#include "devices/wave_element.h"

namespace kelvado {

// Records from the default input device into an element, in the element's format. The
// callback only copies into a preallocated ring; a helper thread moves the samples into the
// element, so the audio thread never allocates and a recording may grow without bound.
class RecordingStream {
 public:
  // Starts at once, appending to `element`, which nobody else may touch until the stream is
  // destroyed; null when the device refuses the format.
  static std::unique_ptr<RecordingStream> Start(WaveElement& element);
  // Stops the device and hands over the last samples.
  ~RecordingStream();
  RecordingStream(const RecordingStream&) = delete;
  RecordingStream& operator=(const RecordingStream&) = delete;

  // Atomics only; false once the device has ended the stream by itself.
  bool recording() const { return !ended_.load(std::memory_order_acquire); }

 private:
  explicit RecordingStream(WaveElement& element);

  static int Callback(const void* input, void* output, unsigned long frames,
                      const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags,
                      void* self);
  static void Ended(void* self);

  WaveElement& element_;
  SampleRing ring_;
  std::atomic<bool> ended_{false};
  std::jthread mover_;
  PaStreamPtr stream_;  // last member: closed first, while the ring still exists
};

}  // namespace kelvado
