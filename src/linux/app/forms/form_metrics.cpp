#include "form_metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace kelvado::qt {

int ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? qRound(screen->logicalDotsPerInchX()) : kDesignPixelsPerInch;
}

int MulDiv(int value, int numerator, int denominator) {
  return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

}  // namespace kelvado::qt
