#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvado::test {

// Writes a canonical 16-bit mono 22050 Hz wave file holding `samples`.
void WriteWave(const std::string& path, const std::vector<int16_t>& samples);
// Reads a file written by WriteWave (or trimmed from one): its samples after byte 44.
std::vector<int16_t> ReadSamples(const std::string& path);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
uint32_t Le32At(const std::string& bytes, size_t offset);

// A fresh empty directory that is the current directory for the fixture's lifetime.
class ScopedWorkDir {
 public:
  ScopedWorkDir();
  ~ScopedWorkDir();
  ScopedWorkDir(const ScopedWorkDir&) = delete;
  ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string previous_;
  std::string path_;
};

}  // namespace kelvado::test
