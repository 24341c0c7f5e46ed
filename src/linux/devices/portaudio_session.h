#pragma once

#include <chrono>
#include <memory>

namespace kelvado {

// PortAudio, started within a bounded time. Starting it can block for as long as a sound
// server that accepts connections takes to answer, possibly forever, so it runs on a helper
// thread that the caller waits for only up to the timeout. A start that overruns stays
// pending and is waited for again at the next request.
class PortAudioSession {
 public:
  enum class Status { Ready, NoDevice, NotResponding };

  explicit PortAudioSession(std::chrono::milliseconds timeout) : timeout_(timeout) {}
  ~PortAudioSession();
  PortAudioSession(const PortAudioSession&) = delete;
  PortAudioSession& operator=(const PortAudioSession&) = delete;

  // Ready once PortAudio runs and has a default output or input device. Without one it
  // stops again, so that a sound server started later is found by the next request.
  Status ensureReady();

 private:
  struct Attempt;

  std::chrono::milliseconds timeout_;
  std::shared_ptr<Attempt> pending_;
  bool ready_ = false;
};

}  // namespace kelvado
