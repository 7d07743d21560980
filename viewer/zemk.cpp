#include "viewer/zemk.h"

#include <string>

#include "runtime/services.h"

namespace viewer {
namespace {

constexpr float kInitialDelayCount = 1000000;
constexpr float kManualDelayCount = 10000;
constexpr float kPointerFactor = 30;
constexpr std::int16_t kEscapeCode = 27;
constexpr int kBackwardStep = kPositionsPerSet - 1;  // moving back adds 17, so no dividend goes negative

}  // namespace

void ZEMK::take_frame(int index) {
  // Frame i is the picture of the holder numbered i + 1.
  frames.store(index, rt::picture_of(runtime_.window().control(frames::holder_name(index + 1))));
}

void ZEMK::show(const rt::PictureRef& frame) {
  rt::check_call(runtime_.window().picture_box().set_picture(frame), "Picture1", "PictureBox",
                 "set_picture");
}

void ZEMK::quit() {
  rt::check_call(runtime_.window().hide(), "ZEMK", "Window", "hide");
  rt::end_program();
}

void ZEMK::Form_Activate() {
  load_frames();
  set_initial_state();
  for (;;) {
    apply_motion();
    show(frames.at(kPositionsPerSet * hl + l));
    delay();
  }
}

// Frame 0 is on the screen before any other frame is taken; events run only
// after frames 1 to 53, 53 times in all.
void ZEMK::load_frames() {
  take_frame(0);
  show(frames.unchecked(0));
  for (int i = 1; i < kFrameCount; ++i) {
    take_frame(i);
    runtime_.do_events();
  }
}

// Replaces whatever handlers stored in these four during loading; the mouse mode,
// the saved motion state and yyy carry over.
void ZEMK::set_initial_state() {
  n = motion::kRunning;
  k = kInitialDelayCount;
  hl = 0;
  updo = 1;
}

// The pending command first, then the run. Each test sees what the tests before
// it left in this pass: a start command moves one position itself and leaves the
// mechanism running, so the run moves it one more; a step command is cancelled by
// whichever run flag is set, so against a run it only stops the mechanism.
void ZEMK::apply_motion() {
  if (n == motion::kStartBackward) {
    l = (l + kBackwardStep) % kPositionsPerSet;
    mm = 0;
    m = 1;
    n = motion::kRunning;
  }
  if (n == motion::kStartForward) {
    l = (l + 1) % kPositionsPerSet;
    m = 0;
    mm = 1;
    n = motion::kRunning;
  }
  if (n == motion::kStepBackward) {
    l = (l + kBackwardStep + m + mm) % kPositionsPerSet;
    mm = 0;
    m = 0;
    n = motion::kStopped;
  }
  if (n == motion::kStepForward) {
    l = (l + 1 - m - mm) % kPositionsPerSet;
    mm = 0;
    m = 0;
    n = motion::kStopped;
  }
  // Running forward, the first run after loading included: on by n, which is 1 here.
  if (n != motion::kStopped && m == 0) l = (l + n) % kPositionsPerSet;
  // Running backward.
  if (m == 1) l = (l + kBackwardStep) % kPositionsPerSet;
}

void ZEMK::Picture1_Click() {
  if (nm == 0) {  // into manual mode: keep the motion state for the way back
    n1 = n;
    mm1 = mm;
    m1 = m;
  }
  nm = (nm + 1) % 2;
  if (nm == 0) {
    n = n1;
    mm = mm1;
    m = m1;
  }
}

void ZEMK::Picture1_DblClick() { quit(); }

void ZEMK::delay() {
  // The pump comes first, so a k that a handler stores in it governs this count.
  runtime_.do_events();
  runtime_.counted_loop(0, k, 1);
}

void ZEMK::Picture1_KeyPress(std::int16_t& key) {
  const std::string typed = rt::key_string(key);
  if (typed == "v" || typed == "V") hl = 0;
  if (typed == "b" || typed == "B") hl = 1;
  if (typed == "n" || typed == "N") hl = 2;
  if (typed == " ") {
    // Walk 0, 1, 2, 1, 0, ...: the first two tests mend a direction that points out
    // of the range (a set key left hl at an end, or updo was never set); the last
    // two turn it at either end.
    if (hl > 1) updo = -1;
    if (hl < 1) updo = 1;
    hl = hl + updo;
    if (hl > 1) updo = -1;
    if (hl < 1) updo = 1;
  }
  if (key == kEscapeCode) quit();
  if (typed == "-") n = motion::kStartBackward;
  if (typed == "+" || typed == ",") n = motion::kStartForward;
  if (typed == "/") n = motion::kStepBackward;
  if (typed == "*" || typed == ".") n = motion::kStepForward;
}

void ZEMK::Picture1_MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y) {
  (void)button, (void)shift;  // a movement counts alike whatever is held
  if (nm == 0) {
    // Raises the floating-point error before k is touched.
    const float product = rt::single_product(x, kPointerFactor, y);
    k = product;
  }
  if (nm != 0) {
    k = kManualDelayCount;
    // Y grows downward: down or sideways steps forward, up steps backward.
    n = y >= yyy ? motion::kStepForward : motion::kStepBackward;
    yyy = y;
  }
}

}  // namespace viewer
