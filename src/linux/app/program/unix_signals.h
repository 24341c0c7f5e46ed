#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace kelvado::qt {

// Turns SIGTERM, SIGINT and SIGHUP into a call on the event loop's thread, so the program
// ends in order (settings and presets saved, transmitter released) however it is told to.
class UnixSignals {
 public:
  explicit UnixSignals(std::function<void()> on_signal);
  ~UnixSignals();
  UnixSignals(const UnixSignals&) = delete;
  UnixSignals& operator=(const UnixSignals&) = delete;

 private:
  std::function<void()> on_signal_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace kelvado::qt
