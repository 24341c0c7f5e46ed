#include "program/unix_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace kelvado::qt {

namespace {

int g_signal_pipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  // Only async-signal-safe calls here; a full pipe already holds a pending wake-up.
  [[maybe_unused]] const ssize_t written = ::write(g_signal_pipe[1], &byte, 1);
}

}  // namespace

UnixSignals::UnixSignals(std::function<void()> on_signal) : on_signal_(std::move(on_signal)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signal_pipe) != 0)
    return;
  notifier_ = std::make_unique<QSocketNotifier>(g_signal_pipe[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    char buffer[16];
    while (::read(g_signal_pipe[0], buffer, sizeof buffer) > 0) {
    }
    on_signal_();
  });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

UnixSignals::~UnixSignals() {
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  notifier_.reset();
  for (int& fd : g_signal_pipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

}  // namespace kelvado::qt
