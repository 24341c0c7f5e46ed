#include "phrases/media_player.h"

#include "common/error.h"

namespace kelvado {

void MediaPlayer::open() {
  close();
  const uint32_t code = device_.open(FileName);
  if (code != 0) throw Error(device_.errorText(code).value_or("Unknown error code"));
  open_ = true;
}

void MediaPlayer::close() {
  if (!open_) return;
  if (device_.close() == 0) open_ = false;
}

void MediaPlayer::requireOpen() const {
  if (!open_) throw Error("No MCI device open");
}

void MediaPlayer::play() {
  requireOpen();
  device_.play();
}

void MediaPlayer::startRecording() {
  requireOpen();
  device_.record();
}

void MediaPlayer::stop() {
  requireOpen();
  device_.stop();
}

void MediaPlayer::save() {
  requireOpen();
  if (!FileName.empty()) device_.save(FileName);
}

uint8_t MediaPlayer::mode() {
  uint8_t mode = kModeNotReady;
  if (device_.mode(mode) != 0) return kModeNotReady;
  return mode;
}

}  // namespace kelvado
