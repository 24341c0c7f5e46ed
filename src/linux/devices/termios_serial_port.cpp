#include "devices/termios_serial_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace kelvado {

namespace {

constexpr std::string_view kWin32DevicePrefix = "\\\\.\\";

bool IsPortNumber(std::string_view text) {
  return !text.empty() && text.size() <= 3 &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool StartsWithCom(std::string_view name) {
  return name.size() >= 3 && std::toupper(static_cast<unsigned char>(name[0])) == 'C' &&
         std::toupper(static_cast<unsigned char>(name[1])) == 'O' &&
         std::toupper(static_cast<unsigned char>(name[2])) == 'M';
}

bool ConfigureRaw9600(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  return tcsetattr(fd, TCSANOW, &tio) == 0;
}

// A console, the controlling terminal, or the terminal the program's standard streams use.
// Typing a device path opens each of its prefixes on the way ("/dev/tty" before
// "/dev/ttyUSB0"), and such a terminal must never be switched to raw mode or have its lines
// changed.
bool IsTerminalOfUser(int fd) {
  struct stat device {};
  if (fstat(fd, &device) != 0 || !S_ISCHR(device.st_mode)) return false;
  const unsigned major_number = major(device.st_rdev);
  const unsigned minor_number = minor(device.st_rdev);
  if (major_number == 5 && minor_number <= 2) return true;  // /dev/tty, console, ptmx
  if (major_number == 4 && minor_number < 64) return true;  // virtual consoles /dev/ttyN
  for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    struct stat own {};
    if (fstat(stream, &own) == 0 && S_ISCHR(own.st_mode) && own.st_rdev == device.st_rdev)
      return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> SerialDevicePath(const std::string& device_name) {
  std::string_view name = device_name;
  if (name.starts_with("/dev/")) return device_name;
  if (name.starts_with(kWin32DevicePrefix)) name.remove_prefix(kWin32DevicePrefix.size());
  if (!StartsWithCom(name) || !IsPortNumber(name.substr(3))) return std::nullopt;
  const int number = std::stoi(std::string(name.substr(3)));
  if (number < 1) return std::nullopt;
  return "/dev/ttyS" + std::to_string(number - 1);
}

bool TermiosSerialPort::open(const std::string& device_name) {
  close();
  const auto path = SerialDevicePath(device_name);
  if (!path) return false;
  UniqueFd fd(::open(path->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid() || IsTerminalOfUser(fd.get())) return false;
  // The advisory lock keeps out cooperating programs and other root processes, which
  // TIOCEXCL does not stop.
  if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0 || ioctl(fd.get(), TIOCEXCL) != 0 ||
      !ConfigureRaw9600(fd.get())) {
    return false;
  }
  fd_ = std::move(fd);
  setDtr(true);
  setRts(true);
  return true;
}

void TermiosSerialPort::close() {
  if (!fd_.valid()) return;
  ioctl(fd_.get(), TIOCNXCL);
  fd_.reset();
}

void TermiosSerialPort::setDtr(bool asserted) {
  setLine(TIOCM_DTR, asserted);
}

void TermiosSerialPort::setRts(bool asserted) {
  setLine(TIOCM_RTS, asserted);
}

void TermiosSerialPort::setLine(int line, bool asserted) {
  if (fd_.valid()) ioctl(fd_.get(), asserted ? TIOCMBIS : TIOCMBIC, &line);
}

}  // namespace kelvado
