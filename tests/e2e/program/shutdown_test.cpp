#include <gtest/gtest.h>
#include <csignal>
#include <filesystem>

#include "program/keyer_session.h"
#include "program/sound_checks.h"
#include "support/polling.h"
#include "unit/wave_fixture.h"

namespace kelvado::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// What an ordinary end leaves: the transmitter released and its port let go, the settings
// and the three mixer presets written.
void ExpectEndedInOrder(const KeyerSession& session) {
  const std::vector<PttEdge> edges = session.pttEdges();
  ASSERT_FALSE(edges.empty());
  EXPECT_FALSE(edges.back().keyed) << "the transmitter was left keyed";
  EXPECT_FALSE(session.serialPortOpen());
  EXPECT_TRUE(fs::exists(session.settingsFile()));
  for (const char* preset : {"RecMix.dat", "PlayMix.dat", "TransMix.dat"}) {
    SCOPED_TRACE(preset);
    ASSERT_TRUE(fs::exists(session.workFile(preset)));
    EXPECT_EQ(fs::file_size(session.workFile(preset)), 1000u);
  }
}

TEST(Shutdown, ExitCommandOnlyHidesAShownWindowAndEndsTheProgramWhenHidden) {
  KeyerSession session;
  session.start();
  session.openSettingsWindow();
  session.openTrayMenu();
  session.chooseMenuEntry("mnExit");
  ASSERT_TRUE(WaitForNoWindow(session.display(), "^Настройки$"));
  EXPECT_TRUE(fs::exists(session.settingsFile())) << "the close request saves the settings";
  EXPECT_FALSE(fs::exists(session.workFile("PlayMix.dat"))) << "ended with the window shown";

  session.openTrayMenu();  // still there
  session.chooseMenuEntry("mnExit");
  EXPECT_EQ(session.program().waitForExit(10s), 0) << session.programOutput();
  ExpectEndedInOrder(session);
}

TEST(Shutdown, SigtermDuringPlaybackEndsInOrderWithTheTransmitterReleased) {
  KeyerSession session;
  test::WriteWave(session.workFile("F1.wav"), Tone(5.0, 440, 16000));
  session.start();
  const Clock::time_point pressed = Clock::now();
  session.press({"F1"});
  ASSERT_TRUE(WaitUntil([&] { return !EdgesSince(session.pttEdges(), pressed).empty(); }));
  ASSERT_FALSE(fs::exists(session.settingsFile()));

  EXPECT_EQ(session.program().stop(SIGTERM), 0) << session.programOutput();
  ExpectEndedInOrder(session);
}

}  // namespace
}  // namespace kelvado::e2e
