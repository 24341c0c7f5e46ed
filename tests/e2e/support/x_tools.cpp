#include "x_tools.h"

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include <xcb/xcb.h>

#include "child_process.h"
#include "polling.h"

namespace kelvado::e2e {
namespace {

CommandResult Tool(const std::string& display, std::vector<std::string> argv) {
  return RunCommand(argv, {{"DISPLAY", display}});
}

void MustRun(const std::string& display, std::vector<std::string> argv) {
  const CommandResult result = Tool(display, argv);
  if (result.status != 0) throw std::runtime_error(argv[0] + " " + argv[1] + " failed");
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

std::optional<std::pair<int, int>> ScreenSize(const std::string& display) {
  const CommandResult result = Tool(display, {"xdotool", "getdisplaygeometry"});
  std::istringstream stream(result.output);
  int width = 0, height = 0;
  if (result.status != 0 || !(stream >> width >> height)) return std::nullopt;
  return std::pair{width, height};
}

bool TrayHostPresent(const std::string& display) {
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  bool present = false;
  if (xcb_connection_has_error(connection) == 0) {
    const char name[] = "_NET_SYSTEM_TRAY_S0";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    if (atom != nullptr) {
      xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
          connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
      present = owner != nullptr && owner->owner != XCB_NONE;
      std::free(owner);
      std::free(atom);
    }
  }
  xcb_disconnect(connection);
  return present;
}

std::vector<std::string> FindWindows(const std::string& display, const std::string& title) {
  return Lines(Tool(display, {"xdotool", "search", "--onlyvisible", "--name", title}).output);
}

std::vector<std::string> WindowsOfProcess(const std::string& display, int pid) {
  return Lines(
      Tool(display, {"xdotool", "search", "--onlyvisible", "--pid", std::to_string(pid)}).output);
}

std::optional<std::string> WaitForWindow(const std::string& display, const std::string& title) {
  std::vector<std::string> windows;
  WaitUntil([&] { return !(windows = FindWindows(display, title)).empty(); });
  if (windows.empty()) return std::nullopt;
  return windows.front();
}

bool WaitForNoWindow(const std::string& display, const std::string& title) {
  return WaitUntil([&] { return FindWindows(display, title).empty(); });
}

std::optional<Rect> WindowGeometry(const std::string& display, const std::string& window) {
  const CommandResult result = Tool(display, {"xdotool", "getwindowgeometry", "--shell", window});
  if (result.status != 0) return std::nullopt;
  Rect rect;
  for (const std::string& line : Lines(result.output)) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string name = line.substr(0, equals);
    const int value = std::atoi(line.c_str() + equals + 1);
    if (name == "X") rect.x = value;
    if (name == "Y") rect.y = value;
    if (name == "WIDTH") rect.width = value;
    if (name == "HEIGHT") rect.height = value;
  }
  return rect;
}

std::string WindowTitle(const std::string& display, const std::string& window) {
  const std::vector<std::string> lines =
      Lines(Tool(display, {"xdotool", "getwindowname", window}).output);
  return lines.empty() ? std::string() : lines.front();
}

void PressKeys(const std::string& display, const std::vector<std::string>& keys) {
  std::vector<std::string> argv = {"xdotool", "key", "--delay", "20"};
  argv.insert(argv.end(), keys.begin(), keys.end());
  MustRun(display, argv);
}

void TypeText(const std::string& display, const std::string& text) {
  MustRun(display, {"xdotool", "type", "--delay", "20", text});
}

void FocusWindow(const std::string& display, const std::string& window) {
  MustRun(display, {"xdotool", "windowfocus", "--sync", window});
}

void MoveWindow(const std::string& display, const std::string& window, int x, int y) {
  MustRun(display,
          {"xdotool", "windowmove", "--sync", window, std::to_string(x), std::to_string(y)});
}

void Click(const std::string& display, int x, int y, int button, int count) {
  MustRun(display, {"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click",
                    "--repeat", std::to_string(count), "--delay", "40", std::to_string(button)});
}

void MoveMouse(const std::string& display, int x, int y) {
  MustRun(display, {"xdotool", "mousemove", std::to_string(x), std::to_string(y)});
}

void PressButton(const std::string& display, int button) {
  MustRun(display, {"xdotool", "mousedown", std::to_string(button)});
}

void ReleaseButton(const std::string& display, int button) {
  MustRun(display, {"xdotool", "mouseup", std::to_string(button)});
}

void Screenshot(const std::string& display, const std::string& path) {
  MustRun(display, {"import", "-display", display, "-window", "root", path});
}

}  // namespace kelvado::e2e
