#pragma once

#include <QWidget>

#include "settings/form_description.h"

namespace kelvado::qt {

// Builds `form` into `window` at `ppi` pixels per inch: caption, frame, fixed client size,
// font, position, the widgets (each named after its description, so findChild finds it),
// tab order and focus, Enter and Esc for the default and cancel buttons. Nothing is bound:
// check boxes and option buttons only ask their models for changes.
void BuildForm(const FormDescription& form, QWidget& window, int ppi);

}  // namespace kelvado::qt
