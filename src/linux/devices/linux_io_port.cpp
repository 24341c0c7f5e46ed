#include "devices/linux_io_port.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <array>
#include <charconv>

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define KELVADO_HAS_PORT_IO 1
#endif

namespace kelvado {

namespace {

// The parportN entries looked at. They are probed by name rather than listed, so that a
// test can fake a port at these paths with the line recorder.
constexpr int kParportsProbed = 16;

// The first number of a base-addr file ("888\t0\n"); nullopt when unreadable.
std::optional<unsigned long> ReadBaseAddress(const std::string& path) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return std::nullopt;
  std::array<char, 64> text{};
  const ssize_t size = ::read(fd.get(), text.data(), text.size());
  if (size <= 0) return std::nullopt;
  unsigned long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + size, value);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  return value;
}

}  // namespace

LinuxIoPort::LinuxIoPort(std::string proc_root, std::string dev_root)
    : proc_root_(std::move(proc_root)), dev_root_(std::move(dev_root)) {}

void LinuxIoPort::close() {
  for (auto& [address, fd] : claimed_) ioctl(fd.get(), PPRELEASE);
  claimed_.clear();
#ifdef KELVADO_HAS_PORT_IO
  for (uint16_t address : direct_) ioperm(address, 1, 0);
#endif
  direct_.clear();
  open_ = false;
}

void LinuxIoPort::write(uint16_t port, uint8_t value) {
  if (!open_) return;
  if (const int fd = claimedPort(port); fd >= 0) {
    ioctl(fd, PPWDATA, &value);
    return;
  }
  writeDirect(port, value);
}

int LinuxIoPort::claimedPort(uint16_t address) {
  if (const auto found = claimed_.find(address); found != claimed_.end()) {
    return found->second.get();
  }
  const auto number = parportNumber(address);
  if (!number) return -1;
  const std::string path = dev_root_ + "/parport" + std::to_string(*number);
  UniqueFd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
  if (!fd.valid() || ioctl(fd.get(), PPCLAIM) != 0) return -1;
  return claimed_.emplace(address, std::move(fd)).first->second.get();
}

std::optional<int> LinuxIoPort::parportNumber(uint16_t address) const {
  for (int n = 0; n < kParportsProbed; ++n) {
    const auto base =
        ReadBaseAddress(proc_root_ + "/sys/dev/parport/parport" + std::to_string(n) + "/base-addr");
    if (base == address) return n;
  }
  return std::nullopt;
}

void LinuxIoPort::writeDirect(uint16_t address, uint8_t value) {
#ifdef KELVADO_HAS_PORT_IO
  if (!direct_.contains(address)) {
    if (ioperm(address, 1, 1) != 0) return;
    direct_.insert(address);
  }
  outb(value, address);
#else
  (void)address;
  (void)value;
#endif
}

}  // namespace kelvado
