#pragma once

#include <QWidget>

namespace kelvado::qt {

// A lowered line along the bottom edge of its area: shadow over highlight.
class BevelLine : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A ruled line: its whole (one pixel thin) area in the window-text colour.
QWidget* NewRuledLine(QWidget* parent);

}  // namespace kelvado::qt
