#pragma once

#include <cstdint>
#include <string>

#include "phrases/wave_device.h"

namespace kelvado {

// The media player over the wave-audio device: it keeps whether a device is open and the
// file it opens, and raises exactly the errors the phrase controller relies on.
class MediaPlayer {
 public:
  explicit MediaPlayer(WaveAudioDevice& device) : device_(device) {}

  std::string FileName;

  // Closes an open device first; any nonzero result raises the device's error text.
  void open();
  // Does nothing without an open device; the result is not examined and the device counts
  // as still open when closing fails.
  void close();
  void play();
  void startRecording();
  void stop();
  // Saves to FileName; sends nothing when FileName is empty.
  void save();
  // Not ready when no mode can be had; the result code is not examined.
  uint8_t mode();

  bool isOpen() const { return open_; }

 private:
  void requireOpen() const;

  WaveAudioDevice& device_;
  bool open_ = false;
};

}  // namespace kelvado
