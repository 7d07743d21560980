#pragma once
// The window's fixed size, kept. Its hints tell the window manager that it cannot
// be resized, maximised or made fullscreen, but some do it anyway, and other
// programs can resize it: the window is then put back, at its size, where it was.

struct SDL_Window;

namespace rt {

class FixedSize {
 public:
  FixedSize(SDL_Window* window, int width, int height);

  // After each pump of SDL's events, told how often the window manager has
  // changed the window's state (_NET_WM_STATE) so far: notes where the window is
  // while it has its size and no state of a larger window; else asks for it back,
  // once for each other size or state it finds.
  void keep(unsigned long state_changes);
  // Whether the window has its size as SDL last heard.
  bool held() const;

 private:
  struct Seen {
    int width = 0, height = 0;
    bool enlarged = false;  // maximised or fullscreen
    bool operator==(const Seen&) const = default;
  };
  bool enlarged_state() const;

  SDL_Window* window_;
  int width_, height_;
  int x_ = 0, y_ = 0;  // the client area's top-left, while the window had its size
  unsigned long state_changes_ = 0;
  bool enlarged_ = false;
  Seen asked_back_from_{};
};

}  // namespace rt
