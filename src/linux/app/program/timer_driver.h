#pragma once

#include <QTimer>

#include "common/timer.h"

namespace kelvado::qt {

// Runs a core timer on a Qt timer: enabling it or changing its interval restarts the period.
class TimerDriver {
 public:
  explicit TimerDriver(Timer& timer);
  ~TimerDriver();
  TimerDriver(const TimerDriver&) = delete;
  TimerDriver& operator=(const TimerDriver&) = delete;

 private:
  void sync();

  Timer& timer_;
  QTimer qt_timer_;
};

}  // namespace kelvado::qt
