#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "support/temp_directory.h"
#include "support/virtual_desktop.h"

namespace kelvado::e2e {

// The desktop that this test process draws on: started before the QApplication, so the
// pieces under test talk to it as the program talks to the operator's display.
VirtualDesktop& Desktop();
const std::string& Display();
// A private directory for the test's files, also the runtime directory.
const TempDirectory& Scratch();

// Runs the Qt event loop until `ready` holds; false when it does not in time.
bool ProcessEventsUntil(const std::function<bool()>& ready,
                        std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace kelvado::e2e
