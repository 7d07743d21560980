#pragma once
// The window class ZEMK: the viewer's shared state, its frame table and its event
// procedures. Form_Activate loads the frames and then runs the playback loop for
// the rest of the program; every handler runs nested in that loop's event pump and
// only changes the state fields, which the loop's next pass acts on.

#include <cstdint>

#include "runtime/runtime.h"
#include "viewer/frame_table.h"

namespace viewer {

// Values of `n`: a motion state, or a command that the loop's next pass applies.
namespace motion {
inline constexpr int kStopped = 0;
inline constexpr int kRunning = 1;
inline constexpr int kStartBackward = -1;
inline constexpr int kStartForward = 3;
inline constexpr int kStepBackward = -2;
inline constexpr int kStepForward = 2;
}  // namespace motion

class ZEMK {
 public:
  explicit ZEMK(rt::Runtime& runtime) : runtime_(runtime) {}
  ZEMK(const ZEMK&) = delete;
  ZEMK& operator=(const ZEMK&) = delete;

  // The shared state. Every field starts at 0, which is what a field that was
  // never written stands for; the program never tells the two apart.
  float k = 0;     // delay count: end value of the count in delay
  int l = 0;       // position within the set, 0..17
  int m = 0;       // backward flag: 1 while running backward
  int mm = 0;      // forward flag: 1 while running forward
  int n = 0;       // motion state or pending motion command (namespace motion)
  int m1 = 0;      // m saved on entering manual mouse mode
  int mm1 = 0;     // mm saved on entering manual mouse mode
  int n1 = 0;      // n saved on entering manual mouse mode
  int nm = 0;      // mouse mode: 0 automatic, 1 manual
  float yyy = 0;   // last pointer ordinate seen in manual mouse mode
  int hl = 0;      // frame set, 0..2
  int updo = 0;    // set direction: what Space adds to hl, 1 or -1

  // Loads the frames, sets the initial state and runs the playback loop; it never
  // returns (program end or an error unwinds through it).
  [[noreturn]] void Form_Activate();
  void Picture1_Click();
  [[noreturn]] void Picture1_DblClick();

 private:
  void delay();

 public:
  void Picture1_KeyPress(std::int16_t& key);
  void Picture1_MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y);

 private:
  void load_frames();
  void set_initial_state();
  void apply_motion();
  void take_frame(int index);
  void show(const rt::PictureRef& frame);
  [[noreturn]] void quit();

  rt::Runtime& runtime_;
  FrameTable frames;
};

}  // namespace viewer
