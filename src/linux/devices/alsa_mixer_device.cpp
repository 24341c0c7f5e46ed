#include "devices/alsa_mixer_device.h"

#include "devices/audio_library_messages.h"

namespace kelvado {

namespace {

using Element = snd_mixer_elem_t;
using Channel = snd_mixer_selem_channel_id_t;

// ALSA's simple-element calls for one direction.
struct DirectionCalls {
  int (*hasVolume)(Element*);
  int (*hasSwitch)(Element*);
  int (*hasChannel)(Element*, Channel);
  int (*isMono)(Element*);
  int (*volumeJoined)(Element*);
  int (*switchJoined)(Element*);
  int (*getVolume)(Element*, Channel, long*);
  int (*setVolume)(Element*, Channel, long);
  int (*setVolumeAll)(Element*, long);
  int (*getSwitch)(Element*, Channel, int*);
  int (*setSwitch)(Element*, Channel, int);
  int (*setSwitchAll)(Element*, int);
};

constexpr DirectionCalls kPlayback{
    snd_mixer_selem_has_playback_volume,        snd_mixer_selem_has_playback_switch,
    snd_mixer_selem_has_playback_channel,       snd_mixer_selem_is_playback_mono,
    snd_mixer_selem_has_playback_volume_joined, snd_mixer_selem_has_playback_switch_joined,
    snd_mixer_selem_get_playback_volume,        snd_mixer_selem_set_playback_volume,
    snd_mixer_selem_set_playback_volume_all,    snd_mixer_selem_get_playback_switch,
    snd_mixer_selem_set_playback_switch,        snd_mixer_selem_set_playback_switch_all,
};

constexpr DirectionCalls kCapture{
    snd_mixer_selem_has_capture_volume,        snd_mixer_selem_has_capture_switch,
    snd_mixer_selem_has_capture_channel,       snd_mixer_selem_is_capture_mono,
    snd_mixer_selem_has_capture_volume_joined, snd_mixer_selem_has_capture_switch_joined,
    snd_mixer_selem_get_capture_volume,        snd_mixer_selem_set_capture_volume,
    snd_mixer_selem_set_capture_volume_all,    snd_mixer_selem_get_capture_switch,
    snd_mixer_selem_set_capture_switch,        snd_mixer_selem_set_capture_switch_all,
};

constexpr int kPlaybackDestination = 0;
constexpr int kCaptureDestination = 1;

const DirectionCalls& Calls(int destination) {
  return destination == kPlaybackDestination ? kPlayback : kCapture;
}

std::vector<Channel> ChannelsOf(Element* element, const DirectionCalls& calls) {
  if (calls.isMono(element)) return {SND_MIXER_SCHN_MONO};
  std::vector<Channel> channels;
  for (int ch = 0; ch <= SND_MIXER_SCHN_LAST; ++ch) {
    if (calls.hasChannel(element, static_cast<Channel>(ch))) {
      channels.push_back(static_cast<Channel>(ch));
    }
  }
  if (channels.empty()) channels.push_back(SND_MIXER_SCHN_MONO);
  return channels;
}

uint32_t RawValue(long value) {
  return static_cast<uint32_t>(static_cast<int32_t>(value));
}

long AlsaValue(uint32_t value) {
  return static_cast<int32_t>(value);
}

}  // namespace

AlsaMixerDevice::AlsaMixerDevice(std::string control_device)
    : control_device_(std::move(control_device)) {}

bool AlsaMixerDevice::load() {
  if (mixer_) return true;
  SilenceAudioLibraryMessages();
  snd_mixer_t* raw = nullptr;
  if (snd_mixer_open(&raw, 0) < 0) return false;
  std::unique_ptr<snd_mixer_t, MixerCloser> mixer(raw);
  if (snd_mixer_attach(raw, control_device_.c_str()) < 0 ||
      snd_mixer_selem_register(raw, nullptr, nullptr) < 0 || snd_mixer_load(raw) < 0) {
    return false;
  }
  for (Element* e = snd_mixer_first_elem(raw); e != nullptr; e = snd_mixer_elem_next(e)) {
    if (!snd_mixer_selem_is_active(e)) continue;
    for (int d : {kPlaybackDestination, kCaptureDestination}) {
      const DirectionCalls& calls = Calls(d);
      if (calls.hasVolume(e) || calls.hasSwitch(e)) {
        destinations_[static_cast<size_t>(d)].push_back({e, ChannelsOf(e, calls)});
      }
    }
  }
  mixer_ = std::move(mixer);
  return true;
}

// ALSA keeps the last values it saw and skips writing a value equal to them, so changes made
// by other programs must be taken in before reading and before writing.
void AlsaMixerDevice::refresh() {
  snd_mixer_handle_events(mixer_.get());
}

int AlsaMixerDevice::deviceCount() {
  return load() ? 1 : 0;
}

bool AlsaMixerDevice::open() {
  return load();
}

int AlsaMixerDevice::destinationCount() {
  return mixer_ ? static_cast<int>(destinations_.size()) : 0;
}

int AlsaMixerDevice::connectionCount(int destination) {
  if (destination < 0 || destination >= destinationCount()) return 0;
  return static_cast<int>(destinations_[static_cast<size_t>(destination)].size());
}

const AlsaMixerDevice::Connection* AlsaMixerDevice::connection(const MixerLine& line) const {
  if (line.destination < 0 || line.destination > kCaptureDestination) return nullptr;
  const auto& connections = destinations_[static_cast<size_t>(line.destination)];
  if (line.connection < 0 || static_cast<size_t>(line.connection) >= connections.size()) {
    return nullptr;
  }
  return &connections[static_cast<size_t>(line.connection)];
}

int AlsaMixerDevice::channelCount(const MixerLine& line) {
  const Connection* c = connection(line);
  return c ? static_cast<int>(c->channels.size()) : 1;
}

bool AlsaMixerDevice::hasCaptureSwitches() const {
  for (const Connection& c : destinations_[kCaptureDestination]) {
    if (kCapture.hasSwitch(c.element)) return true;
  }
  return false;
}

std::vector<AlsaMixerDevice::Control> AlsaMixerDevice::controlsOf(const MixerLine& line) const {
  std::vector<Control> controls;
  if (line.connection == -1) {
    if (line.destination == kCaptureDestination && hasCaptureSwitches()) {
      const auto items = static_cast<uint32_t>(destinations_[kCaptureDestination].size());
      controls.push_back({{kControlTypeMixer, kControlFlagMultiple | kControlFlagUniform, items},
                          Kind::CaptureSelector});
    }
    return controls;
  }
  const Connection* c = connection(line);
  if (c == nullptr) return controls;
  const DirectionCalls& calls = Calls(line.destination);
  Element* e = c->element;
  if (calls.hasVolume(e)) {
    const bool uniform = calls.isMono(e) || calls.volumeJoined(e);
    controls.push_back({{kControlTypeVolume, uniform ? kControlFlagUniform : 0u, 0}, Kind::Volume});
  }
  if (line.destination == kPlaybackDestination && calls.hasSwitch(e)) {
    const bool uniform = calls.isMono(e) || calls.switchJoined(e);
    controls.push_back({{kControlTypeMute, uniform ? kControlFlagUniform : 0u, 0}, Kind::Mute});
  }
  return controls;
}

std::vector<MixerControlInfo> AlsaMixerDevice::controls(const MixerLine& line) {
  std::vector<MixerControlInfo> infos;
  for (const Control& control : controlsOf(line)) infos.push_back(control.info);
  return infos;
}

bool AlsaMixerDevice::getValues(const MixerLine& line, size_t control, int channels,
                                std::vector<uint32_t>& values) {
  const auto list = controlsOf(line);
  if (control >= list.size() || channels < 1) return false;
  refresh();
  if (list[control].kind == Kind::CaptureSelector) return readSelector(channels, values);

  const Connection& c = *connection(line);
  const DirectionCalls& calls = Calls(line.destination);
  values.assign(static_cast<size_t>(channels), 0);
  for (size_t i = 0; i < values.size(); ++i) {
    const Channel ch = c.channels[std::min(i, c.channels.size() - 1)];
    if (list[control].kind == Kind::Volume) {
      long volume = 0;
      if (calls.getVolume(c.element, ch, &volume) < 0) return false;
      values[i] = RawValue(volume);
    } else {
      int sounding = 0;
      if (calls.getSwitch(c.element, ch, &sounding) < 0) return false;
      values[i] = sounding ? 0 : 1;
    }
  }
  return true;
}

bool AlsaMixerDevice::setValues(const MixerLine& line, size_t control, int channels,
                                const std::vector<uint32_t>& values) {
  const auto list = controlsOf(line);
  if (control >= list.size() || channels < 1 || values.size() < static_cast<size_t>(channels)) {
    return false;
  }
  refresh();
  if (list[control].kind == Kind::CaptureSelector) return writeSelector(channels, values);

  const Connection& c = *connection(line);
  const DirectionCalls& calls = Calls(line.destination);
  const bool volume = list[control].kind == Kind::Volume;
  if (channels == 1) {
    return (volume ? calls.setVolumeAll(c.element, AlsaValue(values[0]))
                   : calls.setSwitchAll(c.element, values[0] == 0)) >= 0;
  }
  bool all_set = true;
  for (size_t i = 0; i < static_cast<size_t>(channels) && i < c.channels.size(); ++i) {
    const int result = volume ? calls.setVolume(c.element, c.channels[i], AlsaValue(values[i]))
                              : calls.setSwitch(c.element, c.channels[i], values[i] == 0);
    all_set = all_set && result >= 0;
  }
  return all_set;
}

// Item i is on while connection i records; a source without a switch always records.
bool AlsaMixerDevice::readSelector(int channels, std::vector<uint32_t>& values) const {
  const auto& connections = destinations_[kCaptureDestination];
  const auto per_item = static_cast<size_t>(channels);
  values.assign(connections.size() * per_item, 1);
  for (size_t i = 0; i < connections.size(); ++i) {
    Element* e = connections[i].element;
    if (!kCapture.hasSwitch(e)) continue;
    int on = 0;
    if (kCapture.getSwitch(e, connections[i].channels.front(), &on) < 0) return false;
    std::fill_n(values.begin() + static_cast<ptrdiff_t>(i * per_item), per_item, on ? 1u : 0u);
  }
  return true;
}

bool AlsaMixerDevice::writeSelector(int channels, const std::vector<uint32_t>& values) const {
  const auto& connections = destinations_[kCaptureDestination];
  const auto per_item = static_cast<size_t>(channels);
  bool all_set = true;
  for (size_t i = 0; i < connections.size() && i * per_item < values.size(); ++i) {
    Element* e = connections[i].element;
    if (!kCapture.hasSwitch(e)) continue;
    const int result = kCapture.setSwitchAll(e, values[i * per_item] != 0);
    all_set = all_set && result >= 0;
  }
  return all_set;
}

}  // namespace kelvado
