// Prints the silence trimmer's throughput and peak memory for a short and a long recording.
// Peak memory is the process's high-water mark; it must not grow with the recording's length.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "phrases/silence_trimmer.h"
#include "phrases/wave_header.h"

namespace {

long PeakRssKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// Quiet, one loud tone in the middle, quiet: written a second at a time.
void WriteRecording(const std::string& path, int seconds) {
  const uint32_t data = static_cast<uint32_t>(seconds) * 44100;
  std::ofstream out(path, std::ios::binary);
  const kelvado::WaveHeader header = kelvado::CanonicalWaveHeader(22050, 1, data);
  out.write(reinterpret_cast<const char*>(header.data()),
            static_cast<std::streamsize>(header.size()));
  std::vector<char> second(44100);
  for (int s = 0; s < seconds; ++s) {
    const bool loud = s >= seconds / 4 && s < seconds * 3 / 4;
    for (size_t i = 0; i < second.size(); i += 2) {
      const int16_t v = loud ? static_cast<int16_t>((i / 2) % 50 < 25 ? 20000 : -20000) : 30;
      second[i] = static_cast<char>(v & 0xFF);
      second[i + 1] = static_cast<char>((v >> 8) & 0xFF);
    }
    out.write(second.data(), static_cast<std::streamsize>(second.size()));
  }
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "kelvado-trim-bench";
  fs::create_directories(dir);
  std::printf("%-12s %10s %12s %14s\n", "recording", "MiB", "MiB/s", "peak RSS KiB");
  for (int minutes : {1, 60}) {
    const std::string file = (dir / "F1.wav").string();
    WriteRecording(file, minutes * 60);
    const double mib = static_cast<double>(fs::file_size(file)) / (1024.0 * 1024.0);
    const auto start = std::chrono::steady_clock::now();
    kelvado::TrimSilence(file, 200, 200, 100 * 128);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%3d min      %10.1f %12.1f %14ld\n", minutes, mib, mib / took.count(),
                PeakRssKb());
  }
  fs::remove_all(dir);
  return 0;
}
