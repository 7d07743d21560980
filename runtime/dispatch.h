#pragma once
// Turns desktop events into calls of the startup object's event procedures.

#include "runtime/desktop.h"
#include "runtime/pointer_scale.h"
#include "runtime/runtime.h"

namespace rt {

class EventDispatcher {
 public:
  EventDispatcher(const EventProcedures& procedures, const PointerScale& scale, PictureBox& picture_box);

  // Close ends the program, so it leaves the event pump with the events behind it
  // unhandled.
  void dispatch(const DesktopEvent& event);

 private:
  void typed(const std::string& text);
  void key(NamedKey key);
  void button_down(const DesktopEvent& event);
  void button_up(const DesktopEvent& event);
  void motion(const DesktopEvent& event);
  void key_press(std::int16_t code);

  const EventProcedures& procedures_;
  PointerScale scale_;
  PictureBox& picture_box_;
  bool single_press_ = false;  // the left button went down once; its release is a click
};

}  // namespace rt
