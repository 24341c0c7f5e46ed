#pragma once

#include <QFont>

#include "settings/form_description.h"
#include "settings/form_window.h"

namespace kelvado::qt {

// A described font at `ppi`: its pixel height at 96 ppi, scaled. Windows faces that Linux
// lacks fall back on metric-compatible ones, so the described layouts still fit.
QFont DescribedFont(const FontDescription& font, int ppi);

// A described font as the settings file keeps a window's font: size in points, window-text
// colour.
FormFont DescribedFormFont(const FontDescription& font);

// A window font from the settings file at `ppi`; a size that is not positive keeps
// `fallbackPixelSize`.
QFont ScreenFont(const FormFont& font, int ppi, int fallbackPixelSize);

}  // namespace kelvado::qt
