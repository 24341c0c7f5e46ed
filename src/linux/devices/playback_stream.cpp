#include "devices/playback_stream.h"

#include <algorithm>
#include <chrono>

namespace kelvado {

namespace {

// Silence played after the sound, so that whatever a device drops when a stream ends is
// silence: some drop the last period.
constexpr double kSilenceAfter = 0.2;
// Added to the device's estimate of when the last sample is heard, which is only as good as
// the delay its driver reports. Whoever releases a transmitter on the end of playback polls
// more slowly than this anyway.
constexpr double kEndMargin = 0.05;
// How much longer than its sound a playback may take before it no longer counts as
// playing, should the device stall: a transmitter must not stay keyed without end.
constexpr auto kStallAllowance = std::chrono::seconds(3);

int64_t SteadyNowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

std::unique_ptr<PlaybackStream> PlaybackStream::Start(const WaveElement& element) {
  const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
  if (device == paNoDevice) return nullptr;
  PaStreamParameters out{};
  out.device = device;
  out.channelCount = element.channels;
  out.sampleFormat = paInt16;
  // The higher default latency: an underrun would put a gap into the phrase on air.
  out.suggestedLatency = Pa_GetDeviceInfo(device)->defaultHighOutputLatency;

  std::unique_ptr<PlaybackStream> playback(new PlaybackStream(element));
  const auto sound =
      std::chrono::duration<double>(static_cast<double>(element.frames()) / element.sampleRate);
  playback->give_up_ns_ =
      SteadyNowNs() +
      std::chrono::duration_cast<std::chrono::nanoseconds>(sound + kStallAllowance).count();
  PaStream* raw = nullptr;
  if (Pa_OpenStream(&raw, nullptr, &out, element.sampleRate, paFramesPerBufferUnspecified, paNoFlag,
                    &PlaybackStream::Callback, playback.get()) != paNoError) {
    return nullptr;
  }
  playback->stream_.reset(raw);
  if (Pa_SetStreamFinishedCallback(raw, &PlaybackStream::Finished) != paNoError ||
      Pa_StartStream(raw) != paNoError) {
    return nullptr;
  }
  return playback;
}

bool PlaybackStream::playing() const {
  const int64_t now = SteadyNowNs();
  return now < last_sample_out_ns_.load(std::memory_order_acquire) && now < give_up_ns_;
}

int PlaybackStream::Callback(const void*, void* output, unsigned long frames,
                             const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags,
                             void* self) {
  return static_cast<PlaybackStream*>(self)->fill(static_cast<int16_t*>(output), frames, *time);
}

void PlaybackStream::Finished(void* self) {
  auto* playback = static_cast<PlaybackStream*>(self);
  // A stream that ended before its last sample (stopped, or the device failed) plays no more.
  int64_t never = INT64_MAX;
  playback->last_sample_out_ns_.compare_exchange_strong(never, 0, std::memory_order_acq_rel);
}

int PlaybackStream::fill(int16_t* out, unsigned long frames, const PaStreamCallbackTimeInfo& time) {
  const auto channels = static_cast<size_t>(element_.channels);
  std::fill(out, out + frames * channels, int16_t{0});
  if (all_written_) {
    return time.currentTime < last_sample_dac_time_ + kSilenceAfter ? paContinue : paComplete;
  }
  const size_t count = std::min<size_t>(frames, element_.frames() - position_);
  const auto first = element_.samples.begin() + static_cast<ptrdiff_t>(position_ * channels);
  std::copy_n(first, count * channels, out);
  position_ += count;
  if (position_ < element_.frames()) return paContinue;

  // The device's own estimate of when the last sample is heard (for an empty element, when
  // this buffer starts), moved from PortAudio's clock to the steady clock playing() reads.
  all_written_ = true;
  last_sample_dac_time_ =
      time.outputBufferDacTime + static_cast<double>(count) / element_.sampleRate;
  const double end_in_seconds = last_sample_dac_time_ + kEndMargin - time.currentTime;
  const auto end_ns = static_cast<int64_t>(std::max(end_in_seconds, 0.0) * 1e9);
  last_sample_out_ns_.store(SteadyNowNs() + end_ns, std::memory_order_release);
  return paContinue;
}

}  // namespace kelvado
