#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace kelvado::test {

ChildProcess::ChildProcess(const std::vector<std::string>& argv, Captured captured) {
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
  if (captured == Captured::StdoutAndStderr) {
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDERR_FILENO);
  }
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const int error = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fds[1]);
  output_ = pipe_fds[0];
  if (error != 0) {
    pid_ = -1;
    throw std::runtime_error("cannot start " + argv[0]);
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    wait();
  }
  ::close(output_);
}

void ChildProcess::signal(int number) const {
  if (pid_ > 0) ::kill(pid_, number);
}

int ChildProcess::wait() {
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int Run(const std::vector<std::string>& argv, std::string* output, Captured captured) {
  ChildProcess child(argv, captured);
  std::string text;
  char buffer[4096];
  ssize_t size;
  while ((size = ::read(child.output(), buffer, sizeof buffer)) > 0 ||
         (size < 0 && errno == EINTR)) {
    if (size > 0) text.append(buffer, static_cast<size_t>(size));
  }
  if (output) *output = std::move(text);
  return child.wait();
}

}  // namespace kelvado::test
