#pragma once

#include <QMenu>
#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

namespace kelvado::qt {

// One entry of the tray's pop-up menu, as the menu model describes it.
struct PopupMenuEntry {
  QString caption;   // empty for a separator
  QString shortcut;  // shown at the right; the key itself acts through the global keys
  int image = -1;    // menu image 0..10, -1 for none
  bool enabled = true;
  bool checked = false;  // shown in the image column of an entry without an image
};

// The tray's pop-up menu: 16×16 images, shortcut texts at the right, separators. It never
// opens by itself; either mouse button chooses an entry.
class PopupMenu {
 public:
  // `on_choose` gets the index of the chosen entry in the list given to setEntries.
  explicit PopupMenu(std::function<void(int entry)> on_choose);

  // Takes a new list. A list of the same shape updates the entries in place, so it may be
  // called while the menu is open or from inside a choice.
  void setEntries(const std::vector<PopupMenuEntry>& entries);
  // Opens the menu with its top-left corner at `top_left`, moved to fit on the screen.
  void popup(QPoint top_left);

  QMenu& menu() { return menu_; }

 private:
  bool sameShape(const std::vector<PopupMenuEntry>& entries) const;
  void rebuild(const std::vector<PopupMenuEntry>& entries);

  QMenu menu_;
  std::function<void(int entry)> on_choose_;
};

}  // namespace kelvado::qt
