#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/timer.h"
#include "mixer/audio_mixer.h"
#include "mixer/mixer_presets.h"
#include "phrases/media_player.h"
#include "phrases/phrase_controller.h"
#include "ptt/ptt_control.h"
#include "settings/form_storage.h"
#include "settings/settings_record.h"
#include "shell/hot_keys.h"
#include "shell/popup_menu.h"
#include "shell/shell_ui.h"

namespace kelvado {

// The devices the main form owns for the whole run; the front end creates them.
struct Devices {
  WaveAudioDevice& wave;
  SerialPortDevice& serial;
  IoPortDevice& io;
  MixerDevice& mixer;
};

// The main window's logic: it owns the player, ports, mixer, timers, hot keys, tray icon,
// menu and settings storage, and holds every handler. The front end forwards each event to
// the handler of the same name; no error ever escapes a handler: it reaches the error box.
//
// Life of the program, as the front end drives it:
//   MainForm form(...);   // builds the window; raises Error when the wave device cannot open
//   form.start();         // FormCreate, then the window shows
//   ...event loop...      // handlers, timers; closeRequest() may end the loop
//   form.destroy();       // releases everything (also run by the destructor)
class MainForm : private PhraseUi {
 public:
  enum class WindowState { ShownAtStart, Hidden, Shown, Ending };

  MainForm(Devices devices, ShellUi& ui, FormWindow& window, ProfileStore& profile,
           PttControl::DevicePaths device_paths = PttControl::DevicePaths::Ignored);
  ~MainForm() override;
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  void start();
  void destroy();

  // Start-up and the window's life.
  void FormCreate();
  void TimerHideTimer();
  // A close request (close box, Alt+F4, the exit command): saves, then hides a visible
  // window or ends the program. True when the program is ending.
  bool closeRequest();
  // The close handler proper, after the storage has saved: hides or ends the program.
  bool FormClose();
  // Releases the transmitter and saves what is to be saved, without the window's save;
  // for a session that ends while the program runs (logout, SIGTERM).
  void endSession();

  // Tray icon and menu; menuClick runs the handler of the named entry.
  void TrayIconClick(MouseButton button, int x, int y);
  void menuClick(const std::string& entry);
  void mnOnOffClick();
  void mnF1Click() { play(1); }
  void mnF2Click() { play(2); }
  void mnF3Click() { play(3); }
  void mnF4Click() { play(4); }
  void mnF5Click() { record(1); }
  void mnF6Click() { record(2); }
  void mnF7Click() { record(3); }
  void mnF8Click() { record(4); }
  void mnF9Click() { stop(); }
  void mnSetupClick();
  void mnAboutClick();
  void mnExitClick();

  // Global keys, by hot-key id 0..10 (F1..F11); hotKey runs the item's handler.
  void hotKey(int id);
  void AMHotKeys1HotKeys0HotKey() { play(1); }
  void AMHotKeys1HotKeys1HotKey() { play(2); }
  void AMHotKeys1HotKeys2HotKey() { play(3); }
  void AMHotKeys1HotKeys3HotKey() { play(4); }
  void AMHotKeys1HotKeys4HotKey() { record(1); }
  void AMHotKeys1HotKeys5HotKey() { record(2); }
  void AMHotKeys1HotKeys6HotKey() { record(3); }
  void AMHotKeys1HotKeys7HotKey() { record(4); }
  void AMHotKeys1HotKeys8HotKey() { stop(); }
  void HotKeysHotKeys9HotKey() {}  // F10 is claimed and does nothing
  void HotKeysHotKeys10HotKey() { mnOnOffClick(); }

  // Settings window.
  void btSaveClick();
  void cbSerialNumChange();
  void cbInvChange();
  void rgSerialClick();
  void rgParallelClick();
  void rgDTRClick();
  void rgRTSClick();
  void sbMixerReciveClick();
  void sbMixerPlayClick();
  void sbMixerRecClick();

  SettingsRecord& settings() { return settings_; }
  const PopupMenu& menu() const { return menu_; }
  bool recorderOn() const { return menu_.entries().front().checked; }
  WindowState windowState() const { return state_; }
  PhraseController& phrases() { return controller_; }
  MixerPresets& mixerPresets() { return presets_; }
  PttControl& ptt() { return ptt_; }
  const HotKeys& hotKeys() const { return hot_keys_; }

  // The three timers, for the front end to run: 55 ms poll, repeat delay, start-up hide.
  kelvado::Timer Timer{55, true};
  kelvado::Timer TimerAuto{0, false};
  kelvado::Timer TimerHide{500, true};

 private:
  // PhraseUi
  int confirmRecord() override { return ui_.showConfirmDialog(); }
  void showTrayIcon(int index) override { ui_.showTrayIcon(index); }

  // Runs an operation started by an event; an error reaches the error box.
  void guarded(const std::function<void()>& operation);
  void play(int slot);
  void record(int slot);
  void stop();
  void DisableRecorder();
  void EnableRecorder();
  void setRecorderEntries(bool enabled);
  void showWindow();
  void endProgram();

  ShellUi& ui_;
  SettingsRecord settings_;
  MediaPlayer player_;
  AudioMixer mixer_;
  MixerPresets presets_;
  PttControl ptt_;
  PhraseController controller_;
  HotKeys hot_keys_;
  PopupMenu menu_;
  FormStorage storage_;
  WindowState state_ = WindowState::ShownAtStart;
  bool destroyed_ = false;
};

}  // namespace kelvado
