#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <optional>

#include "frontend_session.h"
#include "message_boxes.h"
#include "support/x_tools.h"
#include "x11_global_keys.h"

namespace kelvado::e2e {
namespace {

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  Qt::WindowModality modality = Qt::NonModal;
};

// Runs `show`, which must block in a modal box; `inside` runs in the box's own event loop
// with the box found, and must end it. A box still open after 10 s is closed and fails.
void WithBox(const std::function<void()>& show, const std::function<void(QMessageBox&)>& inside) {
  bool ran = false;
  QTimer::singleShot(0, [&] {
    ASSERT_TRUE(ProcessEventsUntil([] { return QApplication::activeModalWidget() != nullptr; }));
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    ran = true;
    inside(*box);
  });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
    ADD_FAILURE() << "the box did not close";
  });
  guard.start(10000);
  show();
  EXPECT_TRUE(ran);
}

SeenBox Look(const QMessageBox& box) {
  return {box.windowTitle(), box.text(), box.icon(), box.standardButtons(), box.windowModality()};
}

// Enter, as the operator presses it, answers the box.
void PressEnterIn(QMessageBox& box) {
  FocusWindow(Display(), std::to_string(box.winId()));
  PressKeys(Display(), {"Return"});
}

TEST(MessageBoxes, ErrorBoxIsTheApplicationsModalStopBoxWithOk) {
  SeenBox seen;
  WithBox([] { qt::ShowErrorBox(QStringLiteral("Cannot open file F1.wav.")); },
          [&](QMessageBox& box) {
            seen = Look(box);
            PressEnterIn(box);
          });
  EXPECT_EQ(seen.title, QStringLiteral("Кельвадо"));
  EXPECT_EQ(seen.text, QStringLiteral("Cannot open file F1.wav."));
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, QMessageBox::Ok);
  EXPECT_EQ(seen.modality, Qt::ApplicationModal);
}

TEST(MessageBoxes, SecondCopyIsToldTheKeyerRuns) {
  SeenBox seen;
  WithBox([] { qt::ShowAlreadyRunningBox(); },
          [&](QMessageBox& box) {
            seen = Look(box);
            PressEnterIn(box);
          });
  EXPECT_EQ(seen.title, QStringLiteral("Кельвадо"));
  EXPECT_EQ(seen.text, QStringLiteral("Кельвадо уже запущен."));
}

TEST(MessageBoxes, TimersAndGlobalKeysActInsideTheBoxsLoop) {
  // The 55 ms poll ticks inside the box; its first tick there presses F9, whose handler
  // then ends the box.
  int ticks_inside_box = 0;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (QApplication::activeModalWidget() == nullptr) return;
    if (++ticks_inside_box == 1) PressKeys(Display(), {"F9"});
  });
  poll.start(55);
  bool key_inside_box = false;
  qt::X11GlobalKeys keys([&](int) {
    key_inside_box = QApplication::activeModalWidget() != nullptr;
    if (key_inside_box) QApplication::activeModalWidget()->close();
  });
  ASSERT_TRUE(keys.registerKey(8, 0x78));  // F9
  WithBox([] { qt::ShowErrorBox(QStringLiteral("x")); }, [](QMessageBox&) {});
  EXPECT_GT(ticks_inside_box, 0);
  EXPECT_TRUE(key_inside_box);
}

}  // namespace
}  // namespace kelvado::e2e
