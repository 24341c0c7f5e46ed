#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvado {

// One entry of the tray icon's pop-up menu. The shortcut is only shown: the keys act
// through the global hot keys.
struct MenuEntry {
  std::string name;
  std::string caption;  // empty for a separator
  std::string shortcut;
  int image = -1;  // index into the menu images; -1 none
  bool enabled = true;
  bool checked = false;  // drawn in the image column, as the entry has no image
  bool separator() const { return caption.empty(); }
};

// The menu's entries from top to bottom, with their live enabled and checked states.
class PopupMenu {
 public:
  PopupMenu();

  const std::vector<MenuEntry>& entries() const { return entries_; }
  MenuEntry& entry(std::string_view name);

 private:
  std::vector<MenuEntry> entries_;
};

// Pictures by index, as the front ends name their artwork.
// Tray: 0 on and idle, 1 playing, 2 recording, 3 off, 4 waiting to repeat.
const std::vector<std::string>& TrayPictureNames();
// Menu images 0..10: play 1-4, record 1-4, stop, exit, settings.
const std::vector<std::string>& MenuImageNames();

inline constexpr const char* kApplicationTitle = "Кельвадо";

}  // namespace kelvado
