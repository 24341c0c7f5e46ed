#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvado {

// Result codes of the wave-audio device; 0 is success.
inline constexpr uint32_t kWaveNoDeviceOpen = 257;
inline constexpr uint32_t kWaveFileNotFound = 275;
inline constexpr uint32_t kWaveFileAccessDenied = 276;
inline constexpr uint32_t kWaveFileNotSaved = 286;
inline constexpr uint32_t kWaveFileNotDecodable = 296;
inline constexpr uint32_t kWaveNoSoundDevice = 320;
inline constexpr uint32_t kWaveSoundSystemNotResponding = 321;
inline constexpr uint32_t kWaveStreamFailed = 322;

// The operator-facing text for a code; `file` is the element or file the command named.
std::optional<std::string> WaveErrorText(uint32_t code, const std::string& file);

}  // namespace kelvado
