#pragma once

#include <QObject>
#include <QRect>
#include <QSystemTrayIcon>
#include <functional>
#include <optional>

#include "shell/shell_ui.h"

namespace kelvado::qt {

// The notification-area icon. A press and release of the left or right button over the
// icon is one click, reported with the pointer's screen position at the release; the
// middle button gives no click, and a double click gives only the click of its first press.
// Without a tray host the icon waits, invisible, until one appears.
class SystemTray : private QObject {
 public:
  using ClickHandler = std::function<void(MouseButton button, int x, int y)>;

  SystemTray(const QString& tool_tip, ClickHandler on_click);
  ~SystemTray() override;
  SystemTray(const SystemTray&) = delete;
  SystemTray& operator=(const SystemTray&) = delete;

  // Shows tray picture `picture` (0..4); showing the one already shown costs nothing.
  void show(int picture);
  void remove();

  int picture() const { return picture_; }
  // Whether a tray host runs, and where the icon is on the screen (empty when unknown).
  static bool HostAvailable();
  QRect geometry() const;

 private:
  void activated(QSystemTrayIcon::ActivationReason reason);
  bool eventFilter(QObject* watched, QEvent* event) override;
  void report(MouseButton button, QPoint position);

  QSystemTrayIcon icon_;
  ClickHandler on_click_;
  int picture_ = -1;
  // The button pressed over the icon, while its release is awaited.
  std::optional<Qt::MouseButton> pressed_;
};

}  // namespace kelvado::qt
