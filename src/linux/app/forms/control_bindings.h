#pragma once

#include <QComboBox>
#include <functional>

#include "form_spin_edit.h"
#include "indicator_buttons.h"
#include "settings/controls.h"

namespace kelvado::qt {

// Each binding mirrors a model in its widget both ways. The operator's every keystroke and
// click reaches the model at once; the model's `changed` refreshes the widget with its
// signals blocked, so no handler runs. The widget's connections live as long as `context`;
// the model's callback does nothing once the widget is gone.

// `onOperatorChange` runs after the operator has changed the text (typing or a list pick).
void BindComboBox(QComboBox& box, ComboBox& model, QObject& context,
                  std::function<void()> onOperatorChange);
void BindCheckBox(FormCheckBox& box, CheckBox& model, QObject& context);
// `onClick` runs on every click, also on the button already selected.
void BindOptionButton(FormOptionButton& button, OptionButton& model, QObject& context,
                      std::function<void()> onClick);
void BindSpinEdit(FormSpinEdit& edit, SpinEdit& model, QObject& context);

}  // namespace kelvado::qt
