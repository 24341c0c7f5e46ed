#include "unit/wave_fixture.h"

#include "phrases/wave_header.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kelvado::test {

namespace fs = std::filesystem;

namespace {

void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace

void WriteWave(const std::string& path, const std::vector<int16_t>& samples) {
  const WaveHeader header =
      CanonicalWaveHeader(22050, 1, static_cast<uint32_t>(samples.size() * 2));
  std::string out(header.begin(), header.end());
  for (int16_t s : samples) PutLe(out, static_cast<uint16_t>(s), 2);
  WriteBytes(path, out);
}

std::vector<int16_t> ReadSamples(const std::string& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<int16_t> samples;
  for (size_t i = 44; i + 1 < bytes.size(); i += 2) {
    samples.push_back(static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                           (static_cast<uint8_t>(bytes[i + 1]) << 8)));
  }
  return samples;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

uint32_t Le32At(const std::string& bytes, size_t offset) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + i])) << (8 * i);
  return v;
}

ScopedWorkDir::ScopedWorkDir() : previous_(fs::current_path().string()) {
  std::string pattern = (fs::temp_directory_path() / "kelvado-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  fs::current_path(path_);
}

ScopedWorkDir::~ScopedWorkDir() {
  std::error_code ec;
  fs::current_path(previous_, ec);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

}  // namespace kelvado::test
