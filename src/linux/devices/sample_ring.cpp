#include "devices/sample_ring.h"

#include <algorithm>
#include <bit>

namespace kelvado {

SampleRing::SampleRing(size_t capacity)
    : buffer_(std::bit_ceil(std::max<size_t>(capacity, 2))), mask_(buffer_.size() - 1) {}

void SampleRing::push(const int16_t* samples, size_t count) {
  const size_t head = head_.load(std::memory_order_relaxed);
  const size_t tail = tail_.load(std::memory_order_acquire);
  const size_t fitting = std::min(count, buffer_.size() - (head - tail));
  for (size_t i = 0; i < fitting; ++i) buffer_[(head + i) & mask_] = samples[i];
  head_.store(head + fitting, std::memory_order_release);
}

void SampleRing::drainInto(std::vector<int16_t>& out) {
  const size_t tail = tail_.load(std::memory_order_relaxed);
  const size_t head = head_.load(std::memory_order_acquire);
  for (size_t i = tail; i != head; ++i) out.push_back(buffer_[i & mask_]);
  tail_.store(head, std::memory_order_release);
}

}  // namespace kelvado
