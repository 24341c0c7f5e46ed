#include "control_bindings.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <cstdlib>

namespace kelvado::qt {
namespace {

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

// Shows the model in the widget now and after each change of the model.
template <typename Widget, typename Refresh>
void Mirror(Control& model, Widget& widget, Refresh refresh) {
  refresh(widget);
  model.changed = [guard = QPointer<Widget>(&widget), refresh] {
    if (!guard) return;
    const QSignalBlocker blocker(guard.data());
    refresh(*guard);
  };
}

Qt::CheckState ToQt(CheckState state) {
  switch (state) {
    case CheckState::Checked:
      return Qt::Checked;
    case CheckState::Grayed:
      return Qt::PartiallyChecked;
    case CheckState::Unchecked:
      break;
  }
  return Qt::Unchecked;
}

}  // namespace

void BindComboBox(QComboBox& box, ComboBox& model, QObject& context,
                  std::function<void()> onOperatorChange) {
  Mirror(model, box, [&model](QComboBox& widget) {
    const QString text = ToQString(model.text());
    if (widget.currentText() != text) widget.setEditText(text);
  });
  const auto take = [&model, onOperatorChange](const QString& text) {
    const std::string value = text.toStdString();
    if (value == model.text()) return;
    model.setText(value);
    if (onOperatorChange) onOperatorChange();
  };
  QObject::connect(box.lineEdit(), &QLineEdit::textEdited, &context, take);
  QObject::connect(&box, &QComboBox::activated, &context,
                   [&box, take](int) { take(box.currentText()); });
}

void BindCheckBox(FormCheckBox& box, CheckBox& model, QObject& context) {
  Mirror(model, box, [&model](FormCheckBox& widget) { widget.setCheckState(ToQt(model.state())); });
  QObject::connect(&box, &FormCheckBox::clickRequested, &context, [&model] { model.click(); });
}

void BindOptionButton(FormOptionButton& button, OptionButton& model, QObject& context,
                      std::function<void()> onClick) {
  Mirror(model, button,
         [&model](FormOptionButton& widget) { widget.setSelected(model.selected()); });
  QObject::connect(&button, &FormOptionButton::selectRequested, &context,
                   [&model] { model.setSelected(true); });
  QObject::connect(&button, &QAbstractButton::clicked, &context, [onClick] {
    if (onClick) onClick();
  });
}

void BindSpinEdit(FormSpinEdit& edit, SpinEdit& model, QObject& context) {
  Mirror(model, edit, [&model](FormSpinEdit& widget) { widget.setText(ToQString(model.text())); });
  QObject::connect(&edit, &FormSpinEdit::textEdited, &context,
                   [&model](const QString& text) { model.setText(text.toStdString()); });
  QObject::connect(&edit, &FormSpinEdit::stepRequested, &context, [&model](int steps) {
    for (int i = 0; i < std::abs(steps); ++i) {
      if (steps > 0) {
        model.stepUp();
      } else {
        model.stepDown();
      }
    }
  });
  QObject::connect(&edit, &FormSpinEdit::focusLost, &context, [&model] { model.focusLost(); });
}

}  // namespace kelvado::qt
