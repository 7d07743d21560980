#include "tests/window/x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

namespace xtest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Asks `done` every 20 ms until it says yes (true) or `deadline` passes (false).
bool poll_until(Clock::time_point deadline, const std::function<bool()>& done) {
  for (;;) {
    if (done()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The display number Xvfb writes to -displayfd once it accepts connections.
std::string read_display_number(int fd, std::chrono::milliseconds timeout) {
  std::string number;
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) throw std::runtime_error("Xvfb did not report its display");
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
    char c = 0;
    if (read(fd, &c, 1) != 1) throw std::runtime_error("Xvfb ended before reporting its display");
    if (c == '\n') return number;
    number += c;
  }
}

// Value of `name: value` in a line of xwininfo's output.
int field(const std::string& text, const std::string& name) {
  const auto at = text.find(name + ":");
  if (at == std::string::npos) throw std::runtime_error("xwininfo gave no " + name);
  return std::stoi(text.substr(at + name.size() + 1));
}

// A tool's options: this display, output to `stderr_path` (empty: nowhere).
ChildOptions on_display(const std::string& display, const std::string& stderr_path = "") {
  ChildOptions options;
  options.set_env["DISPLAY"] = display;
  options.stderr_path = stderr_path;
  return options;
}

// How each window manager starts. The GTK ones read their settings over a
// session bus, and get one of their own.
std::vector<std::string> window_manager_command(WindowManager window_manager) {
  switch (window_manager) {
    case WindowManager::openbox: return {"openbox"};
    case WindowManager::fluxbox: return {"fluxbox"};
    case WindowManager::icewm: return {"icewm"};
    case WindowManager::xfwm4: return {"dbus-run-session", "--", "xfwm4", "--compositor=off"};
    case WindowManager::jwm: return {"jwm"};
    case WindowManager::metacity: return {"dbus-run-session", "--", "metacity"};
    case WindowManager::twm: return {"twm"};
    case WindowManager::none: break;
  }
  throw std::invalid_argument("no window manager to start");
}

}  // namespace

bool eventually(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  return poll_until(Clock::now() + timeout, done);
}

std::string name_of(WindowManager window_manager) {
  switch (window_manager) {
    case WindowManager::none: return "no_window_manager";
    case WindowManager::openbox: return "openbox";
    case WindowManager::fluxbox: return "fluxbox";
    case WindowManager::icewm: return "icewm";
    case WindowManager::xfwm4: return "xfwm4";
    case WindowManager::jwm: return "jwm";
    case WindowManager::metacity: return "metacity";
    case WindowManager::twm: return "twm";
  }
  return "unknown";
}

XSession::XSession(Options options) {
  char directory[] = "/tmp/xsession-XXXXXX";
  if (mkdtemp(directory) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = directory;

  std::vector<std::string> access;  // the server's options for whom it admits
  if (options.refuse_clients) {
    // A server given cookies admits only the clients that bring one of them.
    const std::string cookies = directory_ + "/cookies";
    if (run_tool({"xauth", "-f", cookies, "add", ":0", ".", "0123456789abcdef0123456789abcdef"}, {}, 10s).status != 0) {
      throw std::runtime_error("xauth could not write the server's cookie");
    }
    access = {"-auth", cookies};
  }

  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  std::vector<std::string> server_argv{
      "Xvfb", "-displayfd", std::to_string(pipe_fds[1]), "-screen", "0",
      std::to_string(options.width) + "x" + std::to_string(options.height) + "x" + std::to_string(options.depth),
      "-nolisten", "tcp"};
  server_argv.insert(server_argv.end(), access.begin(), access.end());
  ChildOptions server_options;
  server_options.stderr_path = directory_ + "/xvfb.log";
  server_options.keep_fd = pipe_fds[1];
  server_ = std::make_unique<ChildProcess>(server_argv, server_options);
  close(pipe_fds[1]);
  try {
    display_ = std::string(":").append(read_display_number(pipe_fds[0], 20s));
  } catch (...) {
    close(pipe_fds[0]);
    throw;
  }
  close(pipe_fds[0]);

  if (options.window_manager != WindowManager::none) start_window_manager(options.window_manager);
}

void XSession::start_window_manager(WindowManager window_manager) {
  ChildOptions options = on_display(display_, window_manager_log());
  // Whatever a window manager writes to its home stays in the session's directory.
  options.set_env["HOME"] = directory_;
  // GTK's accessibility bridge would start services that outlive the session.
  options.set_env["NO_AT_BRIDGE"] = "1";
  if (window_manager == WindowManager::fluxbox) {
    // Its wallpaper helper fails on a bare server and says so in a window of its own.
    std::filesystem::create_directories(directory_ + "/.fluxbox");
    std::ofstream(directory_ + "/.fluxbox/overlay") << "background: none\n";
  }
  const std::vector<std::string> command = window_manager_command(window_manager);
  const auto start = [&] { window_manager_ = std::make_unique<ChildProcess>(command, options); };
  start();
  const auto deadline = Clock::now() + 30s;
  const auto late = [&] {
    return std::runtime_error(name_of(window_manager) + " did not start:\n" + read_file(window_manager_log()));
  };
  // A window manager claims the screen before it has finished starting, and a
  // window mapped in between is never managed: it stays unmapped, and the program
  // that waits for it to show waits for good. It is ready once it has put a probe
  // window in a frame of its own; a probe it missed is closed and another shown.
  // On a loaded machine one has been seen to end before that; it gets one more go.
  bool restarted = false;
  for (;;) {
    // At a place of its own choosing: twm lets the user place a window that has none.
    ChildProcess probe({"xmessage", "-geometry", "+0+0", "-timeout", "30", "probe"}, on_display(display_));
    if (poll_until(std::min(Clock::now() + 2s, deadline), [&] { return probe_is_framed(); })) break;
    if (!window_manager_->running()) {
      if (restarted) throw std::runtime_error(name_of(window_manager) + " ended:\n" + read_file(window_manager_log()));
      start(), restarted = true;
    }
    if (Clock::now() >= deadline) throw late();
  }
  if (!poll_until(deadline, [&] { return probe_windows().empty(); })) throw late();
}

bool XSession::probe_is_framed() {
  for (const std::string& window : probe_windows()) {
    if (parent_unless_root(window)) return true;
  }
  return false;
}

std::optional<std::string> XSession::parent_unless_root(const std::string& window) {
  // `Parent window id: 0x25 (the root window) (has no name)`
  const std::string tree = x_tool({"xwininfo", "-children", "-id", window});
  const auto at = tree.find("Parent window id:");
  if (at == std::string::npos) throw std::runtime_error("xwininfo gave no parent");
  std::istringstream line(tree.substr(at + std::string("Parent window id:").size()));
  std::string id, rest;
  line >> id;
  std::getline(line, rest);
  if (rest.find("(the root window)") != std::string::npos) return std::nullopt;
  return id;
}

XSession::~XSession() {
  program_.reset();
  window_manager_.reset();
  server_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

void XSession::launch(const std::vector<std::string>& argv, const LaunchOptions& launch_options) {
  ChildOptions options;
  options.stderr_path = directory_ + "/program.err";
  options.set_env = launch_options.set_env;
  options.unset_env = launch_options.unset_env;
  if (launch_options.with_display) {
    options.set_env["DISPLAY"] = display_;
  } else {
    options.unset_env.insert(options.unset_env.end(), {"DISPLAY", "WAYLAND_DISPLAY"});
  }
  program_ = std::make_unique<ChildProcess>(argv, options);
}

std::string XSession::program_stderr() const { return read_file(directory_ + "/program.err"); }

namespace {

// A "Name:   N kB" line of a process's /proc status, in kB; 0 if it has none.
long status_kb(pid_t pid, std::string_view name) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with(name) && line.size() > name.size() && line[name.size()] == ':') {
      return std::stol(line.substr(name.size() + 1));
    }
  }
  return 0;
}

}  // namespace

long XSession::peak_resident_kb() const { return status_kb(program_->pid(), "VmHWM"); }
long XSession::resident_kb() const { return status_kb(program_->pid(), "VmRSS"); }

std::string XSession::x_tool(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) {
  const ToolResult result = run_tool(argv, on_display(display_), timeout);
  if (result.status == kTimedOut) {
    throw std::runtime_error(argv[0] + " " + argv.at(1) + " did not end within " +
                             std::to_string(timeout.count()) + " ms");
  }
  if (result.status != 0) {
    throw std::runtime_error(argv[0] + " failed with status " + std::to_string(result.status));
  }
  return result.out;
}

std::string XSession::find_window(std::chrono::milliseconds timeout) {
  std::string windows;
  try {
    windows = x_tool({"xdotool", "search", "--sync", "--onlyvisible", "--pid", std::to_string(program_->pid())},
                     timeout);
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(std::string(program_->running() ? "the program shows no window: "
                                                             : "the program ended without a window: ") +
                             error.what() + "\n" + program_stderr() +
                             (window_manager_ ? "window manager:\n" + read_file(window_manager_log()) : ""));
  }
  std::istringstream found(windows);
  std::string window;
  found >> window;
  if (window.empty()) throw std::runtime_error("the program shows no window");
  return window;
}

void XSession::wait_until_active(const std::string& window, std::chrono::milliseconds timeout) {
  const bool active = poll_until(Clock::now() + timeout, [&] {
    const ToolResult result = run_tool({"xdotool", "getactivewindow"}, on_display(display_), 10s);
    return result.status == 0 && std::stoul("0" + result.out) == std::stoul(window);
  });
  if (!active) throw std::runtime_error("the window never became active");
}

std::vector<std::string> XSession::windows_of_program() {
  return search_windows({"--pid", std::to_string(program_->pid())});
}

std::vector<std::string> XSession::search_windows(const std::vector<std::string>& criteria) {
  std::vector<std::string> argv{"xdotool", "search"};
  argv.insert(argv.end(), criteria.begin(), criteria.end());
  // Without --sync xdotool does not wait, and fails when nothing matches.
  std::istringstream found(run_tool(argv, on_display(display_), 10s).out);
  std::vector<std::string> windows;
  for (std::string window; found >> window;) windows.push_back(window);
  return windows;
}

WindowGeometry XSession::geometry(const std::string& window) {
  const std::string info = x_tool({"xwininfo", "-id", window});
  return {.x = field(info, "Absolute upper-left X"),
          .y = field(info, "Absolute upper-left Y"),
          .width = field(info, "Width"),
          .height = field(info, "Height"),
          .viewable = info.find("Map State: IsViewable") != std::string::npos};
}

WindowGeometry XSession::frame(const std::string& window) {
  const WindowGeometry client = geometry(window);
  // `_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom`, or `... not found.`
  const std::string line = x_tool({"xprop", "-id", window, "_NET_FRAME_EXTENTS"});
  if (const auto equals = line.find('='); equals != std::string::npos) {
    std::istringstream values(line.substr(equals + 1));
    std::vector<int> side;  // left, right, top, bottom
    for (std::string value; std::getline(values, value, ',');) side.push_back(std::stoi(value));
    if (side.size() == 4) {
      return {.x = client.x - side[0], .y = client.y - side[2], .width = client.width + side[0] + side[1],
              .height = client.height + side[2] + side[3], .viewable = client.viewable};
    }
  }
  // Up the tree to the child of the root.
  std::string outermost = window;
  while (const auto parent = parent_unless_root(outermost)) outermost = *parent;
  // xwininfo's upper-left corner is the border's; its size, what lies inside it.
  const std::string info = x_tool({"xwininfo", "-id", outermost});
  const int border = field(info, "Border width");
  return {.x = field(info, "Absolute upper-left X"),
          .y = field(info, "Absolute upper-left Y"),
          .width = field(info, "Width") + 2 * border,
          .height = field(info, "Height") + 2 * border,
          .viewable = client.viewable};
}

std::string XSession::text_property(const std::string& window, const std::string& name) {
  // `NAME(TYPE) = "..."`: the text between the first and last quote.
  const std::string line = x_tool({"xprop", "-id", window, name});
  const auto first = line.find('"'), last = line.rfind('"');
  if (first == std::string::npos || last == first) throw std::runtime_error("no " + name + ": " + line);
  return line.substr(first + 1, last - first - 1);
}

RgbImage XSession::screenshot(const std::string& window) {
  return parse_ppm(x_tool({"import", "-window", window, "-depth", "8", "ppm:-"}, 20s));
}

void XSession::key(const std::string& keys) { x_tool({"xdotool", "key", keys}); }
void XSession::type(const std::string& text) { x_tool({"xdotool", "type", text}); }

void XSession::move_to(const std::string& window, int x, int y) {
  x_tool({"xdotool", "mousemove", "--window", window, std::to_string(x), std::to_string(y)});
}

void XSession::click(int button, int repeat) {
  x_tool({"xdotool", "click", "--repeat", std::to_string(repeat), std::to_string(button)});
}

void XSession::kill_server() { server_->kill_now(); }

}  // namespace xtest
