#include "form_lines.h"

#include <QPainter>

namespace kelvado::qt {

void BevelLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int bottom = height() - 1;
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, bottom - 1, width() - 1, bottom - 1);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(0, bottom, width() - 1, bottom);
}

QWidget* NewRuledLine(QWidget* parent) {
  auto* line = new QWidget(parent);
  line->setBackgroundRole(QPalette::WindowText);
  line->setAutoFillBackground(true);
  return line;
}

}  // namespace kelvado::qt
