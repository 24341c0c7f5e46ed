#include "default_keys.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <functional>

namespace kelvado::qt {
namespace {

void OnKey(QWidget& window, QKeySequence key, std::function<void()> press) {
  auto* shortcut = new QShortcut(key, &window);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, &window, std::move(press));
}

}  // namespace

void InstallDefaultKeys(QWidget& window, QAbstractButton* defaultButton,
                        QAbstractButton* cancelButton) {
  if (auto* push = qobject_cast<QPushButton*>(defaultButton)) push->setDefault(true);
  const auto enter = [&window, target = QPointer(defaultButton)] {
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (focused && focused->window() == &window) {
      focused->click();
    } else if (target) {
      target->click();
    }
  };
  OnKey(window, QKeySequence(Qt::Key_Return), enter);
  OnKey(window, QKeySequence(Qt::Key_Enter), enter);
  if (cancelButton) {
    OnKey(window, QKeySequence(Qt::Key_Escape), [target = QPointer(cancelButton)] {
      if (target) target->click();
    });
  }
}

}  // namespace kelvado::qt
