#include "virtual_desktop.h"

#include <poll.h>
#include <unistd.h>
#include <csignal>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "polling.h"
#include "x_tools.h"

namespace kelvado::e2e {
namespace {

// Xvfb writes the display number it chose to descriptor 3 once it accepts clients.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  pollfd ready{fd, POLLIN, 0};
  char c = 0;
  while (poll(&ready, 1, 10000) == 1 && read(fd, &c, 1) == 1 && c != '\n') number += c;
  return number;
}

// A server's log, for the message of a failure: the test's directory goes with the test.
std::string LogText(const std::string& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

VirtualDesktop::VirtualDesktop(const std::string& log_directory) : log_directory_(log_directory) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) throw std::runtime_error("cannot make a pipe");
  // -noreset: by default the server resets whenever its last client leaves, and on a busy
  // machine a client that connects meanwhile (the tray host after the readiness probe) is
  // turned away; a test that drives a program from outside often has no client of its own.
  server_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp", "-noreset"},
      ChildOptions{.output = log_directory_ + "/xvfb.log", .passFd = pipe_ends[1]});
  close(pipe_ends[1]);
  const std::string number = ReadDisplayNumber(pipe_ends[0]);
  close(pipe_ends[0]);
  if (number.empty())
    throw std::runtime_error("Xvfb did not start:\n" + LogText(log_directory_ + "/xvfb.log"));
  display_ = ":" + number;
  // What the tools see is what counts: wait until xdotool can talk to the server.
  if (!WaitUntil([this] { return ScreenSize(display_).has_value(); }))
    throw std::runtime_error("display " + display_ + " does not answer");
}

VirtualDesktop::~VirtualDesktop() {
  stopTrayHost();
  server_->stop(SIGTERM);
}

void VirtualDesktop::startTrayHost() {
  tray_host_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{"trayer", "--edge", "top", "--align", "left", "--widthtype", "pixel",
                               "--width", "200", "--height", "24"},
      ChildOptions{.environment = {{"DISPLAY", display_}},
                   .output = log_directory_ + "/trayer.log"});
  if (!WaitUntil([this] { return TrayHostPresent(display_); }))
    throw std::runtime_error("trayer did not take the tray:\n" +
                             LogText(log_directory_ + "/trayer.log"));
}

void VirtualDesktop::stopTrayHost() {
  if (!tray_host_) return;
  tray_host_->stop(SIGTERM);
  tray_host_.reset();
}

bool VirtualDesktop::trayHostRunning() const {
  return tray_host_ != nullptr;
}

}  // namespace kelvado::e2e
