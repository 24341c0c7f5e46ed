#include "form_label.h"

#include <QEvent>
#include <QGraphicsDropShadowEffect>

namespace kelvado::qt {

FormLabel::FormLabel(const QString& text, bool autoSize, QWidget* parent)
    : QLabel(text, parent), autoSize_(autoSize) {
  setTextFormat(Qt::PlainText);
}

void FormLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (autoSize_ && event->type() == QEvent::FontChange) adjustSize();
}

void AddHighlightShadow(QLabel& label) {
  auto* shadow = new QGraphicsDropShadowEffect(&label);
  shadow->setOffset(-1, -1);
  shadow->setBlurRadius(0);
  shadow->setColor(label.palette().color(QPalette::Light));
  label.setGraphicsEffect(shadow);
}

}  // namespace kelvado::qt
