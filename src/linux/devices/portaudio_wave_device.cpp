#include "devices/portaudio_wave_device.h"

#include "devices/wave_errors.h"

namespace kelvado {

namespace {

uint32_t LoadErrorCode(WaveLoadResult result) {
  switch (result) {
    case WaveLoadResult::Loaded:
      return 0;
    case WaveLoadResult::NotFound:
      return kWaveFileNotFound;
    case WaveLoadResult::AccessDenied:
      return kWaveFileAccessDenied;
    case WaveLoadResult::NotDecodable:
      break;
  }
  return kWaveFileNotDecodable;
}

}  // namespace

PortAudioWaveDevice::PortAudioWaveDevice(std::chrono::milliseconds start_timeout)
    : session_(start_timeout) {}

void PortAudioWaveDevice::stopStreams() {
  playback_.reset();
  recording_.reset();
}

uint32_t PortAudioWaveDevice::open(const std::string& element) {
  stopStreams();
  element_.reset();
  named_file_ = element;
  WaveElement opened;
  if (!element.empty()) {
    if (const uint32_t code = LoadErrorCode(LoadWaveFile(element, opened))) return code;
  }
  switch (session_.ensureReady()) {
    case PortAudioSession::Status::Ready:
      break;
    case PortAudioSession::Status::NoDevice:
      return kWaveNoSoundDevice;
    case PortAudioSession::Status::NotResponding:
      return kWaveSoundSystemNotResponding;
  }
  element_ = std::move(opened);
  return 0;
}

uint32_t PortAudioWaveDevice::close() {
  if (!element_) return kWaveNoDeviceOpen;
  stopStreams();
  element_.reset();
  return 0;
}

uint32_t PortAudioWaveDevice::play() {
  if (!element_) return kWaveNoDeviceOpen;
  stopStreams();
  playback_ = PlaybackStream::Start(*element_);
  return playback_ ? 0 : kWaveStreamFailed;
}

uint32_t PortAudioWaveDevice::record() {
  if (!element_) return kWaveNoDeviceOpen;
  stopStreams();
  element_->samples.clear();
  recording_ = RecordingStream::Start(*element_);
  return recording_ ? 0 : kWaveStreamFailed;
}

uint32_t PortAudioWaveDevice::stop() {
  if (!element_) return kWaveNoDeviceOpen;
  stopStreams();
  return 0;
}

uint32_t PortAudioWaveDevice::save(const std::string& file) {
  if (!element_) return kWaveNoDeviceOpen;
  stopStreams();
  named_file_ = file;
  return SaveCanonicalWave(file, *element_) ? 0 : kWaveFileNotSaved;
}

uint32_t PortAudioWaveDevice::mode(uint8_t& mode) {
  if (!element_) return kWaveNoDeviceOpen;
  if (recording_ && recording_->recording()) {
    mode = kModeRecording;
  } else if (playback_ && playback_->playing()) {
    mode = kModePlaying;
  } else {
    mode = kModeStopped;
  }
  return 0;
}

std::optional<std::string> PortAudioWaveDevice::errorText(uint32_t code) {
  return WaveErrorText(code, named_file_);
}

}  // namespace kelvado
