#pragma once

#include <string>

#include "mixer/mixer_presets.h"
#include "ptt/port_devices.h"
#include "settings/settings_record.h"

namespace kelvado {

// Keys and releases the transmitter through the chosen serial line or parallel data lines,
// reading every setting afresh at each call, and keeps the ports open or closed.
class PttControl {
 public:
  // Whether a cbSerialNum text beginning with "/dev/" names the serial device itself.
  enum class DevicePaths { Ignored, Accepted };

  PttControl(SettingsRecord& settings, SerialPortDevice& serial, IoPortDevice& io,
             MixerPresets& mixer, DevicePaths device_paths = DevicePaths::Ignored)
      : settings_(settings), serial_(serial), io_(io), mixer_(mixer), device_paths_(device_paths) {}

  void PttOn();
  // Releases the line, then applies the receive preset when chMixer is ticked.
  void PttOff();
  // Releases the line only, never raising: the way out after an error and before a recording.
  void releaseLine() noexcept;

  void SelectSerialPort();
  void OpenSerialPort();
  void CloseSerialPort();
  void OpenPortDriver();
  void ClosePortDriver();

  // Handlers of the PTT controls of the settings window.
  void cbSerialNumChange();
  void rgSerialClick();
  void rgParallelClick();
  void rgDTRClick() { PttOff(); }
  void rgRTSClick() { PttOff(); }
  void cbInvChange() { PttOff(); }

  const std::string& serialPortName() const { return port_name_; }
  bool serialPortOpen() const { return serial_open_; }

 private:
  void driveLine(bool keyed);

  SettingsRecord& settings_;
  SerialPortDevice& serial_;
  IoPortDevice& io_;
  MixerPresets& mixer_;
  DevicePaths device_paths_;
  std::string port_name_ = "\\\\.\\COM2";
  bool serial_open_ = false;
};

}  // namespace kelvado
