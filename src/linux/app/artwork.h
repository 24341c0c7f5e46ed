#pragma once

#include <QIcon>
#include <string_view>

// The program's pictures, embedded from resources/icons/ under the names core uses.
namespace kelvado::qt {

// A picture by core's name ("tray-off", "menu-stop", "confirm", ...); null when unknown.
QIcon Picture(std::string_view name);
// Tray picture 0..4 and menu image 0..10, by core's numbering.
QIcon TrayPicture(int index);
QIcon MenuImage(int index);
// The check mark an entry without an image shows in the image column.
QIcon MenuCheckMark();
QIcon ApplicationIcon();

}  // namespace kelvado::qt
