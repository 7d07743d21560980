// A small program for the window tests: the real layout in a real window, showing
// Image1's picture and running its events until the window is closed. With
// --fail it raises the runtime's error once the picture has been shown, and so
// ends with the error box up.
#include <chrono>
#include <string_view>
#include <thread>

#include "frames/window_layout.h"
#include "runtime/runtime.h"
#include "runtime/sdl/screen.h"

int main(int argc, char** argv) {
  const bool fail = argc > 1 && std::string_view(argv[1]) == "--fail";
  rt::ProjectRecord project{
      .layout = &frames::window_layout(),
      .create_startup_object = [fail](rt::Runtime& runtime) {
        rt::StartupObject object;
        object.procedures.activate = [&runtime, fail] {
          rt::Window& window = runtime.window();
          rt::check_call(window.picture_box().set_picture(rt::picture_of(window.control("Image1"))), "Picture1",
                         "PictureBox", "Picture");
          for (;;) {
            runtime.do_events();
            if (fail) rt::check_call(rt::Status::failed, "Picture1", "PictureBox", "Refresh");
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
          }
        };
        return object;
      }};
  return rt::run_on_screen(project);
}
