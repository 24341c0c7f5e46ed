#include "program/qt_shell_ui.h"

#include <QCoreApplication>

#include "form_dialog.h"
#include "message_boxes.h"

namespace kelvado::qt {

QtShellUi::QtShellUi(QWidget& window)
    : window_(window),
      keys_([this](int id) {
        if (form_) form_->hotKey(id);
      }),
      tray_(QString::fromUtf8(kApplicationTitle),
            [this](MouseButton button, int x, int y) {
              if (form_) form_->TrayIconClick(button, x, y);
            }),
      menu_([this](int entry) {
        if (form_) form_->menuClick(form_->menu().entries().at(static_cast<size_t>(entry)).name);
      }) {}

bool QtShellUi::registerHotKey(int id, int virtual_key) {
  return keys_.registerKey(id, virtual_key);
}

void QtShellUi::unregisterHotKey(int id) {
  keys_.unregisterKey(id);
}

void QtShellUi::showTrayIcon(int index) {
  tray_.show(index);
}

void QtShellUi::removeTrayIcon() {
  tray_.remove();
}

void QtShellUi::popupMenu(int x, int y) {
  menuChanged();
  menu_.popup(QPoint(x, y));
}

void QtShellUi::menuChanged() {
  if (form_) menu_.setEntries(form_->menu().entries());
}

void QtShellUi::showWindow() {
  window_.show();
  window_.raise();
  window_.activateWindow();
}

void QtShellUi::hideWindow() {
  window_.hide();
}

bool QtShellUi::windowVisible() {
  return window_.isVisible();
}

int QtShellUi::showConfirmDialog() {
  return RunConfirmDialog();
}

void QtShellUi::showAboutDialog() {
  RunAboutDialog();
}

void QtShellUi::showError(const std::string& text) {
  ShowErrorBox(QString::fromStdString(text));
}

void QtShellUi::quit() {
  QCoreApplication::exit(0);
}

}  // namespace kelvado::qt
