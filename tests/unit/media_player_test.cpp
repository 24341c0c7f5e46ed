#include "phrases/media_player.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "unit/fakes.h"
#include "unit/wave_fixture.h"

namespace kelvado {
namespace {

class MediaPlayerTest : public ::testing::Test {
 protected:
  test::ScopedWorkDir dir_;
  test::CallLog log_;
  test::FakeWaveDevice device_{log_};
  MediaPlayer player_{device_};
};

TEST_F(MediaPlayerTest, CommandsWithoutAnOpenDeviceRaiseNoMciDeviceOpen) {
  for (auto command :
       {&MediaPlayer::play, &MediaPlayer::startRecording, &MediaPlayer::stop, &MediaPlayer::save}) {
    try {
      (player_.*command)();
      FAIL();
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "No MCI device open");
    }
  }
  player_.close();  // nothing to close: no error, no command
  EXPECT_EQ(player_.mode(), kModeNotReady);
  EXPECT_TRUE(log_.calls.empty());
}

TEST_F(MediaPlayerTest, OpenClosesFirstAndRaisesTheDeviceText) {
  player_.open();
  test::WriteWave("F1.wav", {1, 2, 3});
  player_.FileName = "F1.wav";
  player_.open();
  EXPECT_EQ(log_.take(), (std::vector<std::string>{"open <new>", "close", "open F1.wav"}));

  player_.FileName = "F2.wav";
  try {
    player_.open();
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Файл не найден");
  }
  EXPECT_FALSE(player_.isOpen());

  device_.failOpens = true;
  device_.recordedSamples.clear();
  struct UnknownCodeDevice : test::FakeWaveDevice {
    using FakeWaveDevice::FakeWaveDevice;
    uint32_t open(const std::string&) override { return 999; }
  } unknown(log_);
  MediaPlayer other(unknown);
  try {
    other.open();
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Unknown error code");
  }
}

TEST_F(MediaPlayerTest, SaveSendsNothingWithoutAFileNameAndCloseFailureKeepsItOpen) {
  player_.open();
  log_.take();
  player_.save();
  EXPECT_TRUE(log_.calls.empty());
  device_.failCloses = true;
  player_.close();
  EXPECT_TRUE(player_.isOpen());
  player_.stop();  // still counts as open: no error
  EXPECT_EQ(log_.take(), (std::vector<std::string>{"close", "stop"}));
}

}  // namespace
}  // namespace kelvado
