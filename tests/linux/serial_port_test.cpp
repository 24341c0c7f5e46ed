#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "devices/termios_serial_port.h"
#include "pseudo_terminal.h"
#include "recorded_lines_test.h"

namespace kelvado {
namespace {

using Events = std::vector<std::string>;
const std::vector<std::string> kLineCalls = {"open", "TIOCMBIS", "TIOCMBIC", "TIOCMSET", "close"};
const std::vector<std::string> kLineFields = {"path", "bits", "DTR", "RTS"};

struct NameCase {
  const char* name;
  std::optional<std::string> path;
};

void PrintTo(const NameCase& name, std::ostream* out) {
  *out << '"' << name.name << '"';
}

class SerialDevicePathTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SerialDevicePathTest, MapsWindowsNamesAndTakesDevicePathsAsTheyAre) {
  EXPECT_EQ(SerialDevicePath(GetParam().name), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SerialDevicePathTest,
    ::testing::Values(NameCase{"\\\\.\\COM1", "/dev/ttyS0"}, NameCase{"\\\\.\\COM4", "/dev/ttyS3"},
                      NameCase{"COM2", "/dev/ttyS1"}, NameCase{"\\\\.\\COM10", "/dev/ttyS9"},
                      NameCase{"/dev/ttyUSB0", "/dev/ttyUSB0"},
                      NameCase{"/dev/serial/by-id/usb-FTDI_FT232R-if00-port0",
                               "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"},
                      NameCase{"\\\\.\\COM0", std::nullopt}, NameCase{"COM", std::nullopt},
                      NameCase{"\\\\.\\COM1x", std::nullopt}, NameCase{"LPT1", std::nullopt},
                      NameCase{"ttyS0", std::nullopt}, NameCase{"", std::nullopt}));

class SerialPortTest : public test::RecordedLinesTest {
 protected:
  test::PseudoTerminal terminal_;
};

TEST_F(SerialPortTest, OpensRaw9600And8N1AndAssertsDtrThenRtsWithoutWriting) {
  TermiosSerialPort port;
  ASSERT_TRUE(port.open(terminal_.slavePath()));

  // A second look at the same terminal (root may open it despite TIOCEXCL).
  UniqueFd view(::open(terminal_.slavePath().c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC));
  ASSERT_TRUE(view.valid());
  termios tio{};
  ASSERT_EQ(tcgetattr(view.get(), &tio), 0);
  EXPECT_EQ(cfgetospeed(&tio), B9600);
  EXPECT_EQ(cfgetispeed(&tio), B9600);
  EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);

  // A pseudo terminal has no modem lines: the calls are made, one line each, and fail.
  const std::string enotty = std::to_string(-ENOTTY);
  EXPECT_EQ(recorded({"TIOCMBIS", "TIOCMBIC", "TIOCMSET"}, {"bits", "result"}),
            (Events{"TIOCMBIS bits=DTR result=" + enotty, "TIOCMBIS bits=RTS result=" + enotty}));
  EXPECT_FALSE(terminal_.hasOutput());
}

// What the end-to-end tests see of a keyer keying COM1 where no COM1 exists.
TEST_F(SerialPortTest, EveryLineChangeDrivesExactlyThatLine) {
  fakePorts("/dev/ttyS0=" + terminal_.slavePath());
  {
    TermiosSerialPort port;
    ASSERT_TRUE(port.open("\\\\.\\COM1"));
    port.setDtr(false);
    port.setRts(false);
    port.setDtr(true);
    port.setRts(true);
    port.setDtr(false);
  }
  EXPECT_EQ(recorded(kLineCalls, kLineFields),
            (Events{"open path=/dev/ttyS0", "TIOCMBIS bits=DTR DTR=1 RTS=1",
                    "TIOCMBIS bits=RTS DTR=1 RTS=1", "TIOCMBIC bits=DTR DTR=0 RTS=1",
                    "TIOCMBIC bits=RTS DTR=0 RTS=0", "TIOCMBIS bits=DTR DTR=1 RTS=0",
                    "TIOCMBIS bits=RTS DTR=1 RTS=1", "TIOCMBIC bits=DTR DTR=0 RTS=1", "close"}));
  const auto events = test::ReadLineLog(log_);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().field("target"), terminal_.slavePath());
  EXPECT_FALSE(terminal_.hasOutput());
}

// Holds the port in a child process until the returned pipe is closed.
pid_t HoldInChild(const std::string& path, UniqueFd& release) {
  int ready[2], hold[2];
  if (pipe(ready) != 0 || pipe(hold) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    ::close(ready[0]);
    ::close(hold[1]);
    TermiosSerialPort port;
    const char opened = port.open(path) ? '1' : '0';
    if (write(ready[1], &opened, 1) != 1) _exit(2);
    char ignored;
    while (read(hold[0], &ignored, 1) > 0) {
    }
    _exit(0);
  }
  ::close(ready[1]);
  ::close(hold[0]);
  release.reset(hold[1]);
  char opened = '0';
  const bool told = read(ready[0], &opened, 1) == 1;
  ::close(ready[0]);
  return told && opened == '1' ? child : -1;
}

TEST_F(SerialPortTest, RefusesAPortThatIsHeldUntilItIsLetGo) {
  TermiosSerialPort first, second;
  ASSERT_TRUE(first.open(terminal_.slavePath()));
  EXPECT_FALSE(second.open(terminal_.slavePath()));
  first.close();
  EXPECT_TRUE(second.open(terminal_.slavePath()));
  second.close();

  UniqueFd release;
  const pid_t holder = HoldInChild(terminal_.slavePath(), release);
  ASSERT_GT(holder, 0) << "the other process could not open the port";
  EXPECT_FALSE(first.open(terminal_.slavePath())) << "held by another process";
  release.reset();
  int status = 0;
  ASSERT_EQ(waitpid(holder, &status, 0), holder);
  EXPECT_TRUE(first.open(terminal_.slavePath()));
}

// Typing "/dev/ttyUSB0" opens "/dev/tty" on the way; the terminal the keyer was started from
// must keep its mode and lines.
TEST_F(SerialPortTest, NeverTakesOverTheTerminalOfItsOwnStreams) {
  const int saved_stdin = ::dup(STDIN_FILENO);
  UniqueFd terminal(::open(terminal_.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
  ASSERT_TRUE(terminal.valid());
  ASSERT_EQ(::dup2(terminal.get(), STDIN_FILENO), STDIN_FILENO);
  termios before{};
  ASSERT_EQ(tcgetattr(terminal.get(), &before), 0);

  TermiosSerialPort port;
  const bool opened = port.open(terminal_.slavePath());
  ::dup2(saved_stdin, STDIN_FILENO);
  ::close(saved_stdin);

  EXPECT_FALSE(opened);
  termios after{};
  ASSERT_EQ(tcgetattr(terminal.get(), &after), 0);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(recorded({"TIOCMBIS", "TIOCMBIC"}, {}), Events{});
}

class SerialPortFailureTest : public test::RecordedLinesTest,
                              public ::testing::WithParamInterface<const char*> {};

// A port that does not open stays closed: line changes do nothing and nothing is reported.
TEST_P(SerialPortFailureTest, StaysClosedAndIgnoresLineChanges) {
  TermiosSerialPort port;
  EXPECT_FALSE(port.open(GetParam()));
  port.setDtr(true);
  port.setRts(false);
  port.close();
  EXPECT_EQ(recorded({"TIOCMBIS", "TIOCMBIC"}, {}), Events{});
}

INSTANTIATE_TEST_SUITE_P(Names, SerialPortFailureTest,
                         ::testing::Values("/dev/ttyKelvadoMissing", "/dev/null", "LPT1", "",
                                           "\\\\.\\COM0", "/dev/tty", "/dev/console"));

}  // namespace
}  // namespace kelvado
