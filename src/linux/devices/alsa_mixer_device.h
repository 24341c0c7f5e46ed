#pragma once

#include <alsa/asoundlib.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "mixer/mixer_device.h"

namespace kelvado {

// The ALSA mixer seen as mixer device 0. Destination 0 is playback and destination 1 is
// capture; their connections are the simple elements with a volume or a switch in that
// direction, in ALSA's order. A playback connection has a volume fader and a mute switch
// (ALSA's switch means "on, sounding", so its mute value is the switch inverted). A capture
// connection has a volume fader; the capture switches ("record from this source") together
// form the selector of destination 1, one item per connection, several of which may be on.
// Values are ALSA's raw values, read and written unchanged. Failures are silent: no
// control device makes no mixer device.
class AlsaMixerDevice : public MixerDevice {
 public:
  // `control_device` names the ALSA control device; "default" follows the system's
  // default sound card, or the sound server's mixer while one runs.
  explicit AlsaMixerDevice(std::string control_device = "default");

  int deviceCount() override;
  bool open() override;
  int destinationCount() override;
  int connectionCount(int destination) override;
  int channelCount(const MixerLine& line) override;
  std::vector<MixerControlInfo> controls(const MixerLine& line) override;
  bool getValues(const MixerLine& line, size_t control, int channels,
                 std::vector<uint32_t>& values) override;
  bool setValues(const MixerLine& line, size_t control, int channels,
                 const std::vector<uint32_t>& values) override;

 private:
  enum class Kind { Volume, Mute, CaptureSelector };
  struct Control {
    MixerControlInfo info;
    Kind kind;
  };
  struct Connection {
    snd_mixer_elem_t* element;
    std::vector<snd_mixer_selem_channel_id_t> channels;
  };
  struct MixerCloser {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
  };

  bool load();
  void refresh();
  const Connection* connection(const MixerLine& line) const;
  std::vector<Control> controlsOf(const MixerLine& line) const;
  bool hasCaptureSwitches() const;
  bool readSelector(int channels, std::vector<uint32_t>& values) const;
  bool writeSelector(int channels, const std::vector<uint32_t>& values) const;

  std::string control_device_;
  std::unique_ptr<snd_mixer_t, MixerCloser> mixer_;
  std::array<std::vector<Connection>, 2> destinations_;  // playback, capture
};

}  // namespace kelvado
