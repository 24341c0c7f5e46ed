#pragma once

#include <string>

namespace kelvado {

// Mouse buttons of a tray-icon click.
enum class MouseButton { Left, Right, Middle };

// The user-interface services the main form calls. Each front end implements them; every
// call comes on the one user-interface thread.
class ShellUi {
 public:
  virtual ~ShellUi() = default;

  // System-wide hot key `id` for the function key `virtual_key` (0x70 F1 .. 0x7A F11), no
  // modifiers. False when the system refuses it (another program holds the key).
  virtual bool registerHotKey(int id, int virtual_key) = 0;
  virtual void unregisterHotKey(int id) = 0;

  // Tray icon: show picture `index` (0..4) with the tool tip; the picture list is core's.
  virtual void showTrayIcon(int index) = 0;
  virtual void removeTrayIcon() = 0;
  // Opens the pop-up menu with its top-left corner at (x, y) in screen pixels.
  virtual void popupMenu(int x, int y) = 0;
  // The menu model changed (enabled or checked states): redraw it.
  virtual void menuChanged() = 0;

  // The main (settings) window.
  virtual void showWindow() = 0;
  virtual void hideWindow() = 0;
  virtual bool windowVisible() = 0;

  // Modal dialogs, each created for the call and destroyed after it. Timers, hot keys and
  // tray clicks keep running while one is open.
  virtual int showConfirmDialog() = 0;  // modal result: 6 yes, 2 cancel
  virtual void showAboutDialog() = 0;
  // The error message box: caption "Кельвадо", stop icon, OK.
  virtual void showError(const std::string& text) = 0;

  // Ends the application's message loop.
  virtual void quit() = 0;
};

}  // namespace kelvado
