#pragma once

#include <QAbstractButton>
#include <QWidget>

namespace kelvado::qt {

// Enter presses `defaultButton` (or the push button that has the focus) and Esc presses
// `cancelButton`, whatever control of `window` has the focus, edit fields and drop-down lists
// included. An open drop-down list keeps both keys for itself. Either button may be null.
void InstallDefaultKeys(QWidget& window, QAbstractButton* defaultButton,
                        QAbstractButton* cancelButton);

}  // namespace kelvado::qt
