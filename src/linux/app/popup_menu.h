#pragma once

#include <QMenu>
#include <QPoint>
#include <functional>
#include <vector>

#include "shell/popup_menu.h"

namespace kelvado::qt {

// The tray's pop-up menu, drawn from core's entries: 16×16 images, shortcut texts at the
// right, separators, and the check mark of an entry without an image in the image column.
// It never opens by itself; either mouse button chooses an entry.
class PopupMenu {
 public:
  // `on_choose` gets the index of the chosen entry in the list given to setEntries.
  explicit PopupMenu(std::function<void(int entry)> on_choose);

  // Takes a new list. A list of the same shape updates the entries in place, so it may be
  // given while the menu is open or from inside a choice.
  void setEntries(const std::vector<MenuEntry>& entries);
  // Opens the menu with its top-left corner at `top_left`, moved to fit on the screen.
  void popup(QPoint top_left);

  QMenu& menu() { return menu_; }

 private:
  bool sameShape(const std::vector<MenuEntry>& entries) const;
  void rebuild(const std::vector<MenuEntry>& entries);

  QMenu menu_;
  std::function<void(int entry)> on_choose_;
};

}  // namespace kelvado::qt
