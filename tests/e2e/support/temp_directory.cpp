#include "temp_directory.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace kelvado::e2e {

TempDirectory::TempDirectory() {
  std::string pattern = "/tmp/kelvado-e2e-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a directory");
  path_ = pattern;
}

TempDirectory::~TempDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace kelvado::e2e
