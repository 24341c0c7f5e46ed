#include "system_tray.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTimer>

#include "artwork.h"

namespace kelvado::qt {

SystemTray::SystemTray(const QString& tool_tip, ClickHandler on_click)
    : on_click_(std::move(on_click)) {
  icon_.setToolTip(tool_tip.left(63));  // the longest tip a notification area takes
  QObject::connect(&icon_, &QSystemTrayIcon::activated, this,
                   [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
}

SystemTray::~SystemTray() {
  remove();
}

void SystemTray::show(int picture) {
  if (picture != picture_) {
    picture_ = picture;
    icon_.setIcon(TrayPicture(picture));
  }
  icon_.show();
}

void SystemTray::remove() {
  icon_.hide();
  if (pressed_) qApp->removeEventFilter(this);
  pressed_.reset();
}

bool SystemTray::HostAvailable() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

QRect SystemTray::geometry() const {
  return icon_.geometry();
}

// The X11 tray reports a button at its press. The click is complete at the release, which
// the icon receives by the implicit pointer grab and which is awaited here. A tray host that
// forwards whole clicks (the D-Bus notifier protocol) has no button down: report at once.
void SystemTray::activated(QSystemTrayIcon::ActivationReason reason) {
  Qt::MouseButton button;
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      button = Qt::LeftButton;
      break;
    case QSystemTrayIcon::Context:
      button = Qt::RightButton;
      break;
    default:  // the middle button clicks nothing; a double click toggled at its first press
      return;
  }
  if (!(QGuiApplication::mouseButtons() & button)) {
    report(button == Qt::LeftButton ? MouseButton::Left : MouseButton::Right, QCursor::pos());
    return;
  }
  if (!pressed_) qApp->installEventFilter(this);
  pressed_ = button;
}

bool SystemTray::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::MouseButtonRelease) return false;
  const auto* release = static_cast<QMouseEvent*>(event);
  if (!pressed_ || release->button() != *pressed_) return false;
  const Qt::MouseButton button = *pressed_;
  pressed_.reset();
  qApp->removeEventFilter(this);
  const QPoint position = release->globalPosition().toPoint();
  const QRect area = geometry();
  if (area.isEmpty() || area.contains(position))
    report(button == Qt::LeftButton ? MouseButton::Left : MouseButton::Right, position);
  return false;
}

// Reported from the event loop, not from inside the tray's own mouse handling: the handler
// may open a menu or a modal dialog.
void SystemTray::report(MouseButton button, QPoint position) {
  QTimer::singleShot(0, this,
                     [this, button, position] { on_click_(button, position.x(), position.y()); });
}

}  // namespace kelvado::qt
