#include <gtest/gtest.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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

// With KELVADO_DOCS_DIR set, the pictures of the real program that the documentation shows.
void SaveForDocs(const QImage& picture, const std::string& name) {
  const char* folder = std::getenv("KELVADO_DOCS_DIR");
  if (folder == nullptr) return;
  const std::string path = std::string(folder) + "/" + name;
  EXPECT_TRUE(picture.save(QString::fromStdString(path))) << path;
}

std::string SettingsText(const KeyerSession& session) {
  return test::ReadBytes(session.settingsFile());
}

TEST(SettingsWindow, OpensFromTheTrayMenuAndEscStoresTheEditsInTheSettingsFile) {
  KeyerSession session;
  session.start();

  const Rect icon = session.trayIcon();
  const Rect menu = session.openTrayMenu();
  EXPECT_EQ(menu.x, icon.x + icon.width / 2 - 10) << "the menu opens left of the pointer";
  EXPECT_EQ(menu.y, icon.y + icon.height / 2 - 10) << "the menu opens above the pointer";
  const QImage unchosen = session.grab(menu);
  session.highlightMenuEntry("mnSetup");
  EXPECT_TRUE(WaitUntil([&] { return session.grab(menu) != unchosen; }));
  SaveForDocs(session.grab(menu), "tray-menu.png");
  session.press({"Return"});

  const std::string window = session.settingsWindow();
  SaveForDocs(session.grab(*WindowGeometry(session.display(), window)), "settings-window.png");
  session.typeInto(window, "sePorog", "42");
  session.clickControl(window, "chkBit3");
  session.clickControl(window, "chAutoRepeat");  // a setting of this run only
  session.press({"Escape"});
  ASSERT_TRUE(WaitForNoWindow(session.display(), "^Настройки$")) << "Esc leaves the window open";

  const std::string settings = SettingsText(session);
  EXPECT_NE(settings.find("\nsePorog_Value=42\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("\nchkBit3_State=cbChecked\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("\nchkBit1_State=cbChecked\n"), std::string::npos) << settings;
  EXPECT_EQ(settings.find("AutoRepeat"), std::string::npos) << settings;
  EXPECT_TRUE(session.program().running());
}

TEST(SettingsWindow, ASerialDeviceTypedAsItsPathCarriesThePttNowAndAfterARestart) {
  const std::string kPort = KeyerSession::kUsbSerial;
  KeyerSession session;
  test::WriteWave(session.workFile("F1.wav"), Tone(0.5, 440, 16000));
  session.start();
  const std::string window = session.openSettingsWindow();
  session.typeInto(window, "cbSerialNum", kPort);
  session.press({"Escape"});
  ASSERT_TRUE(WaitForNoWindow(session.display(), "^Настройки$"));
  EXPECT_TRUE(session.serialPortOpen(kPort));
  EXPECT_FALSE(session.serialPortOpen(KeyerSession::kComOne));
  EXPECT_NE(SettingsText(session).find("\ncbSerialNum_Text=" + kPort + "\n"), std::string::npos);

  const auto f1_keys_only_that_port = [&] {
    const Clock::time_point pressed = Clock::now();
    session.press({"F1"});
    EXPECT_TRUE(WaitUntil([&] { return EdgesSince(session.pttEdges(kPort), pressed).size() == 2; }))
        << "F1 does not key the PTT on " << kPort;
    EXPECT_TRUE(EdgesSince(session.pttEdges(KeyerSession::kComOne), pressed).empty());
  };
  f1_keys_only_that_port();

  ASSERT_EQ(session.program().stop(SIGTERM), 0);
  session.start();
  EXPECT_TRUE(session.serialPortOpen(kPort)) << "not opened at the next start";
  EXPECT_TRUE(session.pttEdges(KeyerSession::kComOne).empty()) << "COM 1 opened at start";
  f1_keys_only_that_port();
}

TEST(SettingsWindow, AutoRepeatPlaysTheLastPhraseAgainAfterTheDelayUntilF9) {
  constexpr auto kDelay = 3s;  // seAuto's minimum
  KeyerSession session;
  test::WriteWave(session.workFile("F1.wav"), Tone(1.0, 440, 16000));
  session.start();
  const std::string window = session.openSettingsWindow();
  session.clickControl(window, "chAutoRepeat");
  session.typeInto(window, "seAuto", "3");
  session.press({"Escape"});
  ASSERT_TRUE(WaitForNoWindow(session.display(), "^Настройки$"));

  const OnAir air = PressAndListen(session, "F1", 2);
  ASSERT_EQ(air.edges.size(), 4u);
  const Clock::duration pause = air.edges[2].time - air.edges[1].time;
  std::printf("[ figures  ] repeat keyed %.0f ms after the release\n", test::Ms(pause));
  // The repeat timer starts when the poll releases the transmitter.
  EXPECT_GE(pause, kDelay - 10ms);
  EXPECT_LT(pause, kDelay + 2s);
  const std::optional<test::LoudSpan> both = air.sound;
  ASSERT_TRUE(both);
  EXPECT_GT(Seconds(both->length()), 2.0 + std::chrono::duration<double>(kDelay).count() - 0.1)
      << "the phrase did not go on air twice";
  EXPECT_GE(air.edges[3].time, air.lastArrived) << "the repeat was cut short";

  EXPECT_TRUE(WaitUntil([&] { return session.trayIconShows(KeyerSession::Tint::Red); }))
      << "no stopwatch while waiting to repeat";
  const Clock::time_point stopped = Clock::now();
  session.press({"F9"});
  EXPECT_TRUE(WaitUntil([&] { return !session.trayIconShows(KeyerSession::Tint::Red); }));
  std::this_thread::sleep_for(kDelay + 1s);
  EXPECT_TRUE(EdgesSince(session.pttEdges(), stopped).empty()) << "F9 did not end the repeats";
}

}  // namespace
}  // namespace kelvado::e2e
