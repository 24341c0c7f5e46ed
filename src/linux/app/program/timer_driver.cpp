#include "program/timer_driver.h"

namespace kelvado::qt {

TimerDriver::TimerDriver(Timer& timer) : timer_(timer) {
  qt_timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&qt_timer_, &QTimer::timeout, [this] { timer_.fire(); });
  timer_.onChange = [this] { sync(); };
  sync();
}

TimerDriver::~TimerDriver() {
  timer_.onChange = nullptr;
}

void TimerDriver::sync() {
  qt_timer_.setInterval(timer_.interval());
  if (timer_.enabled()) {
    qt_timer_.start();
  } else {
    qt_timer_.stop();
  }
}

}  // namespace kelvado::qt
