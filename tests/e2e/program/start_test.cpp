#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>

#include "playback_timing.h"
#include "program/keyer_session.h"
#include "support/polling.h"

namespace kelvado::e2e {
namespace {

using namespace std::chrono_literals;

TEST(ProgramStart, ShowsTheSettingsBrieflyLivesInTheTrayAndRefusesASecondCopy) {
  KeyerSession session;
  const Clock::duration shown = session.start();
  std::printf("[ figures  ] start-up settings window seen for %.0f ms\n", test::Ms(shown));

  const Rect icon = session.trayIcon();
  EXPECT_FALSE(session.trayIconShows(KeyerSession::Tint::Red)) << "the recorder starts switched on";
  const std::vector<PttEdge> edges = session.pttEdges();
  ASSERT_FALSE(edges.empty()) << "the serial port was not opened";
  EXPECT_FALSE(edges.back().keyed) << "the transmitter is released at start";

  std::unique_ptr<ChildProcess> second = session.launch();
  std::vector<std::string> boxes;
  ASSERT_TRUE(WaitUntil([&] {
    return !(boxes = WindowsOfProcess(session.display(), second->pid())).empty();
  })) << "the second copy shows nothing";
  EXPECT_EQ(WindowTitle(session.display(), boxes.front()), "Кельвадо");
  FocusWindow(session.display(), boxes.front());
  session.press({"Return"});
  EXPECT_EQ(second->waitForExit(10s), 1);
  EXPECT_TRUE(session.program().running());
  EXPECT_EQ(session.trayIcon().x, icon.x) << "the first copy keeps its icon";
}

TEST(ProgramStart, WithoutASoundDeviceReportsTheFailureAndEndsWithStatusOne) {
  KeyerSession session;
  // ALSA's default device on a sound card that does not exist, and no sound server.
  const std::string no_card = session.scratchFile("asound.conf");
  std::ofstream(no_card) << "pcm.!default { type hw card 99 }\nctl.!default { type hw card 99 }\n";
  std::unique_ptr<ChildProcess> program =
      session.launch({{"ALSA_CONFIG_PATH", no_card},
                      {"PULSE_SERVER", "unix:" + session.scratchFile("no-server")}});

  const std::optional<std::string> box = WaitForWindow(session.display(), "^Application Error$");
  ASSERT_TRUE(box) << session.programOutput();
  EXPECT_TRUE(FindWindows(session.display(), "^Настройки$").empty());
  FocusWindow(session.display(), *box);
  session.press({"Return"});
  EXPECT_EQ(program->waitForExit(10s), 1);
  EXPECT_NE(session.programOutput().find("Exception EMCIDeviceError in module kelvado at "),
            std::string::npos)
      << session.programOutput();
}

}  // namespace
}  // namespace kelvado::e2e
