// A small program for the window tests: the real layout in a real window, showing
// Image1's picture and running its events until the window is closed.
#include <chrono>
#include <thread>

#include "frames/window_layout.h"
#include "runtime/runtime.h"
#include "runtime/sdl/screen.h"

int main() {
  rt::ProjectRecord project{
      .layout = &frames::window_layout(),
      .create_startup_object = [](rt::Runtime& runtime) {
        rt::StartupObject object;
        object.procedures.activate = [&runtime] {
          rt::Window& window = runtime.window();
          rt::check_call(window.picture_box().set_picture(rt::picture_of(window.control("Image1"))), "Picture1",
                         "PictureBox", "Picture");
          for (;;) {
            runtime.do_events();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
          }
        };
        return object;
      }};
  return rt::run_on_screen(project);
}
