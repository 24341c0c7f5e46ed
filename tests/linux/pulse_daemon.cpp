#include "pulse_daemon.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace kelvado::test {

// DIR/env holds lines of the form: export NAME='VALUE'
void UsePulseDaemon() {
  const char* dir = std::getenv("KELVADO_PULSE_DIR");
  if (dir == nullptr) throw std::runtime_error("KELVADO_PULSE_DIR is not set");
  std::ifstream env(std::string(dir) + "/env");
  if (!env) throw std::runtime_error(std::string("no daemon started in ") + dir);
  std::string line;
  while (std::getline(env, line)) {
    const std::string prefix = "export ";
    const size_t equals = line.find("='");
    if (line.rfind(prefix, 0) != 0 || equals == std::string::npos || line.back() != '\'') {
      continue;
    }
    const std::string name = line.substr(prefix.size(), equals - prefix.size());
    const std::string value = line.substr(equals + 2, line.size() - equals - 3);
    setenv(name.c_str(), value.c_str(), 1);
  }
}

}  // namespace kelvado::test
