#include "form_spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "settings/controls.h"

namespace kelvado::qt {

FormSpinEdit::FormSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  connect(lineEdit(), &QLineEdit::textEdited, this, &FormSpinEdit::textEdited);
}

void FormSpinEdit::setText(const QString& text) {
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void FormSpinEdit::keyPressEvent(QKeyEvent* event) {
  // Keys with Ctrl, Alt or Meta are commands (Ctrl+V pastes), not typing.
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    QAbstractSpinBox::keyPressEvent(event);
    return;
  }
  const QList<uint> characters = event->text().toUcs4();
  const bool accepted = std::all_of(characters.begin(), characters.end(), [](uint character) {
    return SpinEdit::AcceptsKey(static_cast<char32_t>(character));
  });
  if (!accepted) {
    QApplication::beep();
    event->accept();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
}

void FormSpinEdit::focusOutEvent(QFocusEvent* event) {
  QAbstractSpinBox::focusOutEvent(event);
  // A context menu of the field takes the focus only for a moment.
  if (event->reason() != Qt::PopupFocusReason) emit focusLost();
}

}  // namespace kelvado::qt
