#include "viewer/project.h"

#include <memory>

#include "frames/window_layout.h"
#include "viewer/zemk.h"

namespace viewer {
namespace {

rt::StartupObject create_zemk(rt::Runtime& runtime) {
  auto zemk = std::make_shared<ZEMK>(runtime);
  // The procedures live no longer than the instance beside them, so a plain pointer does.
  ZEMK* window = zemk.get();
  rt::EventProcedures procedures{
      .activate = [window] { window->Form_Activate(); },
      .click = [window] { window->Picture1_Click(); },
      .dbl_click = [window] { window->Picture1_DblClick(); },
      .key_press = [window](std::int16_t& key) { window->Picture1_KeyPress(key); },
      .mouse_move = [window](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
        window->Picture1_MouseMove(button, shift, x, y);
      },
  };
  return {.instance = std::move(zemk), .procedures = std::move(procedures)};
}

}  // namespace

rt::ProjectRecord zemk_project() {
  return {.layout = &frames::window_layout(), .create_startup_object = create_zemk};
}

}  // namespace viewer
