#pragma once

#include <string>

#include "devices/unique_fd.h"

namespace kelvado::test {

// A pseudo terminal: the test keeps the master side, the device under test opens the slave.
class PseudoTerminal {
 public:
  PseudoTerminal();

  const std::string& slavePath() const { return slave_path_; }
  // True when something was written to the slave side.
  bool hasOutput() const;

 private:
  UniqueFd master_;
  std::string slave_path_;
};

}  // namespace kelvado::test
