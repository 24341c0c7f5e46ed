#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "child_process.h"

namespace kelvado::test {

using Clock = std::chrono::steady_clock;

// What reaches a PulseAudio source, captured with parec as 16-bit mono samples, each with
// the time its block arrived here, which is never before it reached the source.
class PulseCapture {
 public:
  explicit PulseCapture(const std::string& source, int rate = 22050);
  ~PulseCapture();
  PulseCapture(const PulseCapture&) = delete;
  PulseCapture& operator=(const PulseCapture&) = delete;

  // Waits until samples arrived after `time`; false after `timeout`. The keep-alive stream
  // keeps a monitor source delivering silence, so this also tells that capture runs.
  bool waitForSamplesAfter(Clock::time_point time, std::chrono::milliseconds timeout);
  // Ends parec with SIGINT, which flushes its buffer, and collects the rest.
  void stop();

  // Valid after stop().
  const std::vector<int16_t>& samples() const { return samples_; }
  Clock::time_point arrivalOf(size_t sample) const;

 private:
  struct Block {
    size_t end;  // index after the block's last sample
    Clock::time_point arrived;
  };
  void read();

  ChildProcess parec_;
  mutable std::mutex mutex_;
  std::vector<int16_t> samples_;
  std::vector<Block> blocks_;
  std::thread reader_;
};

}  // namespace kelvado::test
