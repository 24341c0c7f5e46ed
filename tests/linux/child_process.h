#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kelvado::test {

// Which of a child's outputs go to the pipe the test reads; the others are passed through.
enum class Captured { Stdout, StdoutAndStderr };

// A program started by a test, with its output on a pipe the test reads. Killed and reaped
// if still running when destroyed.
class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& argv, Captured captured = Captured::Stdout);
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

// Runs a program to its end; returns its exit status and, if asked, its captured output.
int Run(const std::vector<std::string>& argv, std::string* output = nullptr,
        Captured captured = Captured::Stdout);

}  // namespace kelvado::test
