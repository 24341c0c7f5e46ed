#pragma once

#include <QWidget>

#include "popup_menu.h"
#include "shell/main_form.h"
#include "shell/shell_ui.h"
#include "system_tray.h"
#include "x11_global_keys.h"

namespace kelvado::qt {

// The user-interface services of the Linux desktop: X11 key grabs, the tray icon and its
// menu, the settings window, the dialogs and the error box. Events go to the main form,
// attached once it exists (it calls these services while it is being built).
class QtShellUi : public ShellUi {
 public:
  explicit QtShellUi(QWidget& window);

  void attach(MainForm& form) { form_ = &form; }

  bool registerHotKey(int id, int virtual_key) override;
  void unregisterHotKey(int id) override;
  void showTrayIcon(int index) override;
  void removeTrayIcon() override;
  void popupMenu(int x, int y) override;
  void menuChanged() override;
  void showWindow() override;
  void hideWindow() override;
  bool windowVisible() override;
  int showConfirmDialog() override;
  void showAboutDialog() override;
  void showError(const std::string& text) override;
  void quit() override;

 private:
  QWidget& window_;
  MainForm* form_ = nullptr;
  X11GlobalKeys keys_;
  SystemTray tray_;
  PopupMenu menu_;
};

}  // namespace kelvado::qt
