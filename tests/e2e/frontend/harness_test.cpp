#include <gtest/gtest.h>
#include <QImage>
#include <csignal>
#include <fstream>
#include <sstream>

#include "frontend_session.h"
#include "support/child_process.h"
#include "support/polling.h"
#include "support/temp_directory.h"
#include "support/x_tools.h"

namespace kelvado::e2e {
namespace {

// The steps every program test takes: start a program on the desktop, find its window,
// type into it, take a screenshot, end it.
TEST(Harness, DrivesAProgramOnTheVirtualDesktop) {
  const std::string output = Scratch() / "probe.out";
  ChildProcess probe({KELVADO_WINDOW_PROBE, "Настройки"},
                     {.environment = {{"DISPLAY", Display()}}, .output = output, .errors = "-"});

  const std::optional<std::string> window = WaitForWindow(Display(), "^Настройки$");
  ASSERT_TRUE(window);
  EXPECT_EQ(WindowTitle(Display(), *window), "Настройки");
  const std::optional<Rect> geometry = WindowGeometry(Display(), *window);
  ASSERT_TRUE(geometry);
  EXPECT_EQ(geometry->width, 200);

  FocusWindow(Display(), *window);
  PressKeys(Display(), {"k", "e", "y"});
  EXPECT_TRUE(WaitUntil([&] { return FileText(output) == "key"; })) << FileText(output);

  const std::string shot = Scratch() / "screen.png";
  Screenshot(Display(), shot);
  EXPECT_EQ(QImage(QString::fromStdString(shot)).size(), QSize(1024, 768));

  EXPECT_EQ(probe.stop(SIGTERM), 128 + SIGTERM);
  EXPECT_TRUE(WaitForNoWindow(Display(), "^Настройки$"));
}

}  // namespace
}  // namespace kelvado::e2e
