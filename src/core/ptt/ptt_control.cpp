#include "ptt/ptt_control.h"

namespace kelvado {

void PttControl::driveLine(bool keyed) {
  if (settings_.serialMode()) {
    // Each line reads the inversion on its own, as the operator may have just changed it.
    if (settings_.rgDTR.selected() && serial_open_) serial_.setDtr(keyed != settings_.inverted());
    if (settings_.rgRTS.selected() && serial_open_) serial_.setRts(keyed != settings_.inverted());
    return;
  }
  const int32_t address = settings_.parallelAddress();
  const uint8_t value = keyed != settings_.inverted() ? settings_.dataBitMask() : 0;
  io_.write(static_cast<uint16_t>(address & 0xFFFF), value);
}

void PttControl::PttOn() {
  driveLine(true);
}

void PttControl::PttOff() {
  driveLine(false);
  if (settings_.chMixer.ticked()) mixer_.applyPreset(mixer_.MixerReceive);
}

void PttControl::releaseLine() noexcept {
  try {
    driveLine(false);
  } catch (...) {
    // An address that does not convert keyed nothing either.
  }
}

void PttControl::SelectSerialPort() {
  if (serial_open_) return;
  const std::string& text = settings_.cbSerialNum.text();
  if (device_paths_ == DevicePaths::Accepted && text.starts_with("/dev/")) {
    port_name_ = text;
  } else if (auto number = settings_.serialPortNumber()) {
    port_name_ = "\\\\.\\COM" + std::to_string(*number);
  }
}

void PttControl::OpenSerialPort() {
  if (serial_open_) return;
  serial_open_ = serial_.open(port_name_);
}

void PttControl::CloseSerialPort() {
  if (!serial_open_) return;
  serial_.close();
  serial_open_ = false;
}

void PttControl::OpenPortDriver() {
  io_.open();
}

void PttControl::ClosePortDriver() {
  io_.close();
}

void PttControl::cbSerialNumChange() {
  if (!settings_.serialMode()) return;
  CloseSerialPort();
  SelectSerialPort();
  OpenSerialPort();
  PttOff();
}

void PttControl::rgSerialClick() {
  SelectSerialPort();
  OpenSerialPort();
  PttOff();
}

void PttControl::rgParallelClick() {
  CloseSerialPort();
}

}  // namespace kelvado
