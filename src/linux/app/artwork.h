#pragma once

#include <QIcon>

// The program's pictures, embedded from resources/icons/.
namespace kelvado::qt {

inline constexpr int kTrayPictureCount = 5;
inline constexpr int kMenuImageCount = 11;

// Tray picture 0..4: idle, playing, recording, switched off, repeat armed.
QIcon TrayPicture(int index);
// Menu image 0..10: play (0..3), record (4..7), stop, exit, settings.
QIcon MenuImage(int index);
// The check mark an entry without an image shows in the image column.
QIcon MenuCheckMark();
QIcon AboutPicture();
QIcon ConfirmPicture();
QIcon ApplicationIcon();

}  // namespace kelvado::qt
