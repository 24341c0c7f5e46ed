#include "indicator_buttons.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <functional>

namespace kelvado::qt {
namespace {

// The mark at the left, vertically centred, then the caption with a focus frame around it.
void PaintIndicatorButton(QAbstractButton& button, int indicatorSize,
                          const std::function<void(QPainter&, const QRectF&)>& paintMark) {
  QPainter painter(&button);
  const QRectF mark(0.5, (button.height() - indicatorSize) / 2 + 0.5, indicatorSize - 1,
                    indicatorSize - 1);
  painter.save();
  paintMark(painter, mark);
  painter.restore();

  const QFontMetrics metrics = button.fontMetrics();
  const int gap = indicatorSize / 3 + 1;
  const QRect textArea(indicatorSize + gap, 0, button.width() - indicatorSize - gap,
                       button.height());
  const QRect textRect =
      metrics.boundingRect(textArea, Qt::AlignLeft | Qt::AlignVCenter, button.text());
  const QPalette::ColorGroup group = button.isEnabled() ? QPalette::Active : QPalette::Disabled;
  painter.setPen(button.palette().color(group, QPalette::WindowText));
  painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, button.text());
  if (button.hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(&button);
    focus.rect = textRect.adjusted(-1, 0, 1, 0);
    button.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, &button);
  }
}

// The two halves of a mark's edge, each drawn as a polyline.
struct Edges {
  QPolygonF upperLeft, lowerRight;
};

Edges BoxEdges(const QRectF& box) {
  return {{box.bottomLeft(), box.topLeft(), box.topRight()},
          {box.topRight(), box.bottomRight(), box.bottomLeft()}};
}

Edges DiamondEdges(const QRectF& box) {
  const QPointF centre = box.center();
  const QPointF top(centre.x(), box.top()), right(box.right(), centre.y()),
      bottom(centre.x(), box.bottom()), left(box.left(), centre.y());
  return {{bottom, left, top}, {top, right, bottom}};
}

// A raised mark: a dark outline, inside it light on the upper left and grey on the lower
// right.
void PaintRaised(QPainter& painter, const QPalette& colors, const QRectF& box,
                 Edges (*edges)(const QRectF&)) {
  const Edges outer = edges(box), inner = edges(box.adjusted(1, 1, -1, -1));
  painter.setPen(QPen(colors.color(QPalette::Shadow), 1));
  painter.drawPolyline(outer.upperLeft);
  painter.drawPolyline(outer.lowerRight);
  painter.setPen(QPen(colors.color(QPalette::Light), 1));
  painter.drawPolyline(inner.upperLeft);
  painter.setPen(QPen(colors.color(QPalette::Dark), 1));
  painter.drawPolyline(inner.lowerRight);
}

}  // namespace

FormCheckBox::FormCheckBox(const QString& caption, bool flat, int indicatorSize, QWidget* parent)
    : QCheckBox(caption, parent), flat_(flat), indicatorSize_(indicatorSize) {
  setTristate(true);
}

void FormCheckBox::paintEvent(QPaintEvent*) {
  PaintIndicatorButton(*this, indicatorSize_, [this](QPainter& painter, const QRectF& box) {
    const QPalette& colors = palette();
    const bool grayed = checkState() == Qt::PartiallyChecked;
    painter.fillRect(box, colors.color(grayed || isDown() ? QPalette::Button : QPalette::Base));
    if (flat_) {
      painter.setPen(QPen(colors.color(QPalette::Dark), 1));
      painter.drawRect(box);
    } else {
      PaintRaised(painter, colors, box, BoxEdges);
    }
    if (checkState() == Qt::Unchecked) return;
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = box.width();
    const QPointF origin = box.topLeft();
    const QPolygonF tick{origin + QPointF(side * 0.22, side * 0.5),
                         origin + QPointF(side * 0.42, side * 0.72),
                         origin + QPointF(side * 0.8, side * 0.28)};
    painter.setPen(QPen(colors.color(grayed ? QPalette::Dark : QPalette::WindowText),
                        std::max(1.5, side / 7), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(tick);
  });
}

FormOptionButton::FormOptionButton(const QString& caption, int indicatorSize, QWidget* parent)
    : QRadioButton(caption, parent), indicatorSize_(indicatorSize) {
  setAutoExclusive(false);
  setSelected(false);
}

void FormOptionButton::setSelected(bool selected) {
  setChecked(selected);
  setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
}

void FormOptionButton::paintEvent(QPaintEvent*) {
  PaintIndicatorButton(*this, indicatorSize_, [this](QPainter& painter, const QRectF& box) {
    painter.setRenderHint(QPainter::Antialiasing);
    const Edges edges = DiamondEdges(box);
    QPainterPath diamond;
    diamond.addPolygon(edges.upperLeft + edges.lowerRight);
    painter.fillPath(diamond, palette().color(isDown() ? QPalette::Button : QPalette::Base));
    PaintRaised(painter, palette(), box, DiamondEdges);
    if (!isChecked()) return;
    const QPointF centre = box.center();
    const double inner = box.width() / 4;
    QPainterPath mark;
    mark.addPolygon(QPolygonF{centre + QPointF(0, -inner), centre + QPointF(inner, 0),
                              centre + QPointF(0, inner), centre + QPointF(-inner, 0)});
    painter.fillPath(mark, palette().color(QPalette::WindowText));
  });
}

}  // namespace kelvado::qt
