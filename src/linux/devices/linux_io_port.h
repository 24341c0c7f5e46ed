#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "devices/unique_fd.h"
#include "ptt/port_devices.h"

namespace kelvado {

// Writes a byte to an I/O port address. A parallel port the kernel drives is written
// through ppdev: the /dev/parportN whose base address (from /proc/sys/dev/parport) equals
// the address, claimed at its first write and kept until close. Any other address is
// written directly where the process may do port I/O (x86, CAP_SYS_RAWIO); otherwise the
// byte is dropped. Nothing is reported.
class LinuxIoPort : public IoPortDevice {
 public:
  // The roots are "/proc" and "/dev" on a real system.
  explicit LinuxIoPort(std::string proc_root = "/proc", std::string dev_root = "/dev");
  ~LinuxIoPort() override { close(); }
  LinuxIoPort(const LinuxIoPort&) = delete;
  LinuxIoPort& operator=(const LinuxIoPort&) = delete;

  // Writes are dropped until open and after close.
  void open() override { open_ = true; }
  // Releases the claimed parallel ports and the direct port access.
  void close() override;
  void write(uint16_t port, uint8_t value) override;

 private:
  // The claimed ppdev descriptor for the port at `address`; -1 when there is none.
  int claimedPort(uint16_t address);
  std::optional<int> parportNumber(uint16_t address) const;
  void writeDirect(uint16_t address, uint8_t value);

  std::string proc_root_;
  std::string dev_root_;
  bool open_ = false;
  std::map<uint16_t, UniqueFd> claimed_;
  std::set<uint16_t> direct_;  // addresses the kernel granted for direct I/O
};

}  // namespace kelvado
