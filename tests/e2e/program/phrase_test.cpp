#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <thread>

#include "playback_timing.h"
#include "program/keyer_session.h"
#include "program/on_air.h"
#include "program/sound_checks.h"
#include "support/polling.h"
#include "unit/wave_fixture.h"

namespace kelvado::e2e {
namespace {

using namespace std::chrono_literals;
using test::Ms;

constexpr double kPhraseSeconds = 1.5;
constexpr double kPhraseHz = 440;
constexpr int kPhraseAmplitude = 16000;

// The sound is the phrase whole: its length, its pitch, its level, and no dropout.
void ExpectTone(const OnAir& air, double seconds, double frequency, int amplitude) {
  ASSERT_TRUE(air.sound) << "nothing reached the air";
  EXPECT_NEAR(Seconds(air.sound->length()), seconds, 0.02);
  EXPECT_NEAR(test::ZeroCrossingFrequency(air.samples, *air.sound, kRate), frequency,
              frequency * 0.02);
  EXPECT_NEAR(Rms(air.samples, *air.sound), amplitude / std::sqrt(2.0), amplitude * 0.05);
  EXPECT_LT(Seconds(LongestQuietRun(air.samples, *air.sound)), 0.002) << "a gap on air";
}

TEST(Phrases, F1KeysTheTransmitterForTheWholePhraseAndReleasesItAfterItsLastSample) {
  KeyerSession session;
  test::WriteWave(session.workFile("F1.wav"), Tone(kPhraseSeconds, kPhraseHz, kPhraseAmplitude));
  session.start();

  for (int run = 1; run <= 3; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const OnAir air = PressAndListen(session, "F1");
    ASSERT_EQ(air.edges.size(), 2u);
    ASSERT_TRUE(air.edges[0].keyed);
    ExpectTone(air, kPhraseSeconds, kPhraseHz, kPhraseAmplitude);
    if (!air.sound) continue;

    const Clock::time_point keyed = air.edges[0].time, released = air.edges[1].time;
    std::printf(
        "[ figures  ] run %d: key press -> PTT keyed %.1f ms (xdotool itself took %.1f ms), "
        "PTT keyed -> first sample at the sink %.1f ms, last sample -> PTT released %.1f ms\n",
        run, Ms(keyed - air.pressed), Ms(air.pressReturned - air.pressed),
        Ms(air.firstArrived - keyed), Ms(released - air.lastArrived));
    // A sample's arrival here is never before it reached the sink, so these orders hold on
    // the air as well.
    EXPECT_GE(air.firstArrived, keyed) << "sound went out before the transmitter was keyed";
    EXPECT_GE(released, air.lastArrived) << "the transmitter was released during the phrase";
  }

  // F1 again while the phrase plays starts it afresh, the transmitter keyed throughout.
  const OnAir restarted = Listen(session, [&] {
    const Clock::time_point first = Clock::now();
    session.press({"F1"});
    WaitUntil([&] { return !EdgesSince(session.pttEdges(), first).empty(); });
    std::this_thread::sleep_for(500ms);
    session.press({"F1"});
  });
  EXPECT_EQ(restarted.edges.size(), 2u) << "the transmitter dropped between the two";
  ASSERT_TRUE(restarted.sound);
  EXPECT_GT(Seconds(restarted.sound->length()), kPhraseSeconds + 0.4) << "not started afresh";
  EXPECT_GE(restarted.edges.back().time, restarted.lastArrived);

  // F9 cuts the phrase short, and the poll releases the transmitter. The sound stops at
  // once, so what is still on its way to the sink is a few milliseconds of a phrase the
  // operator cut anyway: the order of its last sample and the release is printed, not held.
  const OnAir stopped = Listen(session, [&] {
    const Clock::time_point first = Clock::now();
    session.press({"F1"});
    WaitUntil([&] { return !EdgesSince(session.pttEdges(), first).empty(); });
    std::this_thread::sleep_for(500ms);
    session.press({"F9"});
  });
  EXPECT_EQ(stopped.edges.size(), 2u);
  ASSERT_TRUE(stopped.sound);
  EXPECT_LT(Seconds(stopped.sound->length()), kPhraseSeconds - 0.5) << "F9 did not stop it";
  std::printf("[ figures  ] stopped by F9: last sample -> PTT released %.1f ms\n",
              test::Ms(stopped.edges.back().time - stopped.lastArrived));
}

// Whether the program's recording stream is open on the sound server.
bool Recording() {
  return !RunCommand({"pactl", "list", "short", "source-outputs"}).output.empty();
}

TEST(Phrases, F5RecordsTheSoundCardUntilF9AndTheRecordingIsTrimmedToItsSoundAndPlays) {
  constexpr double kSignalSeconds = 1.0, kSignalHz = 1000, kSilence = 0.8, kMargin = 0.2;
  constexpr int kSignalAmplitude = 20000;  // above the default threshold 100 × 128
  KeyerSession session;
  const std::string signal = session.scratchFile("signal.wav");
  test::WriteWave(signal, Tone(kSignalSeconds, kSignalHz, kSignalAmplitude));
  session.start();

  const Clock::time_point pressed = Clock::now();
  session.press({"F5"});
  ASSERT_TRUE(WaitUntil(Recording)) << "F5 does not record";
  EXPECT_TRUE(WaitUntil([&] { return session.trayIconShows(KeyerSession::Tint::Orange); }));
  const Clock::time_point recording = Clock::now();
  std::this_thread::sleep_for(std::chrono::duration<double>(kSilence));
  ASSERT_EQ(RunCommand({"paplay", "-d", "mic", signal}).status, 0);
  std::this_thread::sleep_for(std::chrono::duration<double>(kSilence));
  session.press({"F9"});
  const double recorded_seconds = std::chrono::duration<double>(Clock::now() - recording).count();
  EXPECT_TRUE(WaitUntil([] { return !Recording(); })) << "F9 does not end the recording";
  EXPECT_TRUE(EdgesSince(session.pttEdges(), pressed).empty()) << "a recording keyed the PTT";

  // The recording goes on air as phrase 1; once it plays, F9 has saved and trimmed it.
  const OnAir air = PressAndListen(session, "F1");
  ExpectTone(air, kSignalSeconds, kSignalHz, kSignalAmplitude);

  const std::string file = test::ReadBytes(session.workFile("F1.wav"));
  const std::vector<int16_t> samples = test::ReadSamples(session.workFile("F1.wav"));
  const std::string canonical = session.scratchFile("canonical.wav");
  test::WriteWave(canonical, samples);
  EXPECT_EQ(file.substr(0, 44), test::ReadBytes(canonical).substr(0, 44))
      << "not the canonical 16-bit mono 22050 Hz layout, or its sizes are wrong";
  const std::optional<test::LoudSpan> sound = test::FindLoudSpan(samples, kLoudness);
  ASSERT_TRUE(sound) << "the recording holds no signal";
  EXPECT_NEAR(Seconds(sound->length()), kSignalSeconds, 0.02);
  EXPECT_NEAR(test::ZeroCrossingFrequency(samples, *sound, kRate), kSignalHz, kSignalHz * 0.02);
  EXPECT_NEAR(Seconds(sound->first), kMargin, 0.01) << "quiet kept before the signal";
  EXPECT_NEAR(Seconds(samples.size() - 1 - sound->last), kMargin, 0.01)
      << "quiet kept after the signal";
  EXPECT_GT(recorded_seconds - Seconds(samples.size()), 2 * (kSilence - kMargin) - 0.05)
      << "the silence around the signal was not cut";
  std::printf("[ figures  ] recorded %.2f s, kept %.3f s: %.3f s before the signal, %.3f s after\n",
              recorded_seconds, Seconds(samples.size()), Seconds(sound->first),
              Seconds(samples.size() - 1 - sound->last));
}

}  // namespace
}  // namespace kelvado::e2e
