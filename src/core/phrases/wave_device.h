#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvado {

// Player modes: the device's status mode, numbered as the player reports it.
enum PlayerMode : uint8_t {
  kModeNotReady = 0,
  kModeStopped = 1,
  kModePlaying = 2,
  kModeRecording = 3,
  kModeSeeking = 4,
  kModePaused = 5,
  kModeOpen = 6,
};

inline bool IsActiveMode(uint8_t mode) {
  return mode == kModePlaying || mode == kModeRecording;
}

// The wave-audio device under the media player. Every command returns 0 or a device error
// code; the player decides which codes it examines. Play and record return at once and run
// on in the device; the mode reports when they end.
class WaveAudioDevice {
 public:
  virtual ~WaveAudioDevice() = default;

  // Opens an element: a wave file, or a new empty recording when the name is empty.
  virtual uint32_t open(const std::string& element) = 0;
  virtual uint32_t close() = 0;
  virtual uint32_t play() = 0;
  virtual uint32_t record() = 0;
  virtual uint32_t stop() = 0;
  virtual uint32_t save(const std::string& file) = 0;
  // The current mode; an error code and no mode when nothing is open.
  virtual uint32_t mode(uint8_t& mode) = 0;
  // The device's text for an error code, if it has one.
  virtual std::optional<std::string> errorText(uint32_t code) = 0;
};

}  // namespace kelvado
