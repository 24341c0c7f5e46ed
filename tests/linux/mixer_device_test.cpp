#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "devices/alsa_mixer_device.h"
#include "mixer/mixer_presets.h"
#include "stderr_capture.h"

namespace kelvado {
namespace {

// The private daemon's sink "out" is the playback side of ALSA's default mixer, its default
// source "mic.monitor" the capture side.
struct PulseLevels {
  std::vector<int32_t> volume;  // raw, one per channel
  bool muted;
};

std::string Pactl(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"pactl"};
  argv.insert(argv.end(), args.begin(), args.end());
  std::string output;
  EXPECT_EQ(test::Run(argv, &output), 0) << "pactl " << args.front();
  return output;
}

// kind is "sink" or "source".
PulseLevels ReadLevels(const std::string& kind, const std::string& name) {
  PulseLevels levels;
  const std::string volume = Pactl({"get-" + kind + "-volume", name});
  static const std::regex kRaw(R"(: (\d+) /)");
  for (std::sregex_iterator i(volume.begin(), volume.end(), kRaw), end; i != end; ++i) {
    levels.volume.push_back(std::stoi((*i)[1]));
  }
  levels.muted = Pactl({"get-" + kind + "-mute", name}).find("yes") != std::string::npos;
  return levels;
}

// The mute goes first: once the mixer shows the new volume, it has the new mute as well.
void SetLevels(const std::string& kind, const std::string& name, const std::string& left,
               const std::string& right, bool muted) {
  Pactl({"set-" + kind + "-mute", name, muted ? "1" : "0"});
  Pactl({"set-" + kind + "-volume", name, left, right});
}

class MixerDeviceTest : public ::testing::Test {
 protected:
  // The server tells ALSA of a change made by another program a moment after that program
  // ends; applying a preset before then would race with the news. The volume must differ
  // from the one the device saw before.
  void WaitUntilDeviceSees(const PulseLevels& levels, const MixerLine& line) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::vector<uint32_t> seen;
    do {
      device_.getValues(line, 0, 2, seen);
      if (seen.size() == 2 && static_cast<int32_t>(seen[0]) == levels.volume[0] &&
          static_cast<int32_t>(seen[1]) == levels.volume[1]) {
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < deadline);
    FAIL() << "the mixer never showed the change";
  }

  // Full, unmuted levels for the playback tests that share the daemon.
  void TearDown() override {
    SetLevels("sink", "out", "100%", "100%", false);
    SetLevels("source", "mic.monitor", "100%", "100%", false);
  }

  AlsaMixerDevice device_;
};

// The operator sets the mixer in the system's mixer program and stores it as the receive
// preset; when the preset is applied after other changes, the mixer is back as it was.
TEST_F(MixerDeviceTest, PresetCapturedFromTheSoundServerIsAppliedBackExactly) {
  SetLevels("sink", "out", "30%", "45%", true);
  SetLevels("source", "mic.monitor", "20%", "60%", true);
  const PulseLevels playback = ReadLevels("sink", "out");
  const PulseLevels capture = ReadLevels("source", "mic.monitor");
  ASSERT_EQ(playback.volume.size(), 2u);
  ASSERT_EQ(capture.volume.size(), 2u);

  AudioMixer mixer(device_);
  ASSERT_EQ(mixer.deviceCount(), 1);
  ASSERT_TRUE(mixer.usable());
  ASSERT_EQ(mixer.connectionCount(0), 1);
  ASSERT_EQ(mixer.connectionCount(1), 1);
  MixerPresets presets(mixer);
  presets.sbMixerReciveClick();
  // Playback: volume and mute. Capture: volume, and the source selector item, which is off
  // while the source is muted.
  EXPECT_EQ(presets.MixerReceive.lines[0],
            (MixerLineSetting{0, 0, playback.volume[0], playback.volume[1], 1}));
  EXPECT_EQ(presets.MixerReceive.lines[1],
            (MixerLineSetting{1, 0, capture.volume[0], capture.volume[1], 0}));

  SetLevels("sink", "out", "80%", "80%", false);
  SetLevels("source", "mic.monitor", "90%", "90%", false);
  WaitUntilDeviceSees(ReadLevels("sink", "out"), {0, 0});
  WaitUntilDeviceSees(ReadLevels("source", "mic.monitor"), {1, 0});
  presets.applyPreset(presets.MixerReceive);
  const PulseLevels playback_after = ReadLevels("sink", "out");
  const PulseLevels capture_after = ReadLevels("source", "mic.monitor");
  EXPECT_EQ(playback_after.volume, playback.volume);
  EXPECT_TRUE(playback_after.muted);
  EXPECT_EQ(capture_after.volume, capture.volume);
  EXPECT_TRUE(capture_after.muted);
}

TEST_F(MixerDeviceTest, UnmutedLinesAndSelectedSourceComeBackUnmuted) {
  SetLevels("sink", "out", "50%", "50%", false);
  SetLevels("source", "mic.monitor", "50%", "50%", false);
  AudioMixer mixer(device_);
  MixerPresets presets(mixer);
  presets.sbMixerPlayClick();
  EXPECT_EQ(presets.MixerTransmit.lines[0].Mute, 0);
  EXPECT_EQ(presets.MixerTransmit.lines[1].Mute, 1);

  SetLevels("sink", "out", "40%", "40%", true);
  SetLevels("source", "mic.monitor", "40%", "40%", true);
  WaitUntilDeviceSees(ReadLevels("sink", "out"), {0, 0});
  WaitUntilDeviceSees(ReadLevels("source", "mic.monitor"), {1, 0});
  presets.applyPreset(presets.MixerTransmit);
  EXPECT_FALSE(ReadLevels("sink", "out").muted);
  EXPECT_FALSE(ReadLevels("source", "mic.monitor").muted);
}

// A system without the named control device has no mixer, and says nothing about it.
TEST(AlsaMixerWithoutDevice, CountsNoDeviceSilently) {
  test::StderrCapture stderr_capture;
  AlsaMixerDevice device("hw:99");
  AudioMixer mixer(device);
  MixerPresets presets(mixer);
  presets.MixerWork.lines[0] = {7, 7, 7, 7, 7};
  presets.CaptureMixer();
  presets.ApplyMixer();
  EXPECT_EQ(mixer.deviceCount(), 0);
  EXPECT_EQ(presets.MixerWork.lines[0], (MixerLineSetting{7, 7, 7, 7, 7}));
  EXPECT_EQ(stderr_capture.text(), "");
}

}  // namespace
}  // namespace kelvado
