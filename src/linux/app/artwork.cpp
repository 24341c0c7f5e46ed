#include "artwork.h"

#include <QString>
#include <array>

// Q_INIT_RESOURCE declares the resource's initialiser where it is used, so it is used outside
// any namespace. Calling it also keeps the linker from dropping the resource object out of
// the static library.
static void InitResources() {
  Q_INIT_RESOURCE(kelvado);
}

namespace {

void LoadResources() {
  static const bool loaded = (InitResources(), true);
  (void)loaded;
}

QIcon IconFile(const char* name) {
  LoadResources();
  return QIcon(QStringLiteral(":/icons/") + QLatin1String(name));
}

QIcon FromTable(const auto& table, int index) {
  if (index < 0 || index >= static_cast<int>(table.size())) return {};
  return IconFile(table[static_cast<std::size_t>(index)]);
}

}  // namespace

namespace kelvado::qt {

QIcon TrayPicture(int index) {
  static constexpr std::array<const char*, kTrayPictureCount> kFiles = {
      "tray_idle.png", "tray_playing.png", "tray_recording.png", "tray_off.png", "tray_repeat.png"};
  return FromTable(kFiles, index);
}

QIcon MenuImage(int index) {
  static constexpr std::array<const char*, kMenuImageCount> kFiles = {
      "menu_play.png",   "menu_play.png",   "menu_play.png",   "menu_play.png",
      "menu_record.png", "menu_record.png", "menu_record.png", "menu_record.png",
      "menu_stop.png",   "menu_exit.png",   "menu_setup.png"};
  return FromTable(kFiles, index);
}

QIcon MenuCheckMark() {
  return IconFile("menu_check.png");
}

QIcon AboutPicture() {
  return TrayPicture(0);
}

QIcon ConfirmPicture() {
  return IconFile("confirm.png");
}

QIcon ApplicationIcon() {
  LoadResources();
  QIcon icon;
  for (const char* name : {"tray_idle.png", "kelvado_64.png", "kelvado_128.png"})
    icon.addFile(QStringLiteral(":/icons/") + QLatin1String(name));
  return icon;
}

}  // namespace kelvado::qt
