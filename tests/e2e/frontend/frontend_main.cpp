// Each test runs in a process of its own (CTest runs them one by one) with a fresh X server,
// so a grab or a tray icon left behind cannot reach the next test.
#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdlib>
#include <memory>

#include "frontend_session.h"

namespace kelvado::e2e {
namespace {

std::unique_ptr<TempDirectory> scratch;
std::unique_ptr<VirtualDesktop> desktop;

}  // namespace

VirtualDesktop& Desktop() {
  return *desktop;
}
const std::string& Display() {
  return desktop->display();
}
const TempDirectory& Scratch() {
  return *scratch;
}

bool ProcessEventsUntil(const std::function<bool()>& ready, std::chrono::milliseconds timeout) {
  QElapsedTimer clock;
  clock.start();
  while (!ready()) {
    if (clock.elapsed() >= timeout.count()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

}  // namespace kelvado::e2e

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

  using namespace kelvado::e2e;
  scratch = std::make_unique<TempDirectory>();
  desktop = std::make_unique<VirtualDesktop>(scratch->path());
  setenv("DISPLAY", desktop->display().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  setenv("XDG_RUNTIME_DIR", scratch->path().c_str(), 1);
  // No session bus: the tray icon docks through the X11 protocol, as with trayer.
  unsetenv("DBUS_SESSION_BUS_ADDRESS");

  int result;
  {
    QApplication application(argc, argv);
    result = RUN_ALL_TESTS();
  }
  desktop.reset();
  scratch.reset();
  return result;
}
