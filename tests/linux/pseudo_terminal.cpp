#include "pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>

#include <stdexcept>

namespace kelvado::test {

PseudoTerminal::PseudoTerminal() : master_(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
  if (!master_.valid() || grantpt(master_.get()) != 0 || unlockpt(master_.get()) != 0) {
    throw std::runtime_error("no pseudo terminal");
  }
  slave_path_ = ptsname(master_.get());
}

bool PseudoTerminal::hasOutput() const {
  pollfd fd{master_.get(), POLLIN, 0};
  return poll(&fd, 1, 0) == 1 && (fd.revents & POLLIN) != 0;
}

}  // namespace kelvado::test
