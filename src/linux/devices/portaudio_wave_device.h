#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "devices/playback_stream.h"
#include "devices/portaudio_session.h"
#include "devices/recording_stream.h"
#include "devices/wave_element.h"
#include "phrases/wave_device.h"

namespace kelvado {

// The wave-audio device on PortAudio (ALSA's default device, which is the sound server's
// when one runs) with files read by libsndfile. An open element is held in memory: a file
// plays at its own rate and channel count; a recording replaces the element's sound and
// is taken in the element's format; save writes the canonical 16-bit layout. Play and record
// run on PortAudio's thread; mode() reads only what that thread publishes atomically.
// Used from one thread.
class PortAudioWaveDevice : public WaveAudioDevice {
 public:
  // `start_timeout` bounds how long an open waits for the sound system to start.
  explicit PortAudioWaveDevice(std::chrono::milliseconds start_timeout = std::chrono::seconds(5));
  PortAudioWaveDevice(const PortAudioWaveDevice&) = delete;
  PortAudioWaveDevice& operator=(const PortAudioWaveDevice&) = delete;

  uint32_t open(const std::string& element) override;
  uint32_t close() override;
  // Plays the element from its start.
  uint32_t play() override;
  uint32_t record() override;
  uint32_t stop() override;
  // Stops first, so a recording is saved whole.
  uint32_t save(const std::string& file) override;
  uint32_t mode(uint8_t& mode) override;
  std::optional<std::string> errorText(uint32_t code) override;

 private:
  void stopStreams();

  // Destroyed in reverse order: the streams before the element they use and the session
  // PortAudio runs in.
  PortAudioSession session_;
  std::optional<WaveElement> element_;
  std::unique_ptr<PlaybackStream> playback_;
  std::unique_ptr<RecordingStream> recording_;
  std::string named_file_;  // the file the last failing command named, for its error text
};

}  // namespace kelvado
