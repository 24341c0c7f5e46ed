#include "ptt/ptt_control.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "unit/fakes.h"

namespace kelvado {
namespace {

using Calls = std::vector<std::string>;

class PttControlTest : public ::testing::Test {
 protected:
  test::CallLog log_;
  SettingsRecord settings_;
  test::FakeSerialPort serial_{log_};
  test::FakeIoPort io_{log_};
  test::FakeMixerDevice mixer_device_{log_};
  AudioMixer mixer_{mixer_device_};
  MixerPresets presets_{mixer_};
  PttControl ptt_{settings_, serial_, io_, presets_};

  void openSerial() {
    ptt_.SelectSerialPort();
    ptt_.OpenSerialPort();
    log_.take();
  }
};

TEST_F(PttControlTest, SerialLevelsFollowLineAndInversion) {
  openSerial();
  EXPECT_EQ(serial_.device, "\\\\.\\COM1");
  struct Case {
    bool rts;
    const char* inv;
    Calls on, off;
  } cases[] = {
      {false, "Нет", {"DTR on"}, {"DTR off"}}, {false, "Да", {"DTR off"}, {"DTR on"}},
      {true, "Нет", {"RTS on"}, {"RTS off"}},  {true, "Да", {"RTS off"}, {"RTS on"}},
      {true, "да", {"RTS on"}, {"RTS off"}},
  };
  for (const Case& c : cases) {
    (c.rts ? settings_.rgRTS : settings_.rgDTR).setSelected(true);
    settings_.cbInv.setText(c.inv);
    ptt_.PttOn();
    EXPECT_EQ(log_.take(), c.on) << c.rts << c.inv;
    ptt_.PttOff();
    EXPECT_EQ(log_.take(), c.off) << c.rts << c.inv;
  }
  // Both cleared (only a settings file can do it): no line is driven.
  settings_.rgRTS.setSelected(false);
  ptt_.PttOn();
  EXPECT_TRUE(log_.calls.empty());
}

TEST_F(PttControlTest, ParallelWritesTheMaskOrZeroToTheAddress) {
  settings_.rgParallel.setSelected(true);
  struct Case {
    const char* address;
    uint8_t bits;
    const char* inv;
    Calls on_off;
  } cases[] = {
      {"378", 0x01, "Нет", {"io 0378=01", "io 0378=00"}},
      {"378", 0x01, "Да", {"io 0378=00", "io 0378=01"}},
      {"278", 0xFF, "Нет", {"io 0278=FF", "io 0278=00"}},
      {"3bc", 0x80, "Нет", {"io 03BC=80", "io 03BC=00"}},
      {"378", 0x00, "Нет", {"io 0378=00", "io 0378=00"}},
      {"12378", 0x01, "Нет", {"io 2378=01", "io 2378=00"}},  // low 16 bits only
  };
  for (const Case& c : cases) {
    settings_.cbAdress.setText(c.address);
    settings_.cbInv.setText(c.inv);
    auto bits = settings_.dataBits();
    for (size_t n = 0; n < 8; ++n) {
      bits[n]->setState(c.bits & (1 << n) ? CheckState::Checked : CheckState::Unchecked);
    }
    ptt_.PttOn();
    ptt_.PttOff();
    EXPECT_EQ(log_.take(), c.on_off) << c.address;
  }
  EXPECT_FALSE(serial_.isOpen);
}

TEST_F(PttControlTest, BadAddressRaisesBeforeWritingOrApplyingTheMixer) {
  settings_.rgParallel.setSelected(true);
  settings_.chMixer.setState(CheckState::Checked);
  for (const char* text : {"37G", "", " 378", "$378", "-1"}) {
    settings_.cbAdress.setText(text);
    try {
      ptt_.PttOff();
      FAIL() << text;
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.what(), "'$" + std::string(text) + "' is not a valid integer value");
    }
    EXPECT_NO_THROW(ptt_.releaseLine());
  }
  EXPECT_TRUE(log_.calls.empty());
}

TEST_F(PttControlTest, PortChoiceAndHandlers) {
  // The port chosen at build time is COM2; a text without a valid fifth character keeps it.
  settings_.cbSerialNum.setText("COM3");
  ptt_.SelectSerialPort();
  EXPECT_EQ(ptt_.serialPortName(), "\\\\.\\COM2");
  ptt_.rgSerialClick();
  EXPECT_EQ(log_.take(), (Calls{"serial open \\\\.\\COM2", "DTR off"}));

  // rgSerialClick while open does not move the port; cbSerialNumChange does.
  settings_.cbSerialNum.setText("COM 4");
  ptt_.rgSerialClick();
  EXPECT_EQ(log_.take(), (Calls{"DTR off"}));
  ptt_.cbSerialNumChange();
  EXPECT_EQ(log_.take(), (Calls{"serial close", "serial open \\\\.\\COM4", "DTR off"}));

  ptt_.rgParallelClick();
  EXPECT_EQ(log_.take(), (Calls{"serial close"}));
  settings_.rgParallel.setSelected(true);
  ptt_.cbSerialNumChange();  // parallel mode: nothing
  EXPECT_TRUE(log_.calls.empty());

  // A port that fails to open stays closed and ignores line changes silently.
  settings_.rgSerial.setSelected(true);
  serial_.failOpen = true;
  ptt_.rgSerialClick();
  ptt_.PttOn();
  EXPECT_EQ(log_.take(), (Calls{"serial open \\\\.\\COM4"}));
  EXPECT_FALSE(ptt_.serialPortOpen());
}

TEST_F(PttControlTest, DevicePathsNameTheSerialDeviceWhereAccepted) {
  PttControl linux_ptt(settings_, serial_, io_, presets_, PttControl::DevicePaths::Accepted);
  settings_.cbSerialNum.setText("/dev/ttyUSB0");
  linux_ptt.SelectSerialPort();
  EXPECT_EQ(linux_ptt.serialPortName(), "/dev/ttyUSB0");
  ptt_.SelectSerialPort();
  EXPECT_EQ(ptt_.serialPortName(), "\\\\.\\COM2");
}

TEST_F(PttControlTest, PttOffAppliesTheReceivePresetOnlyWithMixerControl) {
  mixer_device_.destinations = {{test::StandardLine(0, 0, false), {test::StandardLine(1, 1, true)}},
                                {test::StandardLine(0, 0, false), {}}};
  AudioMixer mixer(mixer_device_);
  MixerPresets presets(mixer);
  presets.MixerReceive.lines[0] = {0, 0, 100, 200, 0};
  PttControl ptt(settings_, serial_, io_, presets);
  ptt.PttOff();
  EXPECT_TRUE(log_.calls.empty());
  settings_.chMixer.setState(CheckState::Checked);
  ptt.PttOff();
  EXPECT_EQ(log_.take(), (Calls{"mixer 0,0#0=100 200", "mixer 0,0#1=0", "mixer 0,0#1=0"}));
}

}  // namespace
}  // namespace kelvado
