#include "devices/recording_stream.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kelvado {

namespace {

// Seconds of sound the ring holds while the mover is held up, e.g. by the element growing.
constexpr size_t kRingSeconds = 4;
constexpr auto kMovePeriod = std::chrono::milliseconds(20);

}  // namespace

RecordingStream::RecordingStream(WaveElement& element)
    : element_(element),
      ring_(kRingSeconds * static_cast<size_t>(element.sampleRate) *
            static_cast<size_t>(element.channels)) {}

std::unique_ptr<RecordingStream> RecordingStream::Start(WaveElement& element) {
  const PaDeviceIndex device = Pa_GetDefaultInputDevice();
  if (device == paNoDevice) return nullptr;
  PaStreamParameters in{};
  in.device = device;
  in.channelCount = element.channels;
  in.sampleFormat = paInt16;
  in.suggestedLatency = Pa_GetDeviceInfo(device)->defaultHighInputLatency;

  std::unique_ptr<RecordingStream> recording(new RecordingStream(element));
  PaStream* raw = nullptr;
  if (Pa_OpenStream(&raw, &in, nullptr, element.sampleRate, paFramesPerBufferUnspecified, paNoFlag,
                    &RecordingStream::Callback, recording.get()) != paNoError) {
    return nullptr;
  }
  recording->stream_.reset(raw);
  if (Pa_SetStreamFinishedCallback(raw, &RecordingStream::Ended) != paNoError) return nullptr;
  // Moves the samples every period; a stop request wakes it at once.
  recording->mover_ = std::jthread([self = recording.get()](std::stop_token stop) {
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    while (!stop.stop_requested()) {
      wake.wait_for(lock, stop, kMovePeriod, [] { return false; });
      self->ring_.drainInto(self->element_.samples);
    }
  });
  if (Pa_StartStream(raw) != paNoError) return nullptr;
  return recording;
}

RecordingStream::~RecordingStream() {
  // Stopping (not aborting) lets PortAudio deliver what it has already captured.
  if (stream_) Pa_StopStream(stream_.get());
  stream_.reset();
  mover_.request_stop();
  if (mover_.joinable()) mover_.join();
  ring_.drainInto(element_.samples);
}

int RecordingStream::Callback(const void* input, void*, unsigned long frames,
                              const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* self) {
  auto* recording = static_cast<RecordingStream*>(self);
  if (input != nullptr) {
    recording->ring_.push(static_cast<const int16_t*>(input),
                          frames * static_cast<size_t>(recording->element_.channels));
  }
  return paContinue;
}

void RecordingStream::Ended(void* self) {
  static_cast<RecordingStream*>(self)->ended_.store(true, std::memory_order_release);
}

}  // namespace kelvado
