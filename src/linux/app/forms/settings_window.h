#pragma once

#include <QWidget>
#include <functional>

#include "settings/settings_record.h"
#include "widget_form_window.h"

namespace kelvado::qt {

// What the settings window runs on the operator's actions; the program fills it with the
// main form's handlers (see MainFormHandlers). Empty entries do nothing.
struct SettingsHandlers {
  std::function<void()> btSaveClick;  // also Enter and Esc, whatever has the focus
  std::function<void()> cbSerialNumChange;
  std::function<void()> cbInvChange;
  std::function<void()> rgSerialClick;
  std::function<void()> rgParallelClick;
  std::function<void()> rgDTRClick;
  std::function<void()> rgRTSClick;
  std::function<void()> sbMixerReciveClick;
  std::function<void()> sbMixerPlayClick;
  std::function<void()> sbMixerRecClick;
  // The close box, Alt+F4 and the window menu's close: the main form saves, then hides the
  // window or ends the program. The window never closes by itself.
  std::function<void()> closeRequest;
};

// The settings window "Настройки", built from SettingsForm(): fixed size, hidden, at its
// design position. It is the main form's FormWindow (formWindow()), so it exists before the
// main form; bind() then ties its widgets to the main form's settings record:
//
//   SettingsWindow window;
//   MainForm form(devices, ui, window.formWindow(), profile);
//   window.bind(form.settings(), MainFormHandlers(form));
//
// The record must outlive the window's event handling; the window may be destroyed before or
// after the record.
class SettingsWindow : public QWidget {
 public:
  SettingsWindow();
  ~SettingsWindow() override;
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;

  FormWindow& formWindow() { return formWindow_; }

  // Shows the record in the widgets and binds them to it both ways; each operator action runs
  // its handler. Called once.
  void bind(SettingsRecord& record, SettingsHandlers handlers);

 protected:
  // A close from the window system is a close request; the program's own close (as at quit)
  // closes.
  void closeEvent(QCloseEvent* event) override;

 private:
  void runHandler(std::function<void()> SettingsHandlers::*handler) const;

  SettingsHandlers handlers_;
  QObject* bindings_ = nullptr;  // the context of every binding's connections
  WidgetFormWindow formWindow_;
};

}  // namespace kelvado::qt
