#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvado::e2e {

// What an operator does and sees on a display, through xdotool and ImageMagick.

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
};

std::optional<std::pair<int, int>> ScreenSize(const std::string& display);
// Whether a tray host owns the system tray selection of screen 0.
bool TrayHostPresent(const std::string& display);

// Visible windows whose title matches the regular expression `title`.
std::vector<std::string> FindWindows(const std::string& display, const std::string& title);
// Visible windows of the process `pid`.
std::vector<std::string> WindowsOfProcess(const std::string& display, int pid);
// The first such window, once one is shown; nothing when none appears in time.
std::optional<std::string> WaitForWindow(const std::string& display, const std::string& title);
// Waits until no visible window matches `title`.
bool WaitForNoWindow(const std::string& display, const std::string& title);
std::optional<Rect> WindowGeometry(const std::string& display, const std::string& window);
std::string WindowTitle(const std::string& display, const std::string& window);

// Key names as xdotool knows them ("F1", "ctrl+F2", "Return", "Num_Lock"). Each call ends
// after the server has the events.
void PressKeys(const std::string& display, const std::vector<std::string>& keys);
// Types `text` into the focused window as keys.
void TypeText(const std::string& display, const std::string& text);
void FocusWindow(const std::string& display, const std::string& window);
// Moves a window's top-left corner to (x, y); returns once the server has done it.
void MoveWindow(const std::string& display, const std::string& window, int x, int y);
// Button 1 left, 2 middle, 3 right; `count` 2 is a double click.
void Click(const std::string& display, int x, int y, int button, int count = 1);
void MoveMouse(const std::string& display, int x, int y);
void PressButton(const std::string& display, int button);
void ReleaseButton(const std::string& display, int button);

// The whole screen as a PNG file.
void Screenshot(const std::string& display, const std::string& path);

}  // namespace kelvado::e2e
