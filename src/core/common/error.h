#pragma once

#include <stdexcept>
#include <string>

namespace kelvado {

// An error that ends the running operation and reaches the operator in the error box.
// The message is the operator-facing text, exactly as it is shown.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A text that does not convert to an integer ("'%s' is not a valid integer value").
class ConversionError : public Error {
 public:
  explicit ConversionError(const std::string& text)
      : Error("'" + text + "' is not a valid integer value") {}
};

}  // namespace kelvado
