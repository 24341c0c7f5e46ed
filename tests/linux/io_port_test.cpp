#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "devices/linux_io_port.h"
#include "recorded_lines_test.h"

namespace kelvado {
namespace {

using Events = std::vector<std::string>;
// Descriptor numbers left out: they depend on what else the process has open.
const std::vector<std::string> kPortCalls = {"close",   "PPCLAIM", "PPRELEASE",
                                             "PPWDATA", "ioperm",  "iopl"};
const std::vector<std::string> kPortFields = {"value", "from", "result"};

// A machine with two parallel ports the kernel drives: parport0 at 0x3BC and parport1 at
// 0x378, the address the keyer uses by default. The line recorder fakes ppdev on both.
class IoPortTest : public test::RecordedLinesTest {
 protected:
  IoPortTest() {
    addParport(0, "956\t0\n");
    addParport(1, "888\t1912\n");
    fakePorts(dev_ + "/parport0;" + dev_ + "/parport1");
  }

  void addParport(int number, const std::string& base_addr) {
    const std::string name = "parport" + std::to_string(number);
    const std::string dir = proc_ + "/sys/dev/parport/" + name;
    std::filesystem::create_directories(dir);
    std::filesystem::create_directories(dev_);
    test::WriteBytes(dir + "/base-addr", base_addr);
    test::WriteBytes(dev_ + "/" + name, "");
  }

  std::string proc_ = dir_.path() + "/proc";
  std::string dev_ = dir_.path() + "/dev";
};

TEST_F(IoPortTest, WritesThroughTheParportAtTheAddressKeepingItClaimedUntilClose) {
  LinuxIoPort port(proc_, dev_);
  port.open();
  port.write(0x378, 0x01);
  port.write(0x378, 0x00);
  port.write(0x378, 0x80);
  port.close();
  EXPECT_EQ(
      recorded(kPortCalls, kPortFields),
      (Events{"PPCLAIM result=0", "PPWDATA value=0x01 result=0", "PPWDATA value=0x00 result=0",
              "PPWDATA value=0x80 result=0", "PPRELEASE result=0", "close result=0"}));
  const auto events = test::ReadLineLog(log_);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().call + " " + events.front().field("path"), "open " + dev_ + "/parport1");
}

// No parport answers at 0x278: direct port I/O is tried, and refused here as it is to a
// process without the right to it; the byte is dropped.
TEST_F(IoPortTest, TriesDirectPortAccessForOtherAddressesAndDropsTheByteWhenRefused) {
  LinuxIoPort port(proc_, dev_);
  port.open();
  port.write(0x278, 0xFF);
  port.write(0x278, 0x00);
  EXPECT_EQ(recorded(kPortCalls, kPortFields),
            (Events{"ioperm from=0x0278 result=-1", "ioperm from=0x0278 result=-1"}));
}

TEST_F(IoPortTest, AParportThatCannotBeClaimedFallsBackToDirectAccess) {
  fakePorts("");  // PPCLAIM reaches the plain file, which refuses it
  LinuxIoPort port(proc_, dev_);
  port.open();
  port.write(0x378, 0x01);
  EXPECT_EQ(recorded(kPortCalls, kPortFields), (Events{"ioperm from=0x0378 result=-1"}));
}

TEST_F(IoPortTest, DropsWritesWhileTheDriverIsClosed) {
  LinuxIoPort port(proc_, dev_);
  port.write(0x378, 0x01);
  port.open();
  port.close();
  port.write(0x378, 0x01);
  port.write(0x278, 0x01);
  EXPECT_EQ(recorded(kPortCalls, kPortFields), Events{});
}

TEST_F(IoPortTest, ReleasesTheParportWhenDestroyed) {
  {
    LinuxIoPort port(proc_, dev_);
    port.open();
    port.write(0x3BC, 0x55);
  }
  EXPECT_EQ(recorded({"PPCLAIM", "PPWDATA", "PPRELEASE", "close"}, kPortFields),
            (Events{"PPCLAIM result=0", "PPWDATA value=0x55 result=0", "PPRELEASE result=0",
                    "close result=0"}));
}

// How an end-to-end test shows the keyer a parallel port at 0x378 on a machine without one:
// the real paths are faked, the program keeps its default roots.
TEST_F(IoPortTest, APortFakedAtTheSystemPathsIsWrittenThroughPpdev) {
  test::WriteBytes("base-addr", "888\t0\n");
  fakePorts("/proc/sys/dev/parport/parport0/base-addr=" + dir_.path() +
            "/base-addr;/dev/parport0=/dev/null");
  LinuxIoPort port;
  port.open();
  port.write(0x378, 0x0F);
  EXPECT_EQ(recorded({"open", "PPCLAIM", "PPWDATA"}, {"path", "value"}),
            (Events{"open path=/proc/sys/dev/parport/parport0/base-addr", "open path=/dev/parport0",
                    "PPCLAIM", "PPWDATA value=0x0f"}));
}

}  // namespace
}  // namespace kelvado
