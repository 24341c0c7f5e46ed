#include "widget_form_window.h"

#include <QGuiApplication>
#include <QScreen>

#include "form_fonts.h"
#include "form_metrics.h"
#include "screen_colors.h"

namespace kelvado::qt {
namespace {

QSize ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize();
}

}  // namespace

WidgetFormWindow::WidgetFormWindow(QWidget& window, int32_t color, FormFont font)
    : window_(window), color_(color), font_(std::move(font)) {}

WindowPlacement WidgetFormWindow::placement() {
  const QRect frame = window_.frameGeometry();
  WindowPlacement placement;
  placement.flags = flags_;
  // As the window system reports it: a hidden window still reads as normal.
  placement.showCmd = window_.isMinimized() ? kShowMinimized : kShowNormal;
  placement.minPosition = minPosition_;
  placement.maxPosition = maxPosition_;
  placement.normalPosition = {frame.left(), frame.top(), frame.left() + frame.width(),
                              frame.top() + frame.height()};
  return placement;
}

void WidgetFormWindow::setPlacement(const WindowPlacement& placement) {
  flags_ = placement.flags;
  minPosition_ = placement.minPosition;
  maxPosition_ = placement.maxPosition;
  window_.move(placement.normalPosition.left, placement.normalPosition.top);
}

int32_t WidgetFormWindow::screenWidth() {
  return ScreenSize().width();
}

int32_t WidgetFormWindow::screenHeight() {
  return ScreenSize().height();
}

int32_t WidgetFormWindow::pixelsPerInch() {
  return ScreenPixelsPerInch();
}

void WidgetFormWindow::setColor(int32_t color) {
  color_ = color;
  const QColor shown = ScreenColor(color);
  if (!shown.isValid()) return;
  QPalette colors = window_.palette();
  colors.setColor(QPalette::Window, shown);
  window_.setPalette(colors);
}

void WidgetFormWindow::setFont(const FormFont& font) {
  font_ = font;
  window_.setFont(ScreenFont(font, ScreenPixelsPerInch(), window_.font().pixelSize()));
  const QColor text = ScreenColor(font.color);
  if (!text.isValid()) return;
  QPalette colors = window_.palette();
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    colors.setColor(role, text);
  window_.setPalette(colors);
}

}  // namespace kelvado::qt
