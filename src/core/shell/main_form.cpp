#include "shell/main_form.h"

#include <array>
#include <exception>

#include "common/error.h"
#include "shell/error_text.h"

namespace kelvado {

MainForm::MainForm(Devices devices, ShellUi& ui, FormWindow& window, ProfileStore& profile,
                   PttControl::DevicePaths device_paths)
    : ui_(ui),
      player_(devices.wave),
      mixer_(devices.mixer),
      presets_(mixer_),
      ptt_(settings_, devices.serial, devices.io, presets_, device_paths),
      controller_(settings_, player_, ptt_, presets_, TimerAuto, *this),
      hot_keys_(ui),
      storage_(settings_, window, profile) {
  // The player opens the device before anything else can run; without it the program
  // cannot start, and the error leaves the constructor.
  player_.open();
  hot_keys_.registerAll();
  ui_.showTrayIcon(0);
  Timer.onTimer = [this] { guarded([this] { controller_.TimerTimer(); }); };
  TimerAuto.onTimer = [this] { guarded([this] { controller_.TimerAutoTimer(); }); };
  TimerHide.onTimer = [this] { TimerHideTimer(); };
}

MainForm::~MainForm() {
  destroy();
}

void MainForm::guarded(const std::function<void()>& operation) {
  try {
    operation();
  } catch (const std::exception& error) {
    ui_.showError(ErrorBoxText(error.what()));
  }
}

void MainForm::start() {
  guarded([this] { FormCreate(); });
  showWindow();
  state_ = WindowState::ShownAtStart;
}

void MainForm::FormCreate() {
  storage_.RestoreSettings();
  if (presets_.deviceCount() >= 1) presets_.loadPresets();
  ptt_.OpenPortDriver();
  if (settings_.serialMode()) {
    ptt_.CloseSerialPort();
    ptt_.SelectSerialPort();
    ptt_.OpenSerialPort();
  }
  ptt_.PttOff();
}

void MainForm::TimerHideTimer() {
  TimerHide.setEnabled(false);
  if (state_ != WindowState::ShownAtStart) return;
  ui_.hideWindow();
  state_ = WindowState::Hidden;
}

void MainForm::showWindow() {
  if (ui_.windowVisible()) return;
  // The window opens with what the settings file holds; a failed restore still shows it.
  guarded([this] { storage_.onShowing(); });
  ui_.showWindow();
  state_ = WindowState::Shown;
}

bool MainForm::closeRequest() {
  guarded([this] { storage_.onCloseQuery(); });
  return FormClose();
}

bool MainForm::FormClose() {
  if (ui_.windowVisible()) {
    ui_.hideWindow();
    state_ = WindowState::Hidden;
    return false;
  }
  endProgram();
  return true;
}

void MainForm::endSession() {
  if (state_ == WindowState::Ending) return;
  guarded([this] { storage_.onCloseQuery(); });
  if (ui_.windowVisible()) ui_.hideWindow();
  endProgram();
}

// Each step runs even when one before it failed: the program always ends, and the
// transmitter is never left keyed.
void MainForm::endProgram() {
  state_ = WindowState::Ending;
  guarded([this] { controller_.StopAll(); });
  if (presets_.deviceCount() >= 1) guarded([this] { presets_.savePresets(); });
  ptt_.releaseLine();
  guarded([this] { ptt_.ClosePortDriver(); });
  ui_.quit();
}

void MainForm::destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  guarded([this] { storage_.onDestroy(); });
  player_.close();
  hot_keys_.releaseAll();
  ui_.removeTrayIcon();
  ptt_.releaseLine();
  ptt_.CloseSerialPort();
}

void MainForm::TrayIconClick(MouseButton button, int x, int y) {
  switch (button) {
    case MouseButton::Left:
      mnOnOffClick();
      break;
    case MouseButton::Right:
      ui_.popupMenu(x - 10, y - 10);
      break;
    case MouseButton::Middle:
      break;
  }
}

void MainForm::menuClick(const std::string& name) {
  static const std::pair<const char*, void (MainForm::*)()> kHandlers[] = {
      {"mnOnOff", &MainForm::mnOnOffClick}, {"mnF1", &MainForm::mnF1Click},
      {"mnF2", &MainForm::mnF2Click},       {"mnF3", &MainForm::mnF3Click},
      {"mnF4", &MainForm::mnF4Click},       {"mnF5", &MainForm::mnF5Click},
      {"mnF6", &MainForm::mnF6Click},       {"mnF7", &MainForm::mnF7Click},
      {"mnF8", &MainForm::mnF8Click},       {"mnF9", &MainForm::mnF9Click},
      {"mnSetup", &MainForm::mnSetupClick}, {"mnAbout", &MainForm::mnAboutClick},
      {"mnExit", &MainForm::mnExitClick},
  };
  for (auto [entry, handler] : kHandlers) {
    if (name == entry && menu_.entry(name).enabled) (this->*handler)();
  }
}

void MainForm::hotKey(int id) {
  static constexpr std::array<void (MainForm::*)(), kHotKeyCount> kHandlers = {
      &MainForm::AMHotKeys1HotKeys0HotKey, &MainForm::AMHotKeys1HotKeys1HotKey,
      &MainForm::AMHotKeys1HotKeys2HotKey, &MainForm::AMHotKeys1HotKeys3HotKey,
      &MainForm::AMHotKeys1HotKeys4HotKey, &MainForm::AMHotKeys1HotKeys5HotKey,
      &MainForm::AMHotKeys1HotKeys6HotKey, &MainForm::AMHotKeys1HotKeys7HotKey,
      &MainForm::AMHotKeys1HotKeys8HotKey, &MainForm::HotKeysHotKeys9HotKey,
      &MainForm::HotKeysHotKeys10HotKey,
  };
  if (id < 0 || id >= kHotKeyCount || !hot_keys_.registered(id)) return;
  (this->*kHandlers[static_cast<size_t>(id)])();
}

void MainForm::play(int slot) {
  guarded([this, slot] { controller_.PlayPhrase(slot); });
}

void MainForm::record(int slot) {
  guarded([this, slot] { controller_.RecordPhrase(slot); });
}

void MainForm::stop() {
  guarded([this] { controller_.StopAll(); });
}

void MainForm::mnOnOffClick() {
  guarded([this] {
    MenuEntry& on_off = menu_.entry("mnOnOff");
    if (on_off.checked) {
      DisableRecorder();
      on_off.checked = false;
    } else {
      EnableRecorder();
      on_off.checked = true;
    }
  });
  ui_.menuChanged();
}

void MainForm::setRecorderEntries(bool enabled) {
  for (int n = 1; n <= 9; ++n) menu_.entry("mnF" + std::to_string(n)).enabled = enabled;
}

void MainForm::DisableRecorder() {
  controller_.StopAll();
  for (int id = 0; id <= 9; ++id) hot_keys_.setEnabled(id, false);
  setRecorderEntries(false);
  controller_.IconState = 3;
  ptt_.CloseSerialPort();
}

void MainForm::EnableRecorder() {
  for (int id = 0; id <= 9; ++id) hot_keys_.setEnabled(id, true);
  setRecorderEntries(true);
  controller_.IconState = 0;
  ptt_.SelectSerialPort();
  if (settings_.serialMode()) ptt_.OpenSerialPort();
  ptt_.PttOff();
}

void MainForm::mnSetupClick() {
  showWindow();
}

void MainForm::mnAboutClick() {
  ui_.showAboutDialog();
}

void MainForm::mnExitClick() {
  closeRequest();
}

void MainForm::btSaveClick() {
  try {
    storage_.SaveSettings();
  } catch (const std::exception& error) {
    ui_.showError(ErrorBoxText(error.what()));
    return;
  }
  ui_.hideWindow();
  state_ = WindowState::Hidden;
}

void MainForm::cbSerialNumChange() {
  guarded([this] { ptt_.cbSerialNumChange(); });
}
void MainForm::cbInvChange() {
  guarded([this] { ptt_.cbInvChange(); });
}
void MainForm::rgSerialClick() {
  guarded([this] { ptt_.rgSerialClick(); });
}
void MainForm::rgParallelClick() {
  guarded([this] { ptt_.rgParallelClick(); });
}
void MainForm::rgDTRClick() {
  guarded([this] { ptt_.rgDTRClick(); });
}
void MainForm::rgRTSClick() {
  guarded([this] { ptt_.rgRTSClick(); });
}
void MainForm::sbMixerReciveClick() {
  presets_.sbMixerReciveClick();
}
void MainForm::sbMixerPlayClick() {
  presets_.sbMixerPlayClick();
}
void MainForm::sbMixerRecClick() {
  presets_.sbMixerRecClick();
}

}  // namespace kelvado
