#include "mixer/audio_mixer.h"

#include <algorithm>

namespace kelvado {

namespace {

bool IsSelector(const MixerControlInfo& c) {
  return c.type == kControlTypeMixer || c.type == kControlTypeMux;
}

// A fader or switch is never a control with several items. Disabled controls are passed
// over both ways, so a value goes back to the control it was read from.
bool IsSingle(const MixerControlInfo& c, uint32_t type) {
  return c.type == type && !(c.flags & (kControlFlagMultiple | kControlFlagDisabled));
}

}  // namespace

AudioMixer::AudioMixer(MixerDevice& device) : device_(device) {
  device_count_ = device_.deviceCount();
  opened_ = device_count_ > 0 && device_.open();
}

int AudioMixer::connectionCount(int destination) {
  if (!opened_ || destination < 0 || destination >= device_.destinationCount()) return 0;
  return device_.connectionCount(destination);
}

bool AudioMixer::hasLine(int destination, int connection) {
  return connection >= 0 && connection < connectionCount(destination);
}

int AudioMixer::channelsFor(const MixerLine& line, const MixerControlInfo& control) {
  if (control.flags & kControlFlagUniform) return 1;
  const int channels = device_.channelCount(line);
  return channels > 0 ? channels : 1;
}

LineValues AudioMixer::GetLineSetting(int destination, int connection) {
  LineValues result;
  const MixerLine line{destination, connection};
  const auto controls = device_.controls(line);
  for (size_t i = 0; i < controls.size() && (result.leftVolume == -1 || result.mute == -1); ++i) {
    const MixerControlInfo& control = controls[i];
    const bool fader = result.leftVolume == -1 && IsSingle(control, kControlTypeVolume);
    const bool mute = result.mute == -1 && IsSingle(control, kControlTypeMute);
    if (!fader && !mute) continue;
    const int channels = channelsFor(line, control);
    std::vector<uint32_t> values;
    if (!device_.getValues(line, i, channels, values) || values.empty()) continue;
    if (fader) {
      result.leftVolume = static_cast<int32_t>(values[0]);
      if (channels > 1 && values.size() > 1) result.rightVolume = static_cast<int32_t>(values[1]);
    } else {
      result.mute = values[0] != 0 ? 1 : 0;
    }
  }
  if (result.mute != -1) return result;

  const MixerLine dest{destination, -1};
  const auto dest_controls = device_.controls(dest);
  for (size_t i = 0; i < dest_controls.size() && result.mute == -1; ++i) {
    const MixerControlInfo& control = dest_controls[i];
    if (!IsSelector(control) || (control.flags & kControlFlagDisabled)) continue;
    const int channels = channelsFor(dest, control);
    std::vector<uint32_t> values;
    if (!device_.getValues(dest, i, channels, values)) continue;
    const size_t item = static_cast<size_t>(connection) * static_cast<size_t>(channels);
    if (connection >= 0 && item < values.size()) result.mute = static_cast<int32_t>(values[item]);
  }
  return result;
}

std::optional<size_t> AudioMixer::findSwitch(const MixerLine& line, uint32_t type) {
  const auto controls = device_.controls(line);
  for (size_t i = 0; i < controls.size(); ++i) {
    if (IsSingle(controls[i], type)) return i;
  }
  return std::nullopt;
}

template <typename Change>
void AudioMixer::changeSelector(int destination, Change change, bool first_only) {
  const MixerLine dest{destination, -1};
  const auto controls = device_.controls(dest);
  for (size_t i = 0; i < controls.size(); ++i) {
    const MixerControlInfo& control = controls[i];
    if (!IsSelector(control) || (control.flags & kControlFlagDisabled)) continue;
    const int channels = channelsFor(dest, control);
    std::vector<uint32_t> values;
    if (device_.getValues(dest, i, channels, values)) {
      change(control, static_cast<size_t>(channels), values);
      device_.setValues(dest, i, channels, values);
      return;
    }
    if (first_only) return;
  }
}

namespace {

// Sets item `connection` on every channel, clearing the others first on a one-source selector.
void SelectItem(const MixerControlInfo& control, size_t channels, std::vector<uint32_t>& values,
                int connection, std::optional<uint32_t> value) {
  if (control.type == kControlTypeMux) std::fill(values.begin(), values.end(), 0u);
  if (!value || connection < 0) return;
  for (size_t ch = 0; ch < channels; ++ch) {
    const size_t index = static_cast<size_t>(connection) * channels + ch;
    if (index < values.size()) values[index] = *value;
  }
}

}  // namespace

void AudioMixer::SetLineSetting(int destination, int connection, const LineValues& v) {
  const MixerLine line{destination, connection};
  const auto controls = device_.controls(line);
  bool volume_left = v.leftVolume != -1;
  bool mute_left = v.mute != -1;
  for (size_t i = 0; i < controls.size() && (volume_left || mute_left); ++i) {
    const MixerControlInfo& control = controls[i];
    const int channels = channelsFor(line, control);
    if (volume_left && IsSingle(control, kControlTypeVolume)) {
      std::vector<uint32_t> values(static_cast<size_t>(channels),
                                   static_cast<uint32_t>(v.leftVolume));
      if (channels > 1 && v.rightVolume != -1) values[1] = static_cast<uint32_t>(v.rightVolume);
      device_.setValues(line, i, channels, values);
      volume_left = false;
    } else if (mute_left && IsSingle(control, kControlTypeMute)) {
      device_.setValues(
          line, i, channels,
          std::vector<uint32_t>(static_cast<size_t>(channels), static_cast<uint32_t>(v.mute)));
      mute_left = false;
    }
  }
  if (v.mute == -1 || findSwitch(line, kControlTypeMute)) return;
  changeSelector(
      destination,
      [&](const MixerControlInfo& c, size_t channels, std::vector<uint32_t>& values) {
        SelectItem(c, channels, values, connection, static_cast<uint32_t>(v.mute));
      },
      /*first_only=*/true);
}

void AudioMixer::SetLineMute(int destination, int connection, bool on) {
  const MixerLine line{destination, connection};
  if (auto mute = findSwitch(line, kControlTypeMute)) {
    const auto controls = device_.controls(line);
    const int channels = channelsFor(line, controls[*mute]);
    device_.setValues(line, *mute, channels,
                      std::vector<uint32_t>(static_cast<size_t>(channels), on ? 1u : 0u));
    return;
  }
  changeSelector(
      destination,
      [&](const MixerControlInfo& c, size_t channels, std::vector<uint32_t>& values) {
        SelectItem(c, channels, values, connection, on ? std::optional<uint32_t>(1) : std::nullopt);
      },
      /*first_only=*/false);
}

}  // namespace kelvado
