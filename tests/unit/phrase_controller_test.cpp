#include "phrases/phrase_controller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "unit/fakes.h"
#include "unit/wave_fixture.h"

namespace kelvado {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

// The controller wired to fakes on virtual time, with the device open on an empty element
// and COM1 open, as after start-up.
class PhraseControllerTest : public ::testing::Test {
 protected:
  PhraseControllerTest() {
    device_.recordedSamples = Speech();
    mixer_device_.destinations = {
        {test::StandardLine(0, 0, false), {test::StandardLine(5, 5, false)}},
        {test::StandardLine(0, 0, false), {}}};
    presets_.MixerReceive.lines[0] = {0, 0, 1, 1, 0};
    presets_.MixerTransmit.lines[0] = {0, 0, 2, 2, 0};
    presets_.MixerRecord.lines[0] = {0, 0, 3, 3, 0};
    timer_.onTimer = [this] { controller_.TimerTimer(); };
    timer_auto_.onTimer = [this] { controller_.TimerAutoTimer(); };
    clock_.add(timer_);
    clock_.add(timer_auto_);
    player_.open();
    ptt_.SelectSerialPort();
    ptt_.OpenSerialPort();
    test::WriteWave("signature.wav", {});
    log_.take();
  }

  // 1 s of quiet, 1 s of loud sound, 1 s of quiet.
  static std::vector<int16_t> Speech() {
    std::vector<int16_t> s(3 * 22050, 0);
    for (size_t i = 22050; i < 2 * 22050; ++i) s[i] = 20000;
    return s;
  }

  void tick() { clock_.advance(55); }

  test::ScopedWorkDir dir_;
  test::CallLog log_;
  SettingsRecord settings_;
  test::FakeWaveDevice device_{log_};
  MediaPlayer player_{device_};
  test::FakeSerialPort serial_{log_};
  test::FakeIoPort io_{log_};
  test::FakeMixerDevice mixer_device_{log_};
  AudioMixer mixer_{mixer_device_};
  MixerPresets presets_{mixer_};
  PttControl ptt_{settings_, serial_, io_, presets_};
  Timer timer_{55, true};
  Timer timer_auto_{0, false};
  test::FakePhraseUi ui_{log_};
  PhraseController controller_{settings_, player_, ptt_, presets_, timer_auto_, ui_};
  test::VirtualClock clock_;
};

TEST_F(PhraseControllerTest, PlayKeysThePttAndThePollReleasesItWhenPlaybackEnds) {
  test::WriteWave("F1.wav", {1, 2, 3});
  tick();  // the first tick sees the idle device as a change and releases the line
  EXPECT_EQ(log_.take(), (Calls{"DTR off"}));
  EXPECT_EQ(ui_.icon, 0);

  controller_.PlayPhrase(1);
  EXPECT_EQ(log_.take(), (Calls{"stop", "DTR on", "close", "open F1.wav", "play"}));
  tick();
  EXPECT_EQ(ui_.icon, 1);
  EXPECT_TRUE(serial_.dtr);
  tick();
  EXPECT_TRUE(log_.calls.empty());  // no change of mode: nothing but the icon

  device_.finishPlayback();
  tick();
  EXPECT_EQ(log_.take(), (Calls{"DTR off"}));
  EXPECT_EQ(ui_.icon, 0);
  EXPECT_FALSE(timer_auto_.enabled());
}

TEST_F(PhraseControllerTest, MissingPhraseStopsButNeverKeys) {
  controller_.RecordPhrase(1);
  log_.take();
  controller_.PlayPhrase(2);
  EXPECT_EQ(log_.take(), (Calls{"stop", "save F1.wav", "close", "open F1.wav"}));
  EXPECT_EQ(controller_.RepeatArmed, 0);
  tick();
  EXPECT_EQ(ui_.icon, 0);
}

TEST_F(PhraseControllerTest, ReplayingTheSamePhraseKeepsTheTransmitterKeyed) {
  test::WriteWave("F1.wav", {1, 2, 3});
  controller_.PlayPhrase(1);
  tick();
  log_.take();
  controller_.PlayPhrase(1);
  tick();
  EXPECT_EQ(log_.take(), (Calls{"stop", "DTR on", "close", "open F1.wav", "play"}));
  EXPECT_TRUE(serial_.dtr);
}

TEST_F(PhraseControllerTest, MixerPresetsFollowPlaybackWhenMixerControlIsOn) {
  settings_.chMixer.setState(CheckState::Checked);
  test::WriteWave("F1.wav", {1, 2, 3});
  controller_.PlayPhrase(1);
  const Calls receive = {"mixer 0,0#0=1 1", "mixer 0,0#1=0", "mixer 0,0#1=0"};
  const Calls transmit = {"mixer 0,0#0=2 2", "mixer 0,0#1=0", "mixer 0,0#1=0"};
  Calls expected = {"stop"};
  expected.insert(expected.end(), receive.begin(), receive.end());
  expected.push_back("DTR on");
  expected.insert(expected.end(), transmit.begin(), transmit.end());
  expected.insert(expected.end(), {"close", "open F1.wav", "play"});
  EXPECT_EQ(log_.take(), expected);
}

TEST_F(PhraseControllerTest, RecordingIsSavedTrimmedAndReopened) {
  test::WriteWave("F1.wav", {7, 7, 7});
  controller_.RecordPhrase(1);
  EXPECT_EQ(log_.take(), (Calls{"stop", "DTR off", "close", "open F1.wav", "record"}));
  EXPECT_TRUE(controller_.Recording);
  tick();
  EXPECT_EQ(ui_.icon, 2);

  controller_.StopAll();
  EXPECT_EQ(log_.take(), (Calls{"stop", "save F1.wav", "close", "open F1.wav"}));
  EXPECT_FALSE(controller_.Recording);
  EXPECT_EQ(test::ReadSamples("F1.wav").size(), 22050u + 2 * 4400 - 2);
  tick();  // recording turned into stopped: PttOff
  EXPECT_EQ(log_.take(), (Calls{"DTR off"}));
}

TEST_F(PhraseControllerTest, WithoutTrimmingTheRecordingStaysAsSaved) {
  settings_.chAuto.setState(CheckState::Unchecked);
  controller_.RecordPhrase(3);
  controller_.StopAll();
  EXPECT_EQ(test::ReadSamples("F3.wav"), Speech());
}

TEST_F(PhraseControllerTest, PlayDuringRecordingSavesTheRecordingFirst) {
  controller_.RecordPhrase(1);
  log_.take();
  controller_.PlayPhrase(1);
  EXPECT_EQ(log_.take(), (Calls{"stop", "save F1.wav", "close", "open F1.wav", "DTR on", "close",
                                "open F1.wav", "play"}));
}

TEST_F(PhraseControllerTest, RecordingInterruptingPlaybackReleasesThePttFirst) {
  test::WriteWave("F1.wav", {1, 2, 3});
  controller_.PlayPhrase(1);
  tick();
  log_.take();
  controller_.RecordPhrase(2);
  tick();
  EXPECT_EQ(log_.take(), (Calls{"stop", "DTR off", "close", "open F2.wav", "record"}));
  EXPECT_FALSE(serial_.dtr);
}

TEST_F(PhraseControllerTest, DeclinedConfirmationLeavesThePhraseAlone) {
  settings_.chConfRecord.setState(CheckState::Checked);
  test::WriteWave("F1.wav", {7, 7, 7});
  ui_.answers = {{2, {}}};
  controller_.RecordPhrase(1);
  EXPECT_EQ(log_.take(), (Calls{"stop", "DTR off", "confirm dialog"}));
  EXPECT_EQ(test::ReadSamples("F1.wav"), (std::vector<int16_t>{7, 7, 7}));
  EXPECT_FALSE(controller_.Recording);
}

TEST_F(PhraseControllerTest, EachRecordRequestReadsItsOwnDialog) {
  settings_.chConfRecord.setState(CheckState::Checked);
  settings_.chAuto.setState(CheckState::Unchecked);
  test::WriteWave("F2.wav", {2, 2});
  // The first dialog is answered yes only after a second request, whose own dialog is
  // answered yes, has started recording phrase 2 inside the wait.
  ui_.answers = {{kModalYes, [this] { controller_.RecordPhrase(2); }}, {kModalYes, {}}};
  controller_.RecordPhrase(1);
  EXPECT_EQ(ui_.dialogsShown, 2);
  // Phrase 2's recording was finished, not thrown away, before phrase 1 started.
  EXPECT_EQ(test::ReadSamples("F2.wav"), Speech());
  EXPECT_EQ(player_.FileName, "F1.wav");
  EXPECT_EQ(device_.currentMode(), kModeRecording);

  controller_.StopAll();
  ui_.answers = {{2, [this] { controller_.RecordPhrase(3); }}, {kModalYes, {}}};
  controller_.RecordPhrase(4);  // outer declined, inner accepted
  EXPECT_EQ(player_.FileName, "F3.wav");
  EXPECT_EQ(device_.currentMode(), kModeRecording);
  EXPECT_FALSE(fs::exists("F4.wav"));
}

TEST_F(PhraseControllerTest, AutoRepeatCycleAndItsEnd) {
  settings_.chAutoRepeat.setState(CheckState::Checked);
  test::WriteWave("F1.wav", {1, 2, 3});
  controller_.PlayPhrase(1);
  settings_.chAutoRepeat.setState(CheckState::Unchecked);  // does not end a running cycle
  tick();
  device_.finishPlayback();
  tick();
  EXPECT_EQ(ui_.icon, 4);
  EXPECT_TRUE(timer_auto_.enabled());
  EXPECT_EQ(timer_auto_.interval(), 10000);
  log_.take();

  clock_.advance(9900);
  EXPECT_FALSE(serial_.dtr);
  clock_.advance(100);
  EXPECT_TRUE(serial_.dtr);
  EXPECT_EQ(log_.take(), (Calls{"DTR on", "close", "open F1.wav", "play"}));
  EXPECT_FALSE(timer_auto_.enabled());
  tick();
  EXPECT_EQ(ui_.icon, 1);

  device_.finishPlayback();
  tick();
  EXPECT_TRUE(timer_auto_.enabled());
  controller_.StopAll();  // F9 during the wait
  EXPECT_EQ(controller_.RepeatArmed, 0);
  EXPECT_FALSE(timer_auto_.enabled());
  tick();
  EXPECT_EQ(ui_.icon, 0);
}

TEST_F(PhraseControllerTest, RequestsWhileStopBusyAreIgnoredEntirely) {
  controller_.StopBusy = true;
  controller_.PlayPhrase(1);
  controller_.RecordPhrase(1);
  EXPECT_TRUE(log_.calls.empty());
}

TEST_F(PhraseControllerTest, IdleStopResetsMixerButNotThePtt) {
  settings_.chMixer.setState(CheckState::Checked);
  controller_.StopAll();
  EXPECT_EQ(log_.take(), (Calls{"stop", "mixer 0,0#0=1 1", "mixer 0,0#1=0", "mixer 0,0#1=0"}));
}

TEST_F(PhraseControllerTest, PollShowsTheOffPictureWhileSwitchedOff) {
  controller_.IconState = 3;
  tick();
  EXPECT_EQ(ui_.icon, 3);
}

// After an error: the line released, no recording pending, a device open, StopBusy clear.
void ExpectSafeState(const PhraseController& c, const test::FakeSerialPort& serial,
                     const test::FakeWaveDevice& device) {
  EXPECT_FALSE(serial.dtr);
  EXPECT_FALSE(c.Recording);
  EXPECT_FALSE(c.StopBusy);
  EXPECT_TRUE(device.isOpen);
}

TEST_F(PhraseControllerTest, MissingTemplateKeepsTheOldPhraseAndStartsNothing) {
  fs::remove("signature.wav");
  test::WriteWave("F1.wav", {7, 7, 7});
  try {
    controller_.RecordPhrase(1);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file signature.wav");
  }
  EXPECT_EQ(test::ReadSamples("F1.wav"), (std::vector<int16_t>{7, 7, 7}));
  ExpectSafeState(controller_, serial_, device_);
  EXPECT_NE(device_.currentMode(), kModeRecording);
  controller_.StopAll();  // the next stop works
}

TEST_F(PhraseControllerTest, PhraseTheDeviceCannotOpenReleasesThePtt) {
  test::WriteWave("F1.wav", {1});
  device_.unopenable = "F1.wav";
  try {
    controller_.PlayPhrase(1);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Файл не найден");
  }
  EXPECT_EQ(log_.take(), (Calls{"stop", "DTR on", "close", "open F1.wav", "DTR off", "open F1.wav",
                                "open <new>"}));
  ExpectSafeState(controller_, serial_, device_);
}

TEST_F(PhraseControllerTest, RepeatOfAVanishedPhraseReleasesThePtt) {
  settings_.chAutoRepeat.setState(CheckState::Checked);
  test::WriteWave("F1.wav", {1});
  controller_.PlayPhrase(1);
  device_.finishPlayback();
  tick();
  fs::remove("F1.wav");
  EXPECT_THROW(clock_.advance(10000), Error);
  ExpectSafeState(controller_, serial_, device_);
  EXPECT_EQ(player_.FileName, "");
}

TEST_F(PhraseControllerTest, TrimmerErrorLeavesTheRecordingAndASafeState) {
  controller_.RecordPhrase(1);
  fs::create_directory("~temp.wav");
  try {
    controller_.StopAll();
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot create file ~temp.wav");
  }
  EXPECT_EQ(test::ReadSamples("F1.wav"), Speech());
  ExpectSafeState(controller_, serial_, device_);
  EXPECT_EQ(device_.element, "F1.wav");
}

TEST_F(PhraseControllerTest, FailedReleaseInThePollIsReportedOncePerChange) {
  settings_.rgParallel.setSelected(true);
  settings_.cbAdress.setText("xyz");
  EXPECT_THROW(tick(), ConversionError);
  EXPECT_NO_THROW(tick());
}

}  // namespace
}  // namespace kelvado
