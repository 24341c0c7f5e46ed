#pragma once

#include <sys/types.h>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelvado::e2e {

struct ChildOptions {
  std::map<std::string, std::string> environment{};  // added to, or replacing, the test's own
  std::string directory{};                           // working directory; empty: the test's
  std::string output{};  // file taking standard output; empty: /dev/null
  std::string errors{};  // file taking standard error; empty: as output; "-": the test's own
  int passFd = -1;       // a descriptor the child gets as its descriptor 3
};

// A program the test started, in a process group of its own. Ended (SIGTERM, then
// SIGKILL) with its whole group when the object goes, unless it has ended already.
class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  // The exit status, or 128 + signal; nothing when it is still running at the deadline.
  std::optional<int> waitForExit(std::chrono::milliseconds timeout);
  // Sends `signal` to the process group and waits for the end; SIGKILL when that is late.
  int stop(int signal);

 private:
  bool reap(int options);

  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Runs a command to its end and returns its exit status and standard output.
struct CommandResult {
  int status = -1;
  std::string output;
};
CommandResult RunCommand(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& environment = {});

}  // namespace kelvado::e2e
