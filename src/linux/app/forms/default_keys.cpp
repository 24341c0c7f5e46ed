#include "default_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace kelvado::qt {
namespace {

// Watches the key presses of the whole application before any widget sees them, so that no
// control of the window can keep Enter or Esc; presses meant for another window, such as an
// open drop-down list, pass.
class DefaultKeyFilter : public QObject {
 public:
  DefaultKeyFilter(QWidget& window, QAbstractButton* defaultButton, QAbstractButton* cancelButton)
      : QObject(&window),
        window_(window),
        defaultButton_(defaultButton),
        cancelButton_(cancelButton) {
    QCoreApplication::instance()->installEventFilter(this);
  }

  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != &window_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    QAbstractButton* target = nullptr;
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        target = focusedPushButton() ? focusedPushButton() : defaultButton_.data();
        break;
      case Qt::Key_Escape:
        target = cancelButton_;
        break;
      default:
        return false;
    }
    if (!target) return false;
    target->click();
    return true;
  }

 private:
  QPushButton* focusedPushButton() const {
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    return focused && focused->window() == &window_ ? focused : nullptr;
  }

  QWidget& window_;
  QPointer<QAbstractButton> defaultButton_;
  QPointer<QAbstractButton> cancelButton_;
};

}  // namespace

void InstallDefaultKeys(QWidget& window, QAbstractButton* defaultButton,
                        QAbstractButton* cancelButton) {
  if (auto* push = qobject_cast<QPushButton*>(defaultButton)) push->setDefault(true);
  new DefaultKeyFilter(window, defaultButton, cancelButton);
}

}  // namespace kelvado::qt
