#pragma once

#include <QString>

namespace kelvado::qt {

// The error message box: the application title, the text, the stop icon and OK. Modal to
// the whole program; timers, global keys and the tray keep working while it is open.
void ShowErrorBox(const QString& text);

// Told by a second copy of the keyer before it ends.
void ShowAlreadyRunningBox();

}  // namespace kelvado::qt
