#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <stdexcept>

#include "polling.h"

extern char** environ;

namespace kelvado::e2e {
namespace {

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& changes) {
  std::map<std::string, std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const auto equals = text.find('=');
    if (equals != std::string::npos) merged[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto& [name, value] : changes) merged[name] = value;
  std::vector<std::string> result;
  for (const auto& [name, value] : merged) result.push_back(name + "=" + value);
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

int StatusCode(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options) {
  std::vector<std::string> arguments = argv;
  std::vector<std::string> environment = MergedEnvironment(options.environment);
  std::vector<char*> argument_pointers = Pointers(arguments);
  std::vector<char*> environment_pointers = Pointers(environment);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  const std::string output = options.output.empty() ? "/dev/null" : options.output;
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                   O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (options.errors.empty())
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  else if (options.errors != "-")
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, options.errors.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (options.passFd >= 0) posix_spawn_file_actions_adddup2(&actions, options.passFd, 3);
  if (!options.directory.empty())
    posix_spawn_file_actions_addchdir_np(&actions, options.directory.c_str());

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);

  const int error = posix_spawnp(&pid_, arguments[0].c_str(), &actions, &attributes,
                                 argument_pointers.data(), environment_pointers.data());
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + arguments[0]);
}

ChildProcess::~ChildProcess() {
  if (running()) stop(SIGTERM);
}

bool ChildProcess::reap(int options) {
  if (status_) return true;
  int status = 0;
  const pid_t result = waitpid(pid_, &status, options);
  if (result == pid_) status_ = StatusCode(status);
  return status_.has_value();
}

bool ChildProcess::running() {
  return !reap(WNOHANG);
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
  WaitUntil([this] { return !running(); }, timeout);
  return status_;
}

int ChildProcess::stop(int signal) {
  if (running()) {
    kill(-pid_, signal);
    if (!waitForExit(std::chrono::seconds(5))) {
      kill(-pid_, SIGKILL);
      reap(0);
    }
  }
  return *status_;
}

CommandResult RunCommand(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& environment) {
  char path[] = "/tmp/kelvado-command-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) throw std::runtime_error("cannot make a temporary file");
  close(fd);
  CommandResult result;
  {
    ChildProcess child(argv, {.environment = environment, .output = path, .errors = "-"});
    result.status = child.waitForExit(std::chrono::minutes(1)).value_or(-1);
  }
  if (FILE* file = std::fopen(path, "r")) {
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
      result.output.append(buffer, count);
    std::fclose(file);
  }
  unlink(path);
  return result;
}

}  // namespace kelvado::e2e
