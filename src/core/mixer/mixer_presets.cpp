#include "mixer/mixer_presets.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <utility>

#include "common/atomic_file.h"
#include "common/error.h"

namespace kelvado {

namespace {

void PutLe32(uint8_t* out, int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(u >> (8 * i));
}

int32_t GetLe32(const uint8_t* in) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(in[i]) << (8 * i);
  return static_cast<int32_t>(u);
}

int32_t* Field(MixerLineSetting& line, size_t index) {
  int32_t* fields[] = {&line.Destination, &line.Connection, &line.LeftVolume, &line.RightVolume,
                       &line.Mute};
  return fields[index];
}

}  // namespace

std::array<uint8_t, kSnapshotBytes> MixerSnapshot::toBytes() const {
  std::array<uint8_t, kSnapshotBytes> bytes{};
  for (size_t k = 0; k < kSnapshotRecords; ++k) {
    MixerLineSetting line = lines[k];
    for (size_t f = 0; f < 5; ++f) PutLe32(&bytes[k * 20 + f * 4], *Field(line, f));
  }
  return bytes;
}

void MixerSnapshot::fromBytes(const uint8_t* bytes, size_t size) {
  auto image = toBytes();
  std::copy_n(bytes, std::min(size, kSnapshotBytes), image.begin());
  for (size_t k = 0; k < kSnapshotRecords; ++k) {
    for (size_t f = 0; f < 5; ++f) *Field(lines[k], f) = GetLe32(&image[k * 20 + f * 4]);
  }
}

void MixerPresets::CaptureMixer() {
  if (!mixer_.usable()) return;
  size_t k = 0;
  for (int d = 0; d < 2; ++d) {
    const int connections = mixer_.connectionCount(d);
    for (int c = 0; c < connections && k < kSnapshotRecords; ++c, ++k) {
      const LineValues v = mixer_.GetLineSetting(d, c);
      MixerWork.lines[k] = {d, c, v.leftVolume, v.rightVolume, v.mute};
    }
  }
}

void MixerPresets::ApplyMixer() {
  if (!mixer_.usable()) return;
  const size_t in_use = std::min<size_t>(
      static_cast<size_t>(mixer_.connectionCount(0) + mixer_.connectionCount(1)), kSnapshotRecords);
  for (size_t k = 0; k < in_use; ++k) {
    const MixerLineSetting& r = MixerWork.lines[k];
    // A preset from another sound card may name lines this mixer lacks: leave them alone.
    if (!mixer_.hasLine(r.Destination, r.Connection)) continue;
    mixer_.SetLineSetting(r.Destination, r.Connection, {r.LeftVolume, r.RightVolume, r.Mute});
    mixer_.SetLineMute(r.Destination, r.Connection, (r.Mute & 0xFF) != 0);
  }
}

void MixerPresets::SaveMixerFile(const std::string& file_name) {
  const auto bytes = MixerWork.toBytes();
  WriteFileAtomically(file_name, bytes.data(), bytes.size());
}

void MixerPresets::LoadMixerFile(const std::string& file_name) {
  std::error_code ec;
  if (!std::filesystem::exists(file_name, ec)) return;
  std::ifstream in(file_name, std::ios::binary);
  if (!in) throw Error("Cannot open file " + file_name);
  std::array<char, kSnapshotBytes> buffer{};
  in.read(buffer.data(), buffer.size());
  if (in.bad()) throw Error("Stream read error");
  MixerWork.fromBytes(reinterpret_cast<const uint8_t*>(buffer.data()),
                      static_cast<size_t>(in.gcount()));
}

void MixerPresets::applyPreset(const MixerSnapshot& preset) {
  MixerWork = preset;
  ApplyMixer();
}

void MixerPresets::captureInto(MixerSnapshot& preset) {
  CaptureMixer();
  preset = MixerWork;
}

void MixerPresets::loadPresets() {
  LoadMixerFile("RecMix.dat");
  MixerRecord = MixerWork;
  LoadMixerFile("PlayMix.dat");
  MixerReceive = MixerWork;
  LoadMixerFile("TransMix.dat");
  MixerTransmit = MixerWork;
}

// A file that cannot be written does not keep the others from being saved; the first
// failure is raised once all three were tried.
void MixerPresets::savePresets() {
  std::exception_ptr first_error;
  for (auto [preset, file] :
       {std::pair{&MixerRecord, "RecMix.dat"}, std::pair{&MixerReceive, "PlayMix.dat"},
        std::pair{&MixerTransmit, "TransMix.dat"}}) {
    MixerWork = *preset;
    try {
      SaveMixerFile(file);
    } catch (const Error&) {
      if (!first_error) first_error = std::current_exception();
    }
  }
  if (first_error) std::rethrow_exception(first_error);
}

}  // namespace kelvado
