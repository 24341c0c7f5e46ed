#pragma once

#include <QImage>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "program/ptt_line.h"
#include "pseudo_terminal.h"
#include "support/child_process.h"
#include "support/temp_directory.h"
#include "support/virtual_desktop.h"
#include "support/x_tools.h"

namespace kelvado::e2e {

// The keyer as an operator meets it: started in a working folder of its own (phrase files,
// template, presets) on a private desktop with a tray host, with a private settings folder,
// sound through the test sound server, and the serial ports kComOne (the default PTT port)
// and kUsbSerial faked by pseudo terminals under the line recorder, which logs every PTT
// level. Helpers throw when the program does not answer in time.
class KeyerSession {
 public:
  static constexpr char kComOne[] = "/dev/ttyS0";
  static constexpr char kUsbSerial[] = "/dev/ttyUSB0";

  KeyerSession();
  KeyerSession(const KeyerSession&) = delete;
  KeyerSession& operator=(const KeyerSession&) = delete;

  const std::string& display() const { return desktop_.display(); }
  // A file in the program's current directory.
  std::string workFile(const std::string& name) const;
  std::string settingsFile() const;
  std::string scratchFile(const std::string& name) const { return scratch_ / name; }
  // What the program wrote, without the sound library's chatter: for failure messages.
  std::string programOutput() const;

  // Starts a copy of the program, its environment changed by `changes`, and returns at once.
  std::unique_ptr<ChildProcess> launch(const std::map<std::string, std::string>& changes = {});
  // Starts the program; returns once its start-up window has shown and hidden again, with the
  // time the window was seen.
  Clock::duration start();
  ChildProcess& program() { return *program_; }

  // The operator's keys and mouse.
  void press(const std::vector<std::string>& keys) const;
  // Where the icon is docked, once the tray host shows it.
  Rect trayIcon() const;
  // Right click on the middle of the icon; the menu's place once it is drawn.
  Rect openTrayMenu() const;
  // Chooses an entry of the open menu, as an operator can with the arrow keys and Enter;
  // highlighting goes as far as the arrow keys.
  void highlightMenuEntry(const std::string& name) const;
  void chooseMenuEntry(const std::string& name) const;
  // The settings window, once shown and drawn; through the tray menu.
  std::string settingsWindow() const;
  std::string openSettingsWindow() const;
  // Clicks a control of the settings window near its left edge: on a check box's box.
  void clickControl(const std::string& window, const std::string& control) const;
  // Replaces the text of a spin edit or drop-down list by typing.
  void typeInto(const std::string& window, const std::string& control,
                const std::string& text) const;

  // An area of the screen as it is now.
  QImage grab(const Rect& area) const;
  // Colours that tell the tray pictures apart: red in "off" and "waiting to repeat", orange
  // in "recording"; the others have neither.
  enum class Tint { Red, Orange };
  bool trayIconShows(Tint tint) const;

  // The PTT edges the program made so far on a serial port, and whether it holds it now.
  std::vector<PttEdge> pttEdges(const std::string& port = kComOne) const;
  bool serialPortOpen(const std::string& port = kComOne) const;

 private:
  TempDirectory scratch_;
  std::string work_;
  VirtualDesktop desktop_;
  test::PseudoTerminal com_one_;
  test::PseudoTerminal usb_serial_;
  std::unique_ptr<ChildProcess> program_;
};

}  // namespace kelvado::e2e
