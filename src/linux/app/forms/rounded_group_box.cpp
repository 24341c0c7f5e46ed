#include "rounded_group_box.h"

#include <QPainter>
#include <QPainterPath>

#include "screen_colors.h"
#include "settings/form_description.h"

namespace kelvado::qt {

RoundedGroupBox::RoundedGroupBox(const QString& caption, int cornerRadius, QWidget* parent)
    : QWidget(parent), caption_(caption), cornerRadius_(cornerRadius) {
  QPalette face = palette();
  face.setColor(QPalette::Window, ToQColor(kGroupFace));
  setPalette(face);
}

void RoundedGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics metrics = fontMetrics();
  const double radius = cornerRadius_;

  // The frame's top edge runs through the middle of the caption; an etched line: shadow,
  // then highlight one pixel to the lower right.
  const QRectF frame = QRectF(rect()).adjusted(0.5, metrics.height() / 2 + 0.5, -1.5, -1.5);
  QPainterPath outline;
  outline.addRoundedRect(frame, radius, radius);
  painter.fillPath(outline, palette().color(QPalette::Window));
  painter.setPen(QPen(palette().color(QPalette::Light), 1));
  painter.drawRoundedRect(frame.translated(1, 1), radius, radius);
  painter.setPen(QPen(palette().color(QPalette::Dark), 1));
  painter.drawRoundedRect(frame, radius, radius);

  if (caption_.isEmpty()) return;
  const int padding = metrics.averageCharWidth() / 2 + 1;
  const int textWidth = metrics.horizontalAdvance(caption_) + 2 * padding;
  const QRect captionRect((width() - textWidth) / 2, 0, textWidth, metrics.height());
  painter.fillRect(captionRect, palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(captionRect, Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

}  // namespace kelvado::qt
