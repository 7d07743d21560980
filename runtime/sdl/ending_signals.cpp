#include "runtime/sdl/ending_signals.h"

#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

#include "runtime/errors.h"

namespace rt {
namespace {

volatile std::sig_atomic_t requested = 0;
volatile std::sig_atomic_t box_up = 0;
pid_t program = 0;

void on_ending_signal(int) {
  requested = 1;
  if (box_up) _exit(kFailureStatus);
}

// In a process forked while the box is up: SDL's, which shows the box.
void in_forked_child() {
  if (!box_up) return;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != program) _exit(kFailureStatus);  // the program went before that took hold
}

}  // namespace

void take_ending_signals() {
  std::signal(SIGPIPE, SIG_IGN);
  struct sigaction action {};
  action.sa_handler = on_ending_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  if (program == 0) pthread_atfork(nullptr, nullptr, in_forked_child);
  program = getpid();
}

bool end_requested() { return requested != 0; }

ErrorBoxUp::ErrorBoxUp() {
  box_up = 1;
  if (requested) _exit(kFailureStatus);  // asked before the box came up
}
ErrorBoxUp::~ErrorBoxUp() { box_up = 0; }

}  // namespace rt
