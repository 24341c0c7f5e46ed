#pragma once

#include <QCheckBox>
#include <QRadioButton>

namespace kelvado::qt {

// Check boxes and option buttons whose state belongs to a model: a click or the space bar
// only asks for the change, and the model's answer sets the state. Both draw their own mark
// (raised or flat box, diamond) and take clicks on their whole area.

class FormCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  FormCheckBox(const QString& caption, bool flat, int indicatorSize, QWidget* parent);

 signals:
  void clickRequested();

 protected:
  void nextCheckState() override { emit clickRequested(); }
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
  void paintEvent(QPaintEvent* event) override;

 private:
  bool flat_;
  int indicatorSize_;
};

class FormOptionButton : public QRadioButton {
  Q_OBJECT

 public:
  FormOptionButton(const QString& caption, int indicatorSize, QWidget* parent);

  // The selected button of a pair is a tab stop; the other takes the focus only by a click.
  void setSelected(bool selected);

 signals:
  void selectRequested();

 protected:
  void nextCheckState() override { emit selectRequested(); }
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
  void paintEvent(QPaintEvent* event) override;

 private:
  int indicatorSize_;
};

}  // namespace kelvado::qt
