#pragma once

#include <optional>
#include <string>

#include "devices/unique_fd.h"
#include "ptt/port_devices.h"

namespace kelvado {

// A serial port through termios. Windows names ("\\.\COM1", "COM3") map to /dev/ttyS0,
// /dev/ttyS2; a name beginning with "/dev/" (a USB adapter, a /dev/serial/by-id link) is used
// as it is. The port is opened exclusively, set to 9600 8N1 raw, and both DTR and RTS are
// asserted; each line change drives that one line. Nothing is ever written to the port.
class TermiosSerialPort : public SerialPortDevice {
 public:
  TermiosSerialPort() = default;
  ~TermiosSerialPort() override { close(); }
  TermiosSerialPort(const TermiosSerialPort&) = delete;
  TermiosSerialPort& operator=(const TermiosSerialPort&) = delete;

  // False, leaving the port closed, when the name maps to no device, the device cannot be
  // opened or is not a terminal, or another process holds it.
  bool open(const std::string& device_name) override;
  void close() override;
  void setDtr(bool asserted) override;
  void setRts(bool asserted) override;

 private:
  void setLine(int line, bool asserted);

  UniqueFd fd_;
};

// The device path for a port name; nullopt when the name names no serial device.
std::optional<std::string> SerialDevicePath(const std::string& device_name);

}  // namespace kelvado
