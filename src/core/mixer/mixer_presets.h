#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "mixer/audio_mixer.h"

namespace kelvado {

struct MixerLineSetting {
  int32_t Destination = 0;
  int32_t Connection = 0;
  int32_t LeftVolume = 0;
  int32_t RightVolume = 0;
  int32_t Mute = 0;
  bool operator==(const MixerLineSetting&) const = default;
};

inline constexpr size_t kSnapshotRecords = 50;
inline constexpr size_t kSnapshotBytes = kSnapshotRecords * 5 * 4;  // 1000

// Room for 50 line records; how many are in use is always taken from the mixer.
struct MixerSnapshot {
  std::array<MixerLineSetting, kSnapshotRecords> lines{};
  bool operator==(const MixerSnapshot&) const = default;

  // The block as it is stored: five little-endian 32-bit integers per record.
  std::array<uint8_t, kSnapshotBytes> toBytes() const;
  // Overwrites the block's start with `size` bytes (at most 1000); the rest keeps its contents.
  void fromBytes(const uint8_t* bytes, size_t size);
};

// The working snapshot, the three presets, and the routines that move them between the
// mixer and the preset files.
class MixerPresets {
 public:
  explicit MixerPresets(AudioMixer& mixer) : mixer_(mixer) {}

  MixerSnapshot MixerWork, MixerReceive, MixerTransmit, MixerRecord;

  void CaptureMixer();
  void ApplyMixer();
  // Replaces the file atomically; raises "Cannot create file %s" or "Stream write error".
  void SaveMixerFile(const std::string& file_name);
  // Reads up to 1000 bytes of an existing file into MixerWork; a missing file changes nothing.
  void LoadMixerFile(const std::string& file_name);

  // Copies the preset into MixerWork and applies it.
  void applyPreset(const MixerSnapshot& preset);
  // The capture buttons.
  void sbMixerReciveClick() { captureInto(MixerReceive); }
  void sbMixerPlayClick() { captureInto(MixerTransmit); }
  void sbMixerRecClick() { captureInto(MixerRecord); }

  // Start-up and shutdown: the three files, in their order.
  void loadPresets();
  void savePresets();

  int deviceCount() const { return mixer_.deviceCount(); }

 private:
  void captureInto(MixerSnapshot& preset);

  AudioMixer& mixer_;
};

}  // namespace kelvado
