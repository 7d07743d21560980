#pragma once
// An X session of its own for a test: a fresh Xvfb (and, if asked, a window
// manager), one program launched on it, and the X tools that drive and read the
// program's window. Everything it started is killed when it goes.

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/window/child_process.h"
#include "tests/window/ppm.h"

namespace xtest {

inline constexpr int kScreenWidth = 1280, kScreenHeight = 1024;

// The window managers a session can run: the common ones of X desktops.
enum class WindowManager { none, openbox, fluxbox, icewm, xfwm4, jwm, metacity, twm };
inline constexpr WindowManager kEveryWindowManager[] = {
    WindowManager::none, WindowManager::openbox, WindowManager::fluxbox,  WindowManager::icewm,
    WindowManager::xfwm4, WindowManager::jwm,    WindowManager::metacity, WindowManager::twm};
std::string name_of(WindowManager window_manager);

// Asks `done` every 20 ms until it says yes (true) or `timeout` passes (false).
bool eventually(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

struct WindowGeometry {
  int x = 0, y = 0;           // client area's top-left, on the screen
  int width = 0, height = 0;  // client area
  bool viewable = false;
};

class XSession {
 public:
  struct Options {
    WindowManager window_manager = WindowManager::none;
    int width = kScreenWidth, height = kScreenHeight, depth = 24;  // the screen's
    bool refuse_clients = false;  // the server asks for a cookie that no client has
  };
  XSession() : XSession(Options{}) {}
  explicit XSession(Options options);
  ~XSession();  // the program, the window manager and the server, in that order
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  const std::string& display() const { return display_; }  // ":N"

  struct LaunchOptions {
    bool with_display = true;                   // this session's DISPLAY, or none
    std::map<std::string, std::string> set_env;  // further variables to set
    std::vector<std::string> unset_env;         // and to remove
  };
  // Starts the program, its stderr going to a file of the session.
  void launch(const std::vector<std::string>& argv) { launch(argv, LaunchOptions{}); }
  void launch(const std::vector<std::string>& argv, const LaunchOptions& launch_options);
  ChildProcess& program() { return *program_; }
  std::optional<int> wait_for_exit(std::chrono::milliseconds timeout) { return program_->wait_for(timeout); }
  std::string program_stderr() const;
  // Peak resident memory of the running program (VmHWM), in kB; 0 if unknown.
  long peak_resident_kb() const;
  // Its resident memory now (VmRSS), in kB; 0 if unknown.
  long resident_kb() const;

  // The program's visible top-level window (xdotool search --sync --pid).
  std::string find_window(std::chrono::milliseconds timeout = std::chrono::seconds(30));
  // Waits until the window manager has made `window` the active one (it takes
  // the keys then); throws after `timeout`.
  void wait_until_active(const std::string& window, std::chrono::milliseconds timeout = std::chrono::seconds(30));
  // Windows that carry the program's pid; empty once they are gone.
  std::vector<std::string> windows_of_program();
  // The windows xdotool's search finds by `criteria`, at once; none if it finds none.
  std::vector<std::string> search_windows(const std::vector<std::string>& criteria);

  WindowGeometry geometry(const std::string& window);
  // The window manager's frame around `window`: the client widened by the extents
  // the window manager gives (_NET_FRAME_EXTENTS), or else the window it put the
  // client in; without a window manager the client itself.
  WindowGeometry frame(const std::string& window);
  std::string caption(const std::string& window) { return text_property(window, "_NET_WM_NAME"); }
  // A text property of the window, as xprop gives it: UTF-8 for UTF-8 text.
  std::string text_property(const std::string& window, const std::string& name);
  RgbImage screenshot(const std::string& window);

  // xdotool, with this session's display.
  void key(const std::string& keys);
  void type(const std::string& text);
  void move_to(const std::string& window, int x, int y);
  void click(int button = 1, int repeat = 1);

  // Kills the X server under the program.
  void kill_server();

  // An X tool with this session's display; throws if it fails or hangs.
  std::string x_tool(const std::vector<std::string>& argv,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10));

 private:
  void start_window_manager(WindowManager window_manager);  // once it manages windows
  std::vector<std::string> probe_windows() { return search_windows({"--classname", "^xmessage$"}); }
  bool probe_is_framed();  // by the window manager starting
  std::optional<std::string> parent_unless_root(const std::string& window);
  std::string window_manager_log() const { return directory_ + "/window-manager.log"; }
  std::string directory_;  // for the server's and the program's output
  std::string display_;
  std::unique_ptr<ChildProcess> server_;
  std::unique_ptr<ChildProcess> window_manager_;
  std::unique_ptr<ChildProcess> program_;
};

}  // namespace xtest
