#include "artwork.h"

#include <QFile>
#include <QString>
#include <string>
#include <vector>

#include "shell/popup_menu.h"

// Q_INIT_RESOURCE declares the resource's initialiser where it is used, so it is used outside
// any namespace. Calling it also keeps the linker from dropping the resource object out of
// the static library.
static void InitResources() {
  Q_INIT_RESOURCE(kelvado);
}

namespace kelvado::qt {
namespace {

QString PicturePath(std::string_view name) {
  static const bool loaded = (InitResources(), true);
  (void)loaded;
  return QStringLiteral(":/pictures/") +
         QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
         QStringLiteral(".png");
}

QIcon FromList(const std::vector<std::string>& names, int index) {
  if (index < 0 || index >= static_cast<int>(names.size())) return {};
  return Picture(names[static_cast<std::size_t>(index)]);
}

}  // namespace

QIcon Picture(std::string_view name) {
  const QString path = PicturePath(name);
  return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon TrayPicture(int index) {
  return FromList(TrayPictureNames(), index);
}

QIcon MenuImage(int index) {
  return FromList(MenuImageNames(), index);
}

QIcon MenuCheckMark() {
  return Picture("menu-check");
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (std::string_view name : {"tray-idle", "kelvado-64", "kelvado-128"})
    icon.addFile(PicturePath(name));
  return icon;
}

}  // namespace kelvado::qt
