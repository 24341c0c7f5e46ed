#include "unit/fake_shell.h"

namespace kelvado::test {

bool FakeShellUi::registerHotKey(int id, int virtual_key) {
  log_.add("register F" + std::to_string(virtual_key - 0x6F));
  if (refusedKeys.count(id)) return false;
  registeredKeys.insert(id);
  return true;
}

void FakeShellUi::unregisterHotKey(int id) {
  log_.add("unregister F" + std::to_string(id + 1));
  registeredKeys.erase(id);
}

void FakeShellUi::popupMenu(int x, int y) {
  log_.add("menu at " + std::to_string(x) + "," + std::to_string(y));
}

void FakeShellUi::showWindow() {
  log_.add("show window");
  window_.shown = true;
}

void FakeShellUi::hideWindow() {
  log_.add("hide window");
  window_.shown = false;
}

int FakeShellUi::showConfirmDialog() {
  log_.add("confirm dialog");
  if (confirmAnswers.empty()) return 6;
  Answer answer = confirmAnswers.front();
  confirmAnswers.erase(confirmAnswers.begin());
  if (answer.whileOpen) answer.whileOpen();
  log_.add("confirm closed " + std::to_string(answer.result));
  return answer.result;
}

void FakeShellUi::showAboutDialog() {
  log_.add("about dialog");
  if (auto action = std::exchange(whileAboutOpen, {})) action();
  log_.add("about closed");
}

void FakeShellUi::showError(const std::string& text) {
  log_.add("error: " + text);
  errors.push_back(text);
}

}  // namespace kelvado::test
