#include "pulse_capture.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace kelvado::test {

PulseCapture::PulseCapture(const std::string& source, int rate)
    : parec_({"parec", "-d", source, "--raw", "--format=s16le", "--rate=" + std::to_string(rate),
              "--channels=1", "--latency-msec=20"}),
      reader_([this] { read(); }) {}

PulseCapture::~PulseCapture() {
  stop();
}

void PulseCapture::read() {
  std::vector<uint8_t> pending;
  uint8_t buffer[4096];
  for (;;) {
    const ssize_t size = ::read(parec_.output(), buffer, sizeof buffer);
    if (size < 0 && errno == EINTR) continue;
    if (size <= 0) return;
    const auto now = Clock::now();
    pending.insert(pending.end(), buffer, buffer + size);
    std::lock_guard lock(mutex_);
    size_t i = 0;
    for (; i + 1 < pending.size(); i += 2) {
      samples_.push_back(static_cast<int16_t>(pending[i] | (pending[i + 1] << 8)));
    }
    pending.erase(pending.begin(), pending.begin() + static_cast<ptrdiff_t>(i));
    blocks_.push_back({samples_.size(), now});
  }
}

bool PulseCapture::waitForSamplesAfter(Clock::time_point time, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (Clock::now() < deadline) {
    {
      std::lock_guard lock(mutex_);
      if (!blocks_.empty() && blocks_.back().arrived > time) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

void PulseCapture::stop() {
  if (!reader_.joinable()) return;
  parec_.signal(SIGINT);
  reader_.join();
  parec_.wait();
}

Clock::time_point PulseCapture::arrivalOf(size_t sample) const {
  const auto block = std::upper_bound(blocks_.begin(), blocks_.end(), sample,
                                      [](size_t s, const Block& b) { return s < b.end; });
  return block == blocks_.end() ? Clock::time_point::max() : block->arrived;
}

}  // namespace kelvado::test
