#pragma once

#include <QColor>
#include <cstdint>

#include "settings/form_description.h"

namespace kelvado::qt {

// A colour value of the settings file on the screen: standard colours as they are, system
// colours from the application's palette. clNone and unknown system colours give an
// invalid colour, which leaves a palette as it is.
QColor ScreenColor(int32_t value);

inline QColor ToQColor(Rgb rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace kelvado::qt
