#pragma once

#include <string>

namespace kelvado::test {

// Collects what this process writes to standard error while it exists.
class StderrCapture {
 public:
  StderrCapture();
  ~StderrCapture();
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Everything written so far.
  std::string text() const;

 private:
  int saved_;
  int file_;
};

}  // namespace kelvado::test
