#pragma once

#include <QString>

namespace kelvado::qt {

// The folder that stands for the Windows directory: the settings file lives there.
// $XDG_CONFIG_HOME/kelvado, or ~/.config/kelvado; created when missing.
QString SettingsFolder();

// "Kelvado.ini" in the settings folder.
QString SettingsFile();

}  // namespace kelvado::qt
