#pragma once

#include <cstdint>
#include <string>

namespace kelvado {

// A serial port whose modem-control lines key the transmitter. Nothing is ever sent.
// Failures are silent: a port that did not open ignores line changes.
class SerialPortDevice {
 public:
  virtual ~SerialPortDevice() = default;
  // Opens the named device exclusively, 9600 8N1, with DTR and RTS asserted.
  virtual bool open(const std::string& device_name) = 0;
  virtual void close() = 0;
  virtual void setDtr(bool asserted) = 0;
  virtual void setRts(bool asserted) = 0;
};

// Access to I/O ports: one byte written to one port. Failures are silent.
class IoPortDevice {
 public:
  virtual ~IoPortDevice() = default;
  virtual void open() = 0;
  virtual void close() = 0;
  virtual void write(uint16_t port, uint8_t value) = 0;
};

}  // namespace kelvado
