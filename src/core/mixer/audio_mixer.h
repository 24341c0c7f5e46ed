#pragma once

#include <cstdint>
#include <optional>

#include "mixer/mixer_device.h"

namespace kelvado {

struct LineValues {
  int32_t leftVolume = -1;
  int32_t rightVolume = -1;
  int32_t mute = -1;
};

// Mixer device 0 with the control-choice rules of the snapshots: a line's first usable
// volume fader and mute switch, and its destination's source selector in place of a mute.
class AudioMixer {
 public:
  // Counts the devices and opens the first, as the mixer component does when created.
  explicit AudioMixer(MixerDevice& device);

  int deviceCount() const { return device_count_; }
  bool usable() const { return opened_; }
  // Connections of a destination; 0 for a destination the mixer does not have.
  int connectionCount(int destination);
  bool hasLine(int destination, int connection);

  LineValues GetLineSetting(int destination, int connection);
  void SetLineSetting(int destination, int connection, const LineValues& values);
  void SetLineMute(int destination, int connection, bool on);

 private:
  int channelsFor(const MixerLine& line, const MixerControlInfo& control);
  std::optional<size_t> findSwitch(const MixerLine& line, uint32_t type);
  // Applies `change` to the items of the destination's first selector that reads.
  template <typename Change>
  void changeSelector(int destination, Change change, bool first_only);

  MixerDevice& device_;
  int device_count_ = 0;
  bool opened_ = false;
};

}  // namespace kelvado
