#pragma once

#include <string>

namespace kelvado {

// The error box's text: the message, with "." appended when it is not empty and its last
// character's code is above that of ".".
std::string ErrorBoxText(const std::string& message);

// The report shown when the program cannot start ("Application Error").
std::string StartupFailureReport(const std::string& error_class, const std::string& module,
                                 const void* address, const std::string& message);

inline constexpr const char* kStartupFailureTitle = "Application Error";

}  // namespace kelvado
