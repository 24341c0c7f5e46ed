#pragma once

#include <QAbstractSpinBox>

namespace kelvado::qt {

// A spin edit whose value is the text of its field, as its model keeps it. Typed characters
// pass the model's key filter (refused ones beep); pasting is not filtered. The arrow keys and
// arrow buttons only ask for a step; the model's answer comes back through setText.
class FormSpinEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  explicit FormSpinEdit(QWidget* parent);

  // Sets the field's text; the same text leaves the cursor and selection alone.
  void setText(const QString& text);

  void stepBy(int steps) override { emit stepRequested(steps); }

 signals:
  void textEdited(const QString& text);
  void stepRequested(int steps);
  void focusLost();

 protected:
  StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace kelvado::qt
