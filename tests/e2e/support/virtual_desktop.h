#pragma once

#include <memory>
#include <string>

#include "child_process.h"

namespace kelvado::e2e {

// A private X display (Xvfb, 1024×768, on a display number the server picks free) and, on
// request, a tray host docked at the top left. Everything ends with the object.
class VirtualDesktop {
 public:
  // `log_directory` receives the servers' output.
  explicit VirtualDesktop(const std::string& log_directory);
  ~VirtualDesktop();
  VirtualDesktop(const VirtualDesktop&) = delete;
  VirtualDesktop& operator=(const VirtualDesktop&) = delete;

  const std::string& display() const { return display_; }  // ":N"

  // trayer, 200×24 pixels at the top left; returns once it owns the tray selection.
  void startTrayHost();
  void stopTrayHost();
  bool trayHostRunning() const;

 private:
  std::string log_directory_;
  std::string display_;
  std::unique_ptr<ChildProcess> server_;
  std::unique_ptr<ChildProcess> tray_host_;
};

}  // namespace kelvado::e2e
