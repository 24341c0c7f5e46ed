#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "shell/shell_ui.h"
#include "unit/fake_form_window.h"
#include "unit/fakes.h"

namespace kelvado::test {

// User-interface services that log what the main form asks of them. Dialogs answer from a
// queue; an answer may run an action "while the dialog is open".
class FakeShellUi : public ShellUi {
 public:
  FakeShellUi(CallLog& log, FakeFormWindow& window) : log_(log), window_(window) {}

  bool registerHotKey(int id, int virtual_key) override;
  void unregisterHotKey(int id) override;
  void showTrayIcon(int index) override { icon = index; }
  void removeTrayIcon() override { log_.add("tray removed"); }
  void popupMenu(int x, int y) override;
  void menuChanged() override {}
  void showWindow() override;
  void hideWindow() override;
  bool windowVisible() override { return window_.shown; }
  int showConfirmDialog() override;
  void showAboutDialog() override;
  void showError(const std::string& text) override;
  void quit() override { log_.add("quit"); }

  std::set<int> refusedKeys;  // hot-key ids another program holds
  std::set<int> registeredKeys;
  int icon = -1;
  std::vector<std::string> errors;
  struct Answer {
    int result;
    std::function<void()> whileOpen;
  };
  std::vector<Answer> confirmAnswers;
  std::function<void()> whileAboutOpen;

 private:
  CallLog& log_;
  FakeFormWindow& window_;
};

}  // namespace kelvado::test
