#include "tests/window/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace xtest {
namespace {

// Ours, less `unset`, with `set` on top.
std::vector<std::string> child_environment(const ChildOptions& options) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text(*entry);
    const std::string name = text.substr(0, text.find('='));
    const bool unset = std::find(options.unset_env.begin(), options.unset_env.end(), name) != options.unset_env.end();
    if (!unset && options.set_env.count(name) == 0) entries.push_back(text);
  }
  for (const auto& [name, value] : options.set_env) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> pointers_to(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

// Spawned rather than forked: the parent may be large, and a fork copies its page
// tables before the child can exec, which would count in a start-up time.
ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options) {
  if (argv.empty()) throw std::invalid_argument("no program to start");
  const auto null_or = [](const std::string& path) { return path.empty() ? "/dev/null" : path.c_str(); };
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, null_or(options.stdout_path), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, null_or(options.stderr_path), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // A descriptor duplicated onto itself loses its close-on-exec flag.
  if (options.keep_fd >= 0) posix_spawn_file_actions_adddup2(&actions, options.keep_fd, options.keep_fd);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // Its own process group, so that a kill reaches anything it starts.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);

  std::vector<std::string> args = argv, environment = child_environment(options);
  const int error = posix_spawnp(&pid_, args[0].c_str(), &actions, &attributes, pointers_to(args).data(),
                                 pointers_to(environment).data());
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    pid_ = -1;
    throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(error));
  }
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
