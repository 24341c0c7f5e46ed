#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelvado {

// A single-producer single-consumer queue of samples that never allocates or locks after
// construction: the audio callback pushes, another thread drains.
class SampleRing {
 public:
  // Room for at least `capacity` samples.
  explicit SampleRing(size_t capacity);

  // Producer side. Samples that do not fit are dropped.
  void push(const int16_t* samples, size_t count);
  // Consumer side. Appends everything queued to `out`.
  void drainInto(std::vector<int16_t>& out);

 private:
  std::vector<int16_t> buffer_;
  size_t mask_;
  std::atomic<size_t> head_{0};  // next write, advanced by the producer
  std::atomic<size_t> tail_{0};  // next read, advanced by the consumer
};

}  // namespace kelvado
