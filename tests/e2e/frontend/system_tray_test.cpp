#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <utility>
#include <vector>

#include "frontend_session.h"
#include "support/x_tools.h"
#include "system_tray.h"
#include "x11_global_keys.h"

namespace kelvado::e2e {
namespace {

using qt::SystemTray;

constexpr int kLeft = 1, kMiddle = 2, kRight = 3;

struct TrayClick {
  MouseButton button;
  int x, y;
  bool operator==(const TrayClick&) const = default;
};

void PrintTo(const TrayClick& click, std::ostream* out) {
  *out << (click.button == MouseButton::Left ? "left" : "right") << " at " << click.x << ","
       << click.y;
}

// Pixels of the screen area that pass `test`.
int PixelsWhere(const QRect& area, const std::function<bool(QColor)>& test) {
  const QImage image = QGuiApplication::primaryScreen()
                           ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                           .toImage();
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (test(image.pixelColor(x, y))) ++count;
  return count;
}

int RedPixels(const QRect& area) {
  return PixelsWhere(area,
                     [](QColor c) { return c.red() > 160 && c.green() < 80 && c.blue() < 80; });
}

// The keys' dark outlines are on the screen: the tray host has docked the icon and drawn it,
// so clicks there reach it.
bool IdleIconDrawn(const QRect& area) {
  return !area.isEmpty() &&
         PixelsWhere(area, [](QColor c) { return c.value() < 100; }) > area.width();
}

class SystemTrayTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(marker_.registerKey(0, 0x7A));
    Desktop().startTrayHost();
    tray_.show(0);
    ASSERT_TRUE(ProcessEventsUntil([&] { return IdleIconDrawn(tray_.geometry()); }));
    centre_ = tray_.geometry().center();
  }

  // Does `act`, then presses the global key F11 as a marker, and returns the clicks reported
  // until the marker arrives. X delivers in order; the release before the marker has been
  // seen once the marker has, and its click posted: sending posted events reports it.
  // (A marker click could pair with the last click into a double click.)
  std::vector<TrayClick> clicksOf(const std::function<void()>& act) {
    act();
    PressKeys(Display(), {"F11"});
    EXPECT_TRUE(ProcessEventsUntil([&] { return marker_seen_; }));
    QCoreApplication::sendPostedEvents();
    marker_seen_ = false;
    return std::exchange(clicks_, {});
  }

  std::vector<TrayClick> clicks_;
  SystemTray tray_{"Кельвадо", [this](MouseButton button, int x, int y) {
                     clicks_.push_back({button, x, y});
                   }};
  QPoint centre_;
  bool marker_seen_ = false;
  qt::X11GlobalKeys marker_{[this](int) { marker_seen_ = true; }};
};

TEST_F(SystemTrayTest, LeftAndRightClicksGiveTheirButtonAndWhereTheyWereReleased) {
  const QPoint left = centre_ + QPoint(-3, -2);
  const QPoint right = centre_ + QPoint(4, 3);
  EXPECT_EQ(clicksOf([&] {
              Click(Display(), left.x(), left.y(), kLeft);
              Click(Display(), right.x(), right.y(), kRight);
            }),
            (std::vector<TrayClick>{{MouseButton::Left, left.x(), left.y()},
                                    {MouseButton::Right, right.x(), right.y()}}));
}

TEST_F(SystemTrayTest, MiddleClickGivesNoClick) {
  EXPECT_EQ(clicksOf([&] { Click(Display(), centre_.x(), centre_.y(), kMiddle); }),
            std::vector<TrayClick>{});
}

TEST_F(SystemTrayTest, DoubleClickGivesOnlyTheClickOfItsFirstPress) {
  EXPECT_EQ(clicksOf([&] { Click(Display(), centre_.x(), centre_.y(), kLeft, 2); }),
            (std::vector<TrayClick>{{MouseButton::Left, centre_.x(), centre_.y()}}));
}

TEST_F(SystemTrayTest, ReleaseAwayFromTheIconGivesNoClick) {
  EXPECT_EQ(clicksOf([&] {
              MoveMouse(Display(), centre_.x(), centre_.y());
              PressButton(Display(), kLeft);
              MoveMouse(Display(), 500, 400);
              ReleaseButton(Display(), kLeft);
            }),
            std::vector<TrayClick>{});
}

TEST_F(SystemTrayTest, ShowsThePictureAsked) {
  const QRect area = tray_.geometry();
  EXPECT_EQ(RedPixels(area), 0);
  tray_.show(3);  // switched off: a red prohibition sign
  EXPECT_TRUE(ProcessEventsUntil([&] { return RedPixels(area) > area.width(); }));
  EXPECT_EQ(tray_.picture(), 3);
  tray_.show(0);
  EXPECT_TRUE(ProcessEventsUntil([&] { return RedPixels(area) == 0; }));
}

TEST(SystemTrayWithoutHost, WaitsForATrayHostAndDocksWhenOneAppears) {
  ASSERT_FALSE(SystemTray::HostAvailable());
  std::vector<MouseButton> clicks;
  SystemTray tray("Кельвадо", [&](MouseButton button, int, int) { clicks.push_back(button); });
  tray.show(0);
  EXPECT_TRUE(tray.geometry().isEmpty());

  Desktop().startTrayHost();
  ASSERT_TRUE(ProcessEventsUntil([&] { return IdleIconDrawn(tray.geometry()); }));
  EXPECT_TRUE(SystemTray::HostAvailable());
  const QPoint centre = tray.geometry().center();
  Click(Display(), centre.x(), centre.y(), kLeft);
  EXPECT_TRUE(ProcessEventsUntil([&] { return clicks == std::vector{MouseButton::Left}; }));
}

}  // namespace
}  // namespace kelvado::e2e
