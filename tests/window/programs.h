#pragma once
// The programs that the window tests run in a real window: the test driver that
// shows Image1, and the real program where it is built.

#include <ostream>
#include <string>
#include <vector>

namespace xtest {

struct ProgramUnderTest {
  std::string name;
  std::string path;
  int fixed_frame = -1;  // the frame it always shows; -1: any of the frames
};

// GoogleTest names the program of a failing case by this.
inline void PrintTo(const ProgramUnderTest& program, std::ostream* out) { *out << program.name; }

inline std::vector<ProgramUnderTest> programs_under_test() {
  std::vector<ProgramUnderTest> programs{{"show_frame", SHOW_FRAME_PROGRAM, 0}};
#ifdef ZEMK_PROGRAM
  programs.push_back({"zemk", ZEMK_PROGRAM, -1});
#endif
  return programs;
}

}  // namespace xtest
