#pragma once

#include "settings_window.h"
#include "shell/main_form.h"

namespace kelvado::qt {

// The settings window's handlers, each the main form's handler of the same name.
SettingsHandlers MainFormHandlers(MainForm& form);

}  // namespace kelvado::qt
