#pragma once
// A child process for tests: spawned, waited for with a timeout,
// killed and reaped when its owner goes, so that no test leaves one behind.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace xtest {

struct ChildOptions {
  std::map<std::string, std::string> set_env;  // added to (or replacing in) the environment
  std::vector<std::string> unset_env;          // removed from the environment
  std::string stdout_path;                     // empty: /dev/null
  std::string stderr_path;                     // empty: /dev/null
  int keep_fd = -1;                            // a descriptor the child inherits as it is
};

class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options = {});
  ~ChildProcess();  // kills the child if it still runs, and reaps it
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  // Its exit status (128 + signal for a child a signal ended), or none if it is
  // still running after `timeout`.
  std::optional<int> wait_for(std::chrono::milliseconds timeout);
  // SIGKILL and reap; returns at once if it has ended already.
  void kill_now();

 private:
  bool reap(int options);
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// The status of a tool that did not end in time (it is killed).
inline constexpr int kTimedOut = -1;

// Runs a tool to its end (killed after `timeout`) and returns what it wrote on
// stdout, with its exit status.
struct ToolResult {
  int status = kTimedOut;
  std::string out;
};
ToolResult run_tool(const std::vector<std::string>& argv, const ChildOptions& options,
                    std::chrono::milliseconds timeout);

}  // namespace xtest
