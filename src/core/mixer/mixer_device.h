#pragma once

#include <cstdint>
#include <vector>

namespace kelvado {

// Control types and flags, with the values of the Windows mixer interface.
inline constexpr uint32_t kControlTypeVolume = 0x50030001;
inline constexpr uint32_t kControlTypeMute = 0x20010002;
inline constexpr uint32_t kControlTypeMixer = 0x71010001;  // any number of sources selected
inline constexpr uint32_t kControlTypeMux = 0x70010001;    // one source selected
inline constexpr uint32_t kControlFlagUniform = 0x1;
inline constexpr uint32_t kControlFlagMultiple = 0x2;
inline constexpr uint32_t kControlFlagDisabled = 0x80000000;

// A line of the mixer: a destination, or one of its source lines (connections).
struct MixerLine {
  int destination = 0;
  int connection = -1;  // -1 names the destination line itself
};

struct MixerControlInfo {
  uint32_t type = 0;
  uint32_t flags = 0;
  uint32_t items = 0;  // number of items of a MULTIPLE control
};

// Mixer device 0 as the snapshot routines see it: destinations, their connections, and each
// line's controls. The lists are fixed once the device is open. A value vector holds one
// entry per channel, times the items of a MULTIPLE control (items first, channel inner, as
// the Windows mixer lays out its details).
class MixerDevice {
 public:
  virtual ~MixerDevice() = default;

  // How many mixer devices the system has.
  virtual int deviceCount() = 0;
  // Opens device 0; false when it fails.
  virtual bool open() = 0;
  virtual int destinationCount() = 0;
  virtual int connectionCount(int destination) = 0;
  virtual int channelCount(const MixerLine& line) = 0;
  virtual std::vector<MixerControlInfo> controls(const MixerLine& line) = 0;
  virtual bool getValues(const MixerLine& line, size_t control, int channels,
                         std::vector<uint32_t>& values) = 0;
  virtual bool setValues(const MixerLine& line, size_t control, int channels,
                         const std::vector<uint32_t>& values) = 0;
};

}  // namespace kelvado
