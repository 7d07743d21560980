// The program takes no arguments and touches no file: its frames and layout are built in.
#include "runtime/sdl/screen.h"
#include "viewer/project.h"

int main() { return rt::run_on_screen(viewer::zemk_project()); }
