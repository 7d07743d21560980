#include "tests/window/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace xtest {
namespace {

void redirect(const std::string& path, int fd) {
  const int target = open(path.empty() ? "/dev/null" : path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (target < 0 || dup2(target, fd) < 0) _exit(126);
  close(target);
}

// Child side of the fork: everything here must end in exec or _exit.
[[noreturn]] void exec_child(const std::vector<std::string>& argv, const ChildOptions& options) {
  for (const auto& name : options.unset_env) unsetenv(name.c_str());
  for (const auto& [name, value] : options.set_env) setenv(name.c_str(), value.c_str(), 1);
  redirect(options.stdout_path, STDOUT_FILENO);
  redirect(options.stderr_path, STDERR_FILENO);
  const int null_in = open("/dev/null", O_RDONLY);
  if (null_in >= 0) dup2(null_in, STDIN_FILENO);
  // Its own process group, so that a kill reaches anything it starts.
  setpgid(0, 0);
  if (options.keep_fd >= 0) fcntl(options.keep_fd, F_SETFD, 0);
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options) {
  if (argv.empty()) throw std::invalid_argument("no program to start");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) exec_child(argv, options);
}

ChildProcess::~ChildProcess() { kill_now(); }

bool ChildProcess::reap(int options) {
  if (status_) return true;
  int raw = 0;
  const pid_t got = waitpid(pid_, &raw, options);
  if (got != pid_) return false;
  status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return true;
}

bool ChildProcess::running() { return !reap(WNOHANG); }

std::optional<int> ChildProcess::wait_for(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!reap(WNOHANG)) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return status_;
}

void ChildProcess::kill_now() {
  if (pid_ <= 0 || status_) return;
  kill(-pid_, SIGKILL);  // the group it leads
  kill(pid_, SIGKILL);   // in case it had not yet made the group
  reap(0);
}

ToolResult run_tool(const std::vector<std::string>& argv, const ChildOptions& options,
                    std::chrono::milliseconds timeout) {
  char path[] = "/tmp/xtest-tool-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  close(fd);
  ChildOptions with_output = options;
  with_output.stdout_path = path;
  ToolResult result;
  {
    ChildProcess tool(argv, with_output);
    result.status = tool.wait_for(timeout).value_or(kTimedOut);
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  result.out = text.str();
  unlink(path);
  return result;
}

}  // namespace xtest
