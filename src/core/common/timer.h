#pragma once

#include <functional>

namespace kelvado {

// A timer as core sees it: interval, enabled flag and handler. The front end runs it on a
// real clock (restarting the period whenever the timer is re-enabled or its interval
// changes, as a Windows timer does); tests run it on virtual time.
class Timer {
 public:
  Timer(int interval_ms, bool enabled) : interval_(interval_ms), enabled_(enabled) {}

  int interval() const { return interval_; }
  bool enabled() const { return enabled_; }

  void setInterval(int interval_ms) {
    if (interval_ms == interval_) return;
    interval_ = interval_ms;
    if (onChange) onChange();
  }
  void setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (onChange) onChange();
  }

  // Called by the driver when the interval has elapsed while enabled.
  void fire() {
    if (enabled_ && onTimer) onTimer();
  }

  std::function<void()> onTimer;
  std::function<void()> onChange;  // for the driver: interval or enabled changed

 private:
  int interval_;
  bool enabled_;
};

}  // namespace kelvado
