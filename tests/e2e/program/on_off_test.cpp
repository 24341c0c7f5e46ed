#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

#include "program/keyer_session.h"
#include "program/on_air.h"
#include "program/sound_checks.h"
#include "support/polling.h"
#include "support/temp_directory.h"
#include "unit/wave_fixture.h"

namespace kelvado::e2e {
namespace {

// Another program with the keyboard focus, which writes down the keys that reach it. A key
// typed after others is a marker: X delivers in order, so once it has arrived, so has every
// key before it that was going to.
class FocusedProgram {
 public:
  explicit FocusedProgram(KeyerSession& session)
      : session_(session),
        typed_(session.scratchFile("typed.txt")),
        probe_({KELVADO_WINDOW_PROBE, "Probe"},
               {.environment = {{"DISPLAY", session.display()}}, .output = typed_}) {
    const std::optional<std::string> window = WaitForWindow(session.display(), "^Probe$");
    if (!window) throw std::runtime_error("the probe window does not show");
    MoveWindow(session.display(), *window, 400, 300);  // off the tray
    FocusWindow(session.display(), *window);
  }

  // What reached this program of `keys` followed by the marker "m".
  std::string receivedOf(std::vector<std::string> keys) {
    const size_t before = FileText(typed_).size();
    keys.push_back("m");
    session_.press(keys);
    std::string typed;
    EXPECT_TRUE(WaitUntil([&] { return (typed = FileText(typed_)).ends_with("m"); }));
    return typed.substr(before, typed.size() - before - 1);
  }
  // Everything that reached this program, markers included.
  std::string typed() const { return FileText(typed_); }

 private:
  KeyerSession& session_;
  std::string typed_;
  ChildProcess probe_;
};

TEST(OnOffSwitch, OffGivesTheKeysToOtherProgramsAndKeysNothingUntilF11SwitchesItOnAgain) {
  KeyerSession session;
  test::WriteWave(session.workFile("F1.wav"), Tone(0.5, 440, 16000));
  session.start();
  FocusedProgram other(session);

  EXPECT_EQ(other.receivedOf({"F10"}), "") << "F10 is claimed while the recorder is on";
  EXPECT_TRUE(PressAndListen(session, "F1").sound) << "F1 plays while the recorder is on";

  const Clock::time_point switched_off = Clock::now();
  session.press({"F11"});
  ASSERT_TRUE(WaitUntil([&] { return session.trayIconShows(KeyerSession::Tint::Red); }))
      << "no 'off' picture";
  EXPECT_FALSE(session.serialPortOpen()) << "the serial port stays open while off";
  EXPECT_EQ(other.receivedOf({"F1", "F5", "F9", "F10"}), "<F1><F5><F9><F10>");
  EXPECT_TRUE(EdgesSince(session.pttEdges(), switched_off).empty()) << "keyed while off";

  EXPECT_EQ(other.receivedOf({"F11"}), "") << "F11 stays the keyer's, to switch it on";

  ASSERT_TRUE(WaitUntil([&] { return !session.trayIconShows(KeyerSession::Tint::Red); }))
      << "not switched on";
  EXPECT_TRUE(session.serialPortOpen());
  EXPECT_FALSE(session.pttEdges().back().keyed) << "switching on releases the PTT";
  EXPECT_TRUE(PressAndListen(session, "F1").sound) << "F1 plays again once switched on";

  EXPECT_EQ(other.receivedOf({}), "");
  EXPECT_EQ(other.typed(), "m<F1><F5><F9><F10>mmm") << "F1 reached the other program while on";
}

}  // namespace
}  // namespace kelvado::e2e
