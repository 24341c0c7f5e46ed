// The keyer's end-to-end tests. CTest runs each test in a process of its own, and each test
// starts its own desktop and program, so nothing one leaves behind reaches the next.
#include <gtest/gtest.h>
#include <cstdlib>

#include "pulse_daemon.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  // No session bus: the tray icon docks through the X11 protocol, in the tray host.
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  // The program and the test's own sound tools (parec, paplay, pactl) use the test server.
  kelvado::test::UsePulseDaemon();
  return RUN_ALL_TESTS();
}
