#include "shell/popup_menu.h"

#include <stdexcept>

namespace kelvado {

PopupMenu::PopupMenu() {
  auto add = [this](std::string name, std::string caption, std::string shortcut, int image) {
    entries_.push_back({std::move(name), std::move(caption), std::move(shortcut), image});
  };
  add("mnOnOff", "Включить/выключить", "F11", -1);
  entries_.back().checked = true;
  add("N3", "", "", -1);
  for (int n = 1; n <= 4; ++n) {
    add("mnF" + std::to_string(n), "Воспроизвести  фразу " + std::to_string(n),
        "F" + std::to_string(n), n - 1);
  }
  add("N1", "", "", -1);
  for (int n = 1; n <= 4; ++n) {
    add("mnF" + std::to_string(n + 4), "Записать  фразу " + std::to_string(n),
        "F" + std::to_string(n + 4), n + 3);
  }
  add("N2", "", "", -1);
  add("mnF9", "Стоп", "F9", 8);
  add("N5", "", "", -1);
  add("mnSetup", "Настройки...", "", 10);
  add("N4", "", "", -1);
  add("mnAbout", "О программе...", "", -1);
  add("mnExit", "Выход из программы", "", 9);
}

MenuEntry& PopupMenu::entry(std::string_view name) {
  for (MenuEntry& e : entries_) {
    if (e.name == name) return e;
  }
  throw std::out_of_range("no menu entry " + std::string(name));
}

const std::vector<std::string>& TrayPictureNames() {
  static const std::vector<std::string> names = {"tray-idle", "tray-playing", "tray-recording",
                                                 "tray-off", "tray-repeat"};
  return names;
}

const std::vector<std::string>& MenuImageNames() {
  static const std::vector<std::string> names = {
      "menu-play1",   "menu-play2",   "menu-play3", "menu-play4", "menu-record1", "menu-record2",
      "menu-record3", "menu-record4", "menu-stop",  "menu-exit",  "menu-settings"};
  return names;
}

}  // namespace kelvado
