#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "mixer/mixer_presets.h"
#include "unit/fakes.h"
#include "unit/wave_fixture.h"

namespace kelvado {
namespace {

using Calls = std::vector<std::string>;
using Line = test::FakeMixerDevice::Line;

class MixerTest : public ::testing::Test {
 protected:
  test::CallLog log_;
  test::FakeMixerDevice device_{log_};

  // Destination `d` with `n` standard connections whose volumes are d*100+c.
  test::FakeMixerDevice::Destination Standard(int d, int n) {
    test::FakeMixerDevice::Destination dest;
    for (int c = 0; c < n; ++c) {
      const auto v = static_cast<uint32_t>(d * 100 + c);
      dest.connections.push_back(test::StandardLine(v, v + 1000, c % 2 == 1));
    }
    return dest;
  }
};

TEST_F(MixerTest, CaptureRecordsDestinationZeroThenOneAndKeepsTheRest) {
  device_.destinations = {Standard(0, 2), Standard(1, 1)};
  AudioMixer mixer(device_);
  MixerPresets presets(mixer);
  presets.MixerWork.lines[3] = {7, 7, 7, 7, 7};
  presets.sbMixerPlayClick();
  EXPECT_EQ(presets.MixerTransmit.lines[0], (MixerLineSetting{0, 0, 0, 1000, 0}));
  EXPECT_EQ(presets.MixerTransmit.lines[1], (MixerLineSetting{0, 1, 1, 1001, 1}));
  EXPECT_EQ(presets.MixerTransmit.lines[2], (MixerLineSetting{1, 0, 100, 1100, 0}));
  EXPECT_EQ(presets.MixerTransmit.lines[3], (MixerLineSetting{7, 7, 7, 7, 7}));
  EXPECT_EQ(presets.MixerReceive, MixerSnapshot{});
  EXPECT_TRUE(log_.calls.empty());  // capture writes nothing
}

TEST_F(MixerTest, ControlChoiceRules) {
  // Line 0: a MULTIPLE volume and a disabled fader are passed over; a uniform fader reads
  // one channel; no mute switch, so the destination's selector gives the value.
  Line odd;
  odd.channels = 2;
  device_.addControl(odd, {kControlTypeVolume, kControlFlagMultiple, 2}, {9, 9});
  device_.addControl(odd, {kControlTypeVolume, kControlFlagDisabled, 0}, {8, 8});
  device_.addControl(odd, {kControlTypeVolume, kControlFlagUniform, 0}, {500});
  // Line 1: an unreadable mute is passed over; the next one counts.
  Line two = test::StandardLine(1, 2, false);
  two.unreadable[1] = true;
  device_.addControl(two, {kControlTypeMute, 0, 0}, {1, 1});
  test::FakeMixerDevice::Destination dest;
  dest.connections = {odd, two};
  device_.addControl(dest.line, {kControlTypeMux, kControlFlagUniform | kControlFlagMultiple, 2},
                     {1, 0});
  device_.destinations = {dest, Standard(1, 0)};

  AudioMixer mixer(device_);
  EXPECT_EQ(mixer.GetLineSetting(0, 0).leftVolume, 500);
  EXPECT_EQ(mixer.GetLineSetting(0, 0).rightVolume, -1);
  EXPECT_EQ(mixer.GetLineSetting(0, 0).mute, 1);  // item 0 of the selector
  EXPECT_EQ(mixer.GetLineSetting(0, 1).mute, 1);

  // Apply to line 0: the value goes back to the fader it was read from, the uniform one; the
  // selector (one source) is cleared and item 0 set, then set again by the mute step.
  mixer.SetLineSetting(0, 0, {300, 400, 1});
  mixer.SetLineMute(0, 0, true);
  EXPECT_EQ(log_.take(), (Calls{"mixer 0,0#2=300", "mixer 0,-1#0=1 0", "mixer 0,-1#0=1 0"}));
  mixer.SetLineMute(0, 1, false);  // line 1 has a switch: the selector is not touched
  EXPECT_EQ(log_.take(), (Calls{"mixer 0,1#1=0"}));
}

TEST_F(MixerTest, ApplyUsesTheLinesTheMixerHasNowAndRecordsTheirOwnNames) {
  device_.destinations = {Standard(0, 2), Standard(1, 1)};
  AudioMixer mixer(device_);
  MixerPresets presets(mixer);
  presets.MixerWork.lines[0] = {1, 0, 10, 11, 0};
  presets.MixerWork.lines[1] = {0, 5, 20, 21, 0};  // from another sound card: skipped
  presets.MixerWork.lines[2] = {0, 1, 30, -1, -1};
  presets.MixerWork.lines[3] = {0, 0, 40, 41, 0};  // beyond the three lines in use
  presets.ApplyMixer();
  EXPECT_EQ(log_.take(), (Calls{"mixer 1,0#0=10 11", "mixer 1,0#1=0", "mixer 1,0#1=0",
                                // Mute -1: left alone by the first call, switched on by the
                                // second (its low byte is not zero).
                                "mixer 0,1#0=30 30", "mixer 0,1#1=1"}));
}

TEST_F(MixerTest, ZeroPresetsSetConnectionZeroOncePerRecordInUse) {
  device_.destinations = {Standard(0, 2), Standard(1, 1)};
  AudioMixer mixer(device_);
  MixerPresets presets(mixer);
  presets.applyPreset(presets.MixerReceive);
  const Calls once = {"mixer 0,0#0=0 0", "mixer 0,0#1=0", "mixer 0,0#1=0"};
  Calls expected;
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), once.begin(), once.end());
  EXPECT_EQ(log_.take(), expected);
}

TEST_F(MixerTest, NoDeviceOrFailedOpenDoesNothing) {
  device_.destinations = {Standard(0, 2), Standard(1, 1)};
  device_.devices = 0;
  AudioMixer none(device_);
  MixerPresets presets(none);
  presets.sbMixerReciveClick();
  presets.ApplyMixer();
  EXPECT_EQ(presets.deviceCount(), 0);
  device_.devices = 1;
  device_.failOpen = true;
  AudioMixer failed(device_);
  MixerPresets presets2(failed);
  presets2.ApplyMixer();
  EXPECT_EQ(presets2.deviceCount(), 1);
  EXPECT_TRUE(log_.calls.empty());
}

TEST_F(MixerTest, NeverMoreThanFiftyRecords) {
  device_.destinations = {Standard(0, 40), Standard(1, 20)};
  AudioMixer mixer(device_);
  MixerPresets presets(mixer);
  presets.CaptureMixer();
  EXPECT_EQ(presets.MixerWork.lines[49], (MixerLineSetting{1, 9, 109, 1109, 1}));
  presets.ApplyMixer();
  EXPECT_EQ(log_.calls.size(), 50u * 3);
}

TEST_F(MixerTest, PresetFilesRoundTripInTheirOrder) {
  test::ScopedWorkDir dir;
  device_.destinations = {Standard(0, 1), Standard(1, 0)};
  AudioMixer mixer(device_);
  MixerPresets presets(mixer);
  presets.MixerRecord.lines[0] = {0, 0, -1, 2, 3};
  presets.MixerReceive.lines[49] = {1, 2, 3, 4, 5};
  presets.MixerTransmit.lines[1] = {0, 1, 65535, 0, 1};
  presets.savePresets();
  for (const char* f : {"RecMix.dat", "PlayMix.dat", "TransMix.dat"}) {
    EXPECT_EQ(std::filesystem::file_size(f), 1000u) << f;
  }
  const std::string rec = test::ReadBytes("RecMix.dat");
  EXPECT_EQ(rec.substr(0, 20), std::string("\0\0\0\0\0\0\0\0\xff\xff\xff\xff\2\0\0\0\3\0\0\0", 20));

  MixerPresets loaded(mixer);
  loaded.loadPresets();
  EXPECT_EQ(loaded.MixerRecord, presets.MixerRecord);
  EXPECT_EQ(loaded.MixerReceive, presets.MixerReceive);
  EXPECT_EQ(loaded.MixerTransmit, presets.MixerTransmit);
}

TEST_F(MixerTest, MissingAndShortFilesFillFromTheWorkingBlock) {
  test::ScopedWorkDir dir;
  device_.destinations = {Standard(0, 1), Standard(1, 0)};
  AudioMixer mixer(device_);
  MixerPresets presets(mixer);
  presets.MixerWork.lines[0] = {0, 0, 1, 2, 3};
  presets.SaveMixerFile("RecMix.dat");
  test::WriteBytes("TransMix.dat", std::string("\x09\0\0\0", 4));  // short: fills the start

  MixerPresets loaded(mixer);
  loaded.loadPresets();
  EXPECT_EQ(loaded.MixerReceive, loaded.MixerRecord);  // PlayMix.dat is missing
  EXPECT_EQ(loaded.MixerTransmit.lines[0], (MixerLineSetting{9, 0, 1, 2, 3}));
}

TEST_F(MixerTest, UnwritableFileRaisesAndKeepsTheOldOne) {
  test::ScopedWorkDir dir;
  device_.destinations = {Standard(0, 1), Standard(1, 0)};
  AudioMixer mixer(device_);
  MixerPresets presets(mixer);
  test::WriteBytes("RecMix.dat", std::string(1000, 'x'));
  std::filesystem::create_directory("~RecMix.dat.new");  // the temporary cannot be created
  try {
    presets.SaveMixerFile("RecMix.dat");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot create file RecMix.dat");
  }
  EXPECT_EQ(test::ReadBytes("RecMix.dat"), std::string(1000, 'x'));
}

}  // namespace
}  // namespace kelvado
