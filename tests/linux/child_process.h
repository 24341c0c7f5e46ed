#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kelvado::test {

// A program started by a test, with its standard output on a pipe the test reads and its
// standard error passed through. Killed and reaped if still running when destroyed.
class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& argv);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  int output() const { return output_; }
  void signal(int number) const;
  // The exit status, or 128 + signal number.
  int wait();

 private:
  pid_t pid_ = -1;
  int output_ = -1;
};

// Runs a program to its end; returns its exit status and, if asked, its standard output.
int Run(const std::vector<std::string>& argv, std::string* output = nullptr);

}  // namespace kelvado::test
