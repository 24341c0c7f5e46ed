#include "shell/error_text.h"

#include <cstdio>

namespace kelvado {

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

std::string StartupFailureReport(const std::string& error_class, const std::string& module,
                                 const void* address, const std::string& message) {
  char location[64];
  std::snprintf(location, sizeof location, "%p", address);
  std::string text =
      "Exception " + error_class + " in module " + module + " at " + location + ".\n" + message;
  if (message.empty() || message.back() != '.') text += ".";
  return text;
}

}  // namespace kelvado
