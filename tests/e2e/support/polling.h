#pragma once

#include <chrono>
#include <functional>

namespace kelvado::e2e {

// Polls `ready` until it holds or `timeout` has passed; returns its last answer. The
// timeout only bounds a failing test: every wait ends as soon as the state is reached.
bool WaitUntil(const std::function<bool()>& ready,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace kelvado::e2e
