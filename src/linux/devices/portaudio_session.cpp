#include "devices/portaudio_session.h"

#include <portaudio.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "devices/audio_library_messages.h"

namespace kelvado {

namespace {

// PortAudio's start and stop are not thread-safe, and a pending start may still finish on
// its helper thread while another session starts or stops.
std::mutex& LibraryMutex() {
  static std::mutex mutex;
  return mutex;
}

void Terminate() {
  std::lock_guard lock(LibraryMutex());
  Pa_Terminate();
}

}  // namespace

// Shared by the session and the helper thread, which may outlive the session.
struct PortAudioSession::Attempt {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool abandoned = false;  // the session is gone: the helper undoes a successful start
  PaError result = paNoError;
};

PortAudioSession::~PortAudioSession() {
  if (ready_) Terminate();
  if (!pending_) return;
  std::unique_lock lock(pending_->mutex);
  if (!pending_->done) {
    pending_->abandoned = true;
  } else if (pending_->result == paNoError) {
    lock.unlock();
    Terminate();
  }
}

PortAudioSession::Status PortAudioSession::ensureReady() {
  if (ready_) return Status::Ready;
  if (!pending_) {
    SilenceAudioLibraryMessages();
    pending_ = std::make_shared<Attempt>();
    std::thread([attempt = pending_] {
      PaError result;
      {
        std::lock_guard library(LibraryMutex());
        result = Pa_Initialize();
      }
      std::unique_lock lock(attempt->mutex);
      attempt->done = true;
      attempt->result = result;
      if (attempt->abandoned && result == paNoError) {
        lock.unlock();
        Terminate();
        return;
      }
      attempt->finished.notify_all();
    }).detach();
  }
  {
    std::unique_lock lock(pending_->mutex);
    if (!pending_->finished.wait_for(lock, timeout_, [&] { return pending_->done; })) {
      return Status::NotResponding;
    }
  }
  const PaError result = pending_->result;
  pending_.reset();
  if (result != paNoError) return Status::NoDevice;
  if (Pa_GetDefaultOutputDevice() == paNoDevice && Pa_GetDefaultInputDevice() == paNoDevice) {
    Terminate();
    return Status::NoDevice;
  }
  ready_ = true;
  return Status::Ready;
}

}  // namespace kelvado
